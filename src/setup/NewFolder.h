#pragma once
// The new-folder dialog: creates a folder in the folder that the main
// window's directory list shows and moves the list into it.
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/StdCtrls.h"

class TNewFolderF : public forms::TForm {
 public:
  TNewFolderF();

  forms::TLabel* Label2;
  forms::TLabel* Label1;
  forms::TEdit* Edit1;
  forms::TSpeedButton* SBOK;
  forms::TSpeedButton* SBAbbrechen;

  void FormShow(forms::TObject* sender);
  void SBOKClick(forms::TObject* sender);
  void SBAbbrechenClick(forms::TObject* sender);
};

extern TNewFolderF* NewFolderF;
