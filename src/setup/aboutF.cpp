#include "aboutF.h"

#include "resources/Resources.h"

using namespace forms;

Tabout* about = nullptr;

namespace {

// A light grey: red, green and blue 218 each.
const FormDef kAboutForm{"INFO ...", 302, 174, bsDialog, 0, 14342874};

const ControlDef kRows[] = {
    Row<TSpeedButton>("SBOK").At(207, 139, 80, 25).Caption(" OK").FontStyle(fsBold).Picture(RES_GLYPH_OK)
        .On<&Tabout::SBOKClick>(),
    // Here the partner's logo is only a picture: it does not react to clicks.
    Row<TImage>("Image2").At(9, 111, 100, 50).Picture(RES_PARTNERLOGO).Flags(ffAutoSize),
    Row<TImage>("Image1").At(49, 16, 200, 50).Picture(RES_BANNER).Flags(ffAutoSize),
};

}  // namespace

Tabout::Tabout() : TForm(kAboutForm) {
  Build(kRows);
  SBOK = &Control<TSpeedButton>("SBOK");
  Image2 = &Control<TImage>("Image2");
  Image1 = &Control<TImage>("Image1");
}

void Tabout::SBOKClick(TObject*) { Close(); }
