#pragma once
// The info dialog: the product's banner and the partner's logo.
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"

class Tabout : public forms::TForm {
 public:
  Tabout();

  forms::TSpeedButton* SBOK;
  forms::TImage* Image2;
  forms::TImage* Image1;

  void SBOKClick(forms::TObject* sender);
};

extern Tabout* about;
