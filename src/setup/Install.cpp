#include "Install.h"

#include <algorithm>

#include "FreeSpace.h"
#include "NewFolder.h"
#include "ProgressBarControl.h"
#include "ShellOpen.h"
#include "aboutF.h"
#include "Final.h"
#include "engine/Engine.h"
#include "forms/Dialogs.h"
#include "license.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "resources/Links.h"
#include "resources/Resources.h"

using namespace forms;

TInstallF* InstallF = nullptr;

namespace {

const FormDef kInstallForm{"Setup von Mirvo 98", 573, 410, bsSingle, biSystemMenu | biMinimize, clNavy};

constexpr unsigned kPanel = ffOuterLowered;
constexpr unsigned kLink = ffHandCursor | ffTransparent;

const char kMemo1[] =
    "Das Setupprogramm k\xFCmmert \r\nsich um alle Einstellungen, Sie \r\nm\xFCssen nur OK dr\xFC" "cken!\r\n(empfolen!)";
const char kMemo2[] = "Sie m\xFCssen alle Einstellungen \r\nselber vornehmen!\r\n(nur f\xFCr versierte Benutzer!)";

const ControlDef kRows[] = {
    Row<TPanel>("Panel5").At(0, 0, 573, 55).Flags(ffAlignTop | ffOuterNone).Color(clBlack),
    Row<TImage>("Image1").In("Panel5").At(204, 2, 200, 50).Picture(RES_BANNER).Flags(ffAutoSize | ffCenter),
    Row<TImage>("Image3").In("Panel5").At(8, 3, 153, 50).Picture(RES_MAKERLOGO).Flags(ffStretch | ffHandCursor)
        .On<&TInstallF::Image3Click>(),
    Row<TImage>("Image2").In("Panel5").At(465, 3, 100, 50).Picture(RES_PARTNERLOGO).Flags(ffHandCursor)
        .On<&TInstallF::Image2Click>(),
    Row<TToolBar>("ToolBar1").At(0, 56, 570, 2),

    Row<TPanel>("PHeader").At(12, 72, 545, 33).Flags(kPanel).Color(clSilver),
    Row<TmyLabel3d>("myLabel3d3").In("PHeader").At(6, 4, 531, 22)
        .Caption("Herzlich Willkommen beim Mirvo 98.2 - Installations-Programm").Font("Arial", 19, 0)
        .Style(Raised3d).Flags(ffTransparent),

    Row<TPanel>("PQuellZiel").At(6, 120, 185, 105).Flags(kPanel),
    Row<TStaticText>("StaticText3").In("PQuellZiel").At(38, 3, 102, 17).Caption("Quellverzeichnis:").FontStyle(fsBold)
        .Flags(ffBorderSunken),
    Row<TEdit>("EInput").In("PQuellZiel").At(12, 23, 157, 21).Flags(ffReadOnly),
    Row<TStaticText>("StaticText2").In("PQuellZiel").At(46, 59, 94, 17).Caption("Zielverzeichnis:").FontStyle(fsBold)
        .Flags(ffBorderSunken),
    Row<TEdit>("EOutput").In("PQuellZiel").At(12, 79, 157, 21).Flags(ffReadOnly),

    Row<TPanel>("Panel6").At(6, 237, 185, 148).Flags(kPanel),
    Row<TRadioButton>("RBAuto").In("Panel6").At(5, 4, 175, 17).Caption("Automatisches Setup").Font(nullptr, 13)
        .Flags(ffChecked).On<&TInstallF::RBAutoClick>(),
    // Four whole lines: an edit control shows no partial line, and 49 pixels hold only three.
    Row<TMemo>("Memo1").In("Panel6").At(24, 24, 153, 52).Caption(kMemo1).Color(clBtnFace).Flags(ffReadOnly | ffNoBorder),
    Row<TProgressBar>("PB1").In("Panel6").At(2, 56, 180, 12).Range(0, 350, 1).Flags(ffHidden),
    Row<TRadioButton>("RBUser").In("Panel6").At(5, 76, 175, 17).Caption("Benutzerdefiniertes Setup").Font(nullptr, 13)
        .On<&TInstallF::RBUserClick>(),
    Row<TLabel>("LPB").In("Panel6").At(32, 80, 123, 13).Caption("Installationsfortschritt").FontStyle(fsBold)
        .Flags(ffHidden),
    Row<TMemo>("Memo2").In("Panel6").At(24, 96, 153, 49).Caption(kMemo2).Color(clBtnFace).Flags(ffReadOnly | ffNoBorder),

    Row<TPanel>("PZielDriveFolder").At(201, 120, 203, 281).Flags(kPanel | ffHidden),
    Row<TLabel>("Label2").In("PZielDriveFolder").At(44, 6, 101, 13).Caption("Bitte hier Ziellaufwerk"),
    Row<TLabel>("Label3").In("PZielDriveFolder").At(24, 22, 145, 13).Caption("und Zielverzeichnis ausw\xE4hlen"),
    Row<TDriveComboBox>("DriveComboBox1").In("PZielDriveFolder").At(24, 50, 145, 19).Style(tcUpperCase),
    Row<TDirectoryListBox>("DirectoryListBox1").In("PZielDriveFolder").At(24, 72, 145, 111).Style(16)
        .On<&TInstallF::DirectoryListBox1Change>(),
    Row<TSpeedButton>("SpeedButton1").In("PZielDriveFolder").At(10, 190, 175, 25).Caption("Neues Verzeichnis erstellen")
        .Font("Arial", 13).On<&TInstallF::SpeedButton1Click>(),
    Row<TStaticText>("ST4").In("PZielDriveFolder").At(8, 228, 173, 17).Caption("Freier Speicher auf Laufwerk ")
        .FontStyle(fsBold).Flags(ffBorderSunken),
    Row<TStaticText>("ST5").In("PZielDriveFolder").At(74, 252, 47, 17).Caption("123456").FontStyle(fsBold)
        .Flags(ffBorderSingle),

    Row<TPanel>("PInternet").At(200, 144, 201, 209).Flags(kPanel).Color(clSilver),
    Row<TmyLabel3d>("myLabel3d4").In("PInternet").At(24, 8, 143, 18).Caption("Besuchen Sie unser ").Font("Arial", 16)
        .Style(Resit3d).Flags(kLink).On<&TInstallF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d5").In("PInternet").At(32, 24, 125, 18).Caption("Web-Studio unter:").Font("Arial", 16)
        .Style(Resit3d).Flags(kLink).On<&TInstallF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d8").In("PInternet").At(16, 48, 170, 22).Caption(links::kMakerHostLine)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TInstallF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d9").In("PInternet").At(64, 65, 75, 22).Caption(links::kMakerPathLine)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TInstallF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d6").In("PInternet").At(16, 120, 158, 18).Caption("Sie erreichen uns auch")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TInstallF::myLabel3d11Click>(),
    Row<TmyLabel3d>("myLabel3d7").In("PInternet").At(16, 136, 171, 18).Caption("unter der eMail-Adresse:")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TInstallF::myLabel3d11Click>(),
    Row<TmyLabel3d>("myLabel3d11").In("PInternet").At(11, 160, 168, 22).Caption(links::kMailAddress)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TInstallF::myLabel3d11Click>(),

    Row<TPanel>("PRelease").At(414, 120, 147, 161).Flags(kPanel),
    Row<TmyLabel3d>("myLabel3d1").In("PRelease").At(8, 10, 132, 19).Caption("Aktuelle Release:")
        .Font("Arial", 16, fsBold).Style(Resit3d).Flags(ffTransparent),
    Row<TStaticText>("StaticText7").In("PRelease").At(52, 35, 45, 20).Caption(MIRVO_RELEASE_TEXT)
        .Font("MS Sans Serif", 13, fsBold).Flags(ffBorderSunken),
    Row<TLabel>("Label4").In("PRelease").At(4, 136, 87, 13).Caption("Installationsdatum:"),
    Row<TStaticText>("ST1").In("PRelease").At(96, 136, 35, 17).Caption("Datum"),

    Row<TPanel>("PButtons").At(462, 320, 80, 75).Flags(kPanel | ffInnerLowered),
    Row<TSpeedButton>("SBOK").In("PButtons").At(0, 0, 80, 25).Caption(" OK").Picture(RES_GLYPH_OK).Flags(ffFlat)
        .On<&TInstallF::SBOKClick>(),
    Row<TSpeedButton>("SBAbbrechen").In("PButtons").At(0, 25, 80, 25).Caption("Abbrechen").Picture(RES_GLYPH_CANCEL)
        .Flags(ffFlat).On<&TInstallF::SBAbbrechenClick>(),
    Row<TSpeedButton>("SBHilfe").In("PButtons").At(0, 50, 80, 25).Caption(" Info").Picture(RES_GLYPH_INFO)
        .Flags(ffFlat).On<&TInstallF::SBHilfeClick>(),
};

// Today in the user's short date format.
std::string ShortDate() {
  char date[80] = "";
  const int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
  return length > 0 ? std::string(date) : std::string();
}

}  // namespace

TInstallF::TInstallF() : TForm(kInstallForm) {
  // Reachable by its name while it builds, as the other windows expect.
  InstallF = this;
  Build(kRows);
  Panel5 = &Control<TPanel>("Panel5");
  Image1 = &Control<TImage>("Image1");
  Image3 = &Control<TImage>("Image3");
  Image2 = &Control<TImage>("Image2");
  ToolBar1 = &Control<TToolBar>("ToolBar1");
  PHeader = &Control<TPanel>("PHeader");
  myLabel3d3 = &Control<TmyLabel3d>("myLabel3d3");
  PQuellZiel = &Control<TPanel>("PQuellZiel");
  StaticText3 = &Control<TStaticText>("StaticText3");
  EInput = &Control<TEdit>("EInput");
  StaticText2 = &Control<TStaticText>("StaticText2");
  EOutput = &Control<TEdit>("EOutput");
  Panel6 = &Control<TPanel>("Panel6");
  RBAuto = &Control<TRadioButton>("RBAuto");
  Memo1 = &Control<TMemo>("Memo1");
  PB1 = &Control<TProgressBar>("PB1");
  RBUser = &Control<TRadioButton>("RBUser");
  LPB = &Control<TLabel>("LPB");
  Memo2 = &Control<TMemo>("Memo2");
  PZielDriveFolder = &Control<TPanel>("PZielDriveFolder");
  Label2 = &Control<TLabel>("Label2");
  Label3 = &Control<TLabel>("Label3");
  DriveComboBox1 = &Control<TDriveComboBox>("DriveComboBox1");
  DirectoryListBox1 = &Control<TDirectoryListBox>("DirectoryListBox1");
  SpeedButton1 = &Control<TSpeedButton>("SpeedButton1");
  ST4 = &Control<TStaticText>("ST4");
  ST5 = &Control<TStaticText>("ST5");
  PInternet = &Control<TPanel>("PInternet");
  myLabel3d4 = &Control<TmyLabel3d>("myLabel3d4");
  myLabel3d5 = &Control<TmyLabel3d>("myLabel3d5");
  myLabel3d8 = &Control<TmyLabel3d>("myLabel3d8");
  myLabel3d9 = &Control<TmyLabel3d>("myLabel3d9");
  myLabel3d6 = &Control<TmyLabel3d>("myLabel3d6");
  myLabel3d7 = &Control<TmyLabel3d>("myLabel3d7");
  myLabel3d11 = &Control<TmyLabel3d>("myLabel3d11");
  PRelease = &Control<TPanel>("PRelease");
  myLabel3d1 = &Control<TmyLabel3d>("myLabel3d1");
  StaticText7 = &Control<TStaticText>("StaticText7");
  Label4 = &Control<TLabel>("Label4");
  ST1 = &Control<TStaticText>("ST1");
  PButtons = &Control<TPanel>("PButtons");
  SBOK = &Control<TSpeedButton>("SBOK");
  SBAbbrechen = &Control<TSpeedButton>("SBAbbrechen");
  SBHilfe = &Control<TSpeedButton>("SBHilfe");

  DriveComboBox1->SetDirList(DirectoryListBox1);
  progress_ = std::make_unique<ProgressBarControl>(*PB1);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  SetMainWindow(this);
}

TInstallF::~TInstallF() {
  if (InstallF == this) InstallF = nullptr;
  InstallWindow* previous = SetMainWindow(nullptr);
  if (previous != this) SetMainWindow(previous);
}

void TInstallF::FormShow(TObject*) {
  ST1->SetCaption(ShortDate());
  PlaceDate();
  // Declining asks the program to end; that happens when this handler has returned.
  LicenseF->ShowModal();
  ::StartDir = platform::Sys().GetCurrentDir();
  EInput->SetText(::StartDir);
  try {
    platform::Registry reg;
    reg.SetRootKey(platform::RootKey::LocalMachine);
    reg.OpenKey("SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION", true);
    DefaultTargetDir = reg.ReadString("ProgramFilesDir") + "\\Quandelwerk - Mirvo98";
    reg.CloseKey();
  } catch (...) {
    forms::ShowMessage("Registry Fehler! 017");
  }
  EOutput->SetText(DefaultTargetDir);
  UpdateFreeSpace();
  RemoveDriveEntries(*DriveComboBox1);
}

void TInstallF::RBAutoClick(TObject*) {
  PZielDriveFolder->Hide();
  EOutput->SetReadOnly(true);
  EOutput->SetText(DefaultTargetDir);
  PInternet->Show();
}

void TInstallF::RBUserClick(TObject*) {
  PZielDriveFolder->Show();
  EOutput->SetReadOnly(false);
  EOutput->SetText(DirectoryListBox1->Directory());
  PInternet->Hide();
  UpdateFreeSpace();
}

void TInstallF::DirectoryListBox1Change(TObject*) {
  EOutput->SetText(DirectoryListBox1->Directory());
  UpdateFreeSpace();
}

void TInstallF::SBOKClick(TObject*) {
  Memo1->Hide();
  Memo2->Hide();
  // The one option button left in view names the chosen mode.
  if (RBUser->Checked()) RBAuto->SetCaption(RBUser->Caption());
  RBUser->Hide();
  PB1->Show();
  LPB->Show();
  PInternet->Show();
  PZielDriveFolder->Hide();
  // The sequence keeps this thread until it ends: show the progress layout first.
  Repaint();
  bool finished = false;
  try {
    RunInstallSequence();
    finished = SetupProceed;
  } catch (...) {
    // An install that failed says nothing; the window stays for another try.
  }
  progress_->Flush();
  if (finished) Close();
}

void TInstallF::SBAbbrechenClick(TObject*) {
  if (MessageDlg("Wollen Sie wirklich das Setup-Programm abbrechen?", mtWarning, mbYes | mbNo) == mrYes) Close();
}

void TInstallF::SBHilfeClick(TObject*) { about->ShowModal(); }

void TInstallF::SpeedButton1Click(TObject*) { NewFolderF->ShowModal(); }

void TInstallF::myLabel3d8Click(TObject*) { OpenLink(links::kMakerUrl); }

void TInstallF::Image3Click(TObject*) { OpenLink(links::kMakerUrl); }

void TInstallF::Image2Click(TObject*) { OpenLink(links::kPartnerUrl); }

void TInstallF::myLabel3d11Click(TObject*) { OpenLink(links::kMailUrl); }

void TInstallF::PlaceDate() {
  // A date with a four-digit year does not fit beside its label: the label
  // moves up a line and the date goes below it, centred in the panel.
  const int room = PRelease->ClientWidth() - 2;
  if (ST1->Left() + ST1->Width() <= room) return;
  Label4->SetBounds(Label4->Left(), ST1->Top() - 16, Label4->Width(), Label4->Height());
  ST1->SetBounds(std::max(2, (PRelease->ClientWidth() - ST1->Width()) / 2), ST1->Top(), ST1->Width(), ST1->Height());
}

void TInstallF::UpdateFreeSpace() {
  const std::string target = EOutput->Text();
  ST4->SetCaption(FreeSpaceDriveCaption(target));
  ST5->SetCaption(FreeSpaceCaption(platform::Sys().DiskFree(TargetDriveNumber(target))));
}

std::string TInstallF::TargetText() const { return EOutput->Text(); }

ProgressBar& TInstallF::Progress() { return *progress_; }

// The bar stands still while a box is up: it shows the true count first.
void TInstallF::ShowMessage(const std::string& text) {
  progress_->Flush();
  forms::ShowMessage(text);
}

void TInstallF::ShowFinish() {
  progress_->Flush();
  FinalF->ShowModal();
}

void RemoveDriveEntries(TDriveComboBox& drives) {
  const int count = drives.Count();
  for (int i = 0; i < count; ++i) {
    if (drives.Item(i).compare(0, 1, "A") == 0) drives.Delete(i);
    if (drives.Item(i).compare(0, 1, "B") == 0) drives.Delete(i);
  }
}
