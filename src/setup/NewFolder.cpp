#include "NewFolder.h"

#include "Install.h"
#include "forms/Dialogs.h"
#include "forms/FileCtrl.h"
#include "platform/System.h"
#include "resources/Resources.h"

using namespace forms;

TNewFolderF* NewFolderF = nullptr;

namespace {

const FormDef kNewFolderForm{"Neues Verzeichnis in ...", 298, 110, bsDialog, 0};

const ControlDef kRows[] = {
    Row<TLabel>("Label2").At(8, 8, 95, 16).Caption("... in ... erstellen").Font("Arial", 13),
    Row<TLabel>("Label1").At(16, 36, 100, 13).Caption("Verzeichnisname:").FontStyle(fsBold),
    Row<TEdit>("Edit1").At(128, 32, 121, 21),
    Row<TSpeedButton>("SBOK").At(128, 75, 80, 25).Caption(" &OK").Picture(RES_GLYPH_OK).Flags(ffFlat)
        .On<&TNewFolderF::SBOKClick>(),
    Row<TSpeedButton>("SBAbbrechen").At(208, 75, 80, 25).Caption("&Abbrechen").Picture(RES_GLYPH_CANCEL)
        .Flags(ffFlat).On<&TNewFolderF::SBAbbrechenClick>(),
};

TDirectoryListBox& DirectoryList() { return *InstallF->DirectoryListBox1; }

}  // namespace

TNewFolderF::TNewFolderF() : TForm(kNewFolderForm) {
  Build(kRows);
  Label2 = &Control<TLabel>("Label2");
  Label1 = &Control<TLabel>("Label1");
  Edit1 = &Control<TEdit>("Edit1");
  SBOK = &Control<TSpeedButton>("SBOK");
  SBAbbrechen = &Control<TSpeedButton>("SBAbbrechen");
  SetActiveControl(Edit1);
  OnShow = [this](TObject* sender) { FormShow(sender); };
}

void TNewFolderF::FormShow(TObject*) {
  Edit1->SetText("");
  // A drive's root ends in a backslash already: no second one in the prompt.
  std::string dir = DirectoryList().Directory();
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  Label2->SetCaption("... " + dir + " erstellen");
}

void TNewFolderF::SBOKClick(TObject*) {
  platform::System& sys = platform::Sys();
  TDirectoryListBox& list = DirectoryList();
  // The list's folder may have gone meanwhile: then nothing happens.
  if (!sys.SetCurrentDir(list.Directory())) return;
  // Relative to the list's folder; an absolute name stands as it is.
  const std::string name = Edit1->Text();
  if (!sys.CreateDir(name)) {
    ShowMessage("Das Verzeichnis konnte nicht erstellt werden! 018");
    return;
  }
  sys.SetCurrentDir(name);
  // The list rebuilds itself, and the main window's target follows it.
  list.SetDirectory(sys.GetCurrentDir());
  Close();
}

void TNewFolderF::SBAbbrechenClick(TObject*) { Close(); }
