#pragma once
// The setup main window: greets, shows the licence, offers the automatic and
// the user-defined setup, and runs the install sequence behind its own target
// field, progress bar and shortcut components.
#include <memory>
#include <string>

#include "InstallSequence.h"
#include "components/Mylabel.h"
#include "forms/ExtCtrls.h"
#include "forms/FileCtrl.h"
#include "forms/Forms.h"
#include "forms/StdCtrls.h"

class ProgressBarControl;

class TInstallF : public forms::TForm, public InstallWindow {
 public:
  // Becomes InstallF and the window that the install sequence drives.
  TInstallF();
  ~TInstallF() override;

  forms::TPanel* Panel5;
  forms::TImage* Image1;
  forms::TImage* Image3;
  forms::TImage* Image2;
  forms::TToolBar* ToolBar1;
  forms::TPanel* PHeader;
  TmyLabel3d* myLabel3d3;
  forms::TPanel* PQuellZiel;
  forms::TStaticText* StaticText3;
  forms::TEdit* EInput;
  forms::TStaticText* StaticText2;
  forms::TEdit* EOutput;
  forms::TPanel* Panel6;
  forms::TRadioButton* RBAuto;
  forms::TMemo* Memo1;
  forms::TProgressBar* PB1;
  forms::TRadioButton* RBUser;
  forms::TLabel* LPB;
  forms::TMemo* Memo2;
  forms::TPanel* PZielDriveFolder;
  forms::TLabel* Label2;
  forms::TLabel* Label3;
  forms::TDriveComboBox* DriveComboBox1;
  forms::TDirectoryListBox* DirectoryListBox1;
  forms::TSpeedButton* SpeedButton1;
  forms::TStaticText* ST4;
  forms::TStaticText* ST5;
  forms::TPanel* PInternet;
  TmyLabel3d* myLabel3d4;
  TmyLabel3d* myLabel3d5;
  TmyLabel3d* myLabel3d8;
  TmyLabel3d* myLabel3d9;
  TmyLabel3d* myLabel3d6;
  TmyLabel3d* myLabel3d7;
  TmyLabel3d* myLabel3d11;
  forms::TPanel* PRelease;
  TmyLabel3d* myLabel3d1;
  forms::TStaticText* StaticText7;
  forms::TLabel* Label4;
  forms::TStaticText* ST1;
  forms::TPanel* PButtons;
  forms::TSpeedButton* SBOK;
  forms::TSpeedButton* SBAbbrechen;
  forms::TSpeedButton* SBHilfe;

  void FormShow(forms::TObject* sender);
  void RBAutoClick(forms::TObject* sender);
  void RBUserClick(forms::TObject* sender);
  void DirectoryListBox1Change(forms::TObject* sender);
  void SBOKClick(forms::TObject* sender);
  void SBAbbrechenClick(forms::TObject* sender);
  void SBHilfeClick(forms::TObject* sender);
  void SpeedButton1Click(forms::TObject* sender);
  // The maker's web page.
  void myLabel3d8Click(forms::TObject* sender);
  void Image3Click(forms::TObject* sender);
  // The partner's web page.
  void Image2Click(forms::TObject* sender);
  // A new mail to the maker.
  void myLabel3d11Click(forms::TObject* sender);

  // The free space of the drive that the target field names, into ST4 and ST5.
  void UpdateFreeSpace();
  // Keeps the installation date inside its panel.
  void PlaceDate();

  // The window as the install sequence sees it.
  std::string TargetText() const override;
  ProgressBar& Progress() override;
  void ShowMessage(const std::string& text) override;
  void ShowFinish() override;

 private:
  std::unique_ptr<ProgressBarControl> progress_;
};

extern TInstallF* InstallF;

// Removes the entries of drives A and B from the drive list, reading each
// index twice, the second time after a deletion has moved the next entry up.
void RemoveDriveEntries(forms::TDriveComboBox& drives);
