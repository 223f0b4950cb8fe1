#pragma once
// The licence dialog: the terms, to be accepted before anything else happens.
#include "components/Mylabel.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/StdCtrls.h"

// Whether the licence dialog may close: set when the terms are accepted.
extern bool LicenseAccepted;

class TLicenseF : public forms::TForm {
 public:
  TLicenseF();

  forms::TSpeedButton* SBOK;
  forms::TSpeedButton* SBAbbrechen;
  TmyLabel3d* myLabel3d1;
  TmyLabel3d* myLabel3d2;
  forms::TMemo* Memo1;

  void FormShow(forms::TObject* sender);
  void SBOKClick(forms::TObject* sender);
  void SBAbbrechenClick(forms::TObject* sender);
  void FormCloseQuery(forms::TObject* sender, bool& canClose);
};

extern TLicenseF* LicenseF;
