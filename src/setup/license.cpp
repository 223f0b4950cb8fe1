#include "license.h"

#include <string>

#include "resources/Resources.h"

using namespace forms;

bool LicenseAccepted = false;
TLicenseF* LicenseF = nullptr;

namespace {

const FormDef kLicenseForm{"Lizenzbedingungen", 472, 364, bsDialog, 0};

const ControlDef kRows[] = {
    Row<TSpeedButton>("SBOK").At(2, 307, 470, 25)
        .Caption(" JA, ich akzeptiere diese Bedingungen und m\xF6" "chte die Software installieren!")
        .FontStyle(fsBold).Picture(RES_GLYPH_OK).Flags(ffFlat).On<&TLicenseF::SBOKClick>(),
    Row<TSpeedButton>("SBAbbrechen").At(2, 338, 470, 25)
        .Caption(" NEIN, ich akzeptiere diese Bedingungen nicht und m\xF6" "chte Setup beenden!")
        .FontStyle(fsBold).Picture(RES_GLYPH_CANCEL).Flags(ffFlat).On<&TLicenseF::SBAbbrechenClick>(),
    Row<TmyLabel3d>("myLabel3d1").At(144, 4, 183, 22).Caption("Lizenzbedingungen").Font("Arial", 19, fsBold)
        .Style(Raised3d),
    Row<TmyLabel3d>("myLabel3d2").At(56, 30, 354, 18).Caption("Bitte lesen Sie sich diesen Text aufmerksam durch!")
        .Font("Arial", 16).Style(Resit3d),
    Row<TMemo>("Memo1").At(16, 56, 433, 249).Flags(ffReadOnly | ffVScroll),
};

// The terms as the resource holds them: Windows-1252 with CRLF line ends.
std::string LicenseText() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, RES_LICENSE, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw platform::Error("Licence text resource not found");
  return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

}  // namespace

TLicenseF::TLicenseF() : TForm(kLicenseForm) {
  Build(kRows);
  SBOK = &Control<TSpeedButton>("SBOK");
  SBAbbrechen = &Control<TSpeedButton>("SBAbbrechen");
  myLabel3d1 = &Control<TmyLabel3d>("myLabel3d1");
  myLabel3d2 = &Control<TmyLabel3d>("myLabel3d2");
  Memo1 = &Control<TMemo>("Memo1");
  Memo1->SetText(LicenseText());
  SetActiveControl(Memo1);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
}

void TLicenseF::FormShow(TObject*) { LicenseAccepted = false; }

void TLicenseF::SBOKClick(TObject*) {
  LicenseAccepted = true;
  Close();
}

// The application ends at the next turn of a message loop: the modal loop
// gives up at once, without asking the close query.
void TLicenseF::SBAbbrechenClick(TObject*) {
  LicenseAccepted = false;
  Application().Terminate();
}

void TLicenseF::FormCloseQuery(TObject*, bool& canClose) { canClose = LicenseAccepted; }
