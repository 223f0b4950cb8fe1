#pragma once
// The finish dialog: the installation has ended; links to the maker's web
// page and to a mail to the maker.
#include "components/Mylabel.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/StdCtrls.h"

class TFinalF : public forms::TForm {
 public:
  TFinalF();

  TmyLabel3d* myLabel3d1;
  TmyLabel3d* myLabel3d2;
  forms::TLabel* Label1;
  forms::TLabel* Label2;
  forms::TLabel* Label3;
  forms::TLabel* Label4;
  forms::TPanel* PInternet;
  TmyLabel3d* myLabel3d4;
  TmyLabel3d* myLabel3d5;
  TmyLabel3d* myLabel3d6;
  TmyLabel3d* myLabel3d7;
  TmyLabel3d* myLabel3d8;
  TmyLabel3d* myLabel3d9;
  TmyLabel3d* myLabel3d11;
  forms::TButton* Button1;
  forms::TStaticText* StaticText1;

  void Button1Click(forms::TObject* sender);
  // The four upper link texts: the maker's web page.
  void myLabel3d8Click(forms::TObject* sender);
  // The three lower link texts: a new mail to the maker.
  void myLabel3d11Click(forms::TObject* sender);
};

extern TFinalF* FinalF;
