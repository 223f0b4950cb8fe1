// A window with every kind of control of the form library and every effect
// of the three-dimensional label, with German texts, for a person to look at
// and for the end-to-end test to click. It prints where it is and what it
// sees: "ready X Y" (client origin on the screen), "link X Y" (the middle of
// the link label), "click NAME" and "out NAME".
#include <windows.h>

#include <cstdio>

#include "components/Mylabel.h"
#include "forms/Dialogs.h"
#include "forms/ExtCtrls.h"
#include "forms/Forms.h"
#include "forms/StdCtrls.h"
#include "resources/Resources.h"

using namespace forms;

namespace {

class TGalleryF : public TForm {
 public:
  TGalleryF();
  void Clicked(TObject* sender) {
    std::printf("click %s\n", static_cast<TControl*>(sender)->Name().c_str());
    std::fflush(stdout);
  }
};

const FormDef kGallery{"Galerie der Steuerelemente", 620, 470, bsSingle, biSystemMenu | biMinimize, clNavy};

const char kMemo[] =
    "Das Setupprogramm k\xFCmmert \r\nsich um alle Einstellungen, Sie \r\nm\xFCssen nur OK dr\xFC" "cken!\r\n(empfolen!)";
const char kLong[] =
    "Lizenzbedingungen\r\n\r\nBitte lesen Sie diese Bedingungen sorgf\xE4ltig durch. Die Software darf "
    "nur gem\xE4\xDF den folgenden Bestimmungen genutzt werden.\r\n\r\n1. Nutzung\r\n2. Weitergabe\r\n"
    "3. Gew\xE4hrleistung und Haftung\r\n4. \xC4nderungen an den Dateien\r\n\r\nAlle Rechte vorbehalten.";

constexpr ControlDef kRows[] = {
    Row<TPanel>("PKopf").At(0, 0, 620, 55).Flags(ffAlignTop | ffOuterNone).Color(clBlack),
    Row<TImage>("Image1").In("PKopf").At(210, 2, 200, 50).Picture(RES_BANNER).Flags(ffAutoSize | ffCenter),
    Row<TImage>("Image3").In("PKopf").At(8, 3, 153, 50).Picture(RES_MAKERLOGO).Flags(ffStretch | ffHandCursor)
        .On<&TGalleryF::Clicked>(),
    Row<TImage>("Image2").In("PKopf").At(512, 3, 100, 50).Picture(RES_PARTNERLOGO).Flags(ffHandCursor),
    Row<TToolBar>("ToolBar1").At(0, 56, 617, 2),

    Row<TPanel>("PEffekte").At(10, 66, 300, 200).Flags(ffOuterLowered).Color(clSilver),
    Row<TmyLabel3d>("myLabel3dNormal").In("PEffekte").At(10, 8, 280, 22).Caption("Normal: Gr\xFC\xDF" "e")
        .Font("Arial", 19, fsBold).Style(Normal3d),
    Row<TmyLabel3d>("myLabel3dVertieft").In("PEffekte").At(10, 36, 280, 22).Caption("Vertieft: \xDC" "bersicht")
        .Font("Arial", 19, fsBold).Style(Resit3d),
    Row<TmyLabel3d>("myLabel3dErhaben").In("PEffekte").At(10, 64, 280, 22).Caption("Erhaben: Gr\xF6\xDF" "e")
        .Font("Arial", 19, fsBold).Style(Raised3d),
    Row<TmyLabel3d>("myLabel3dSchatten").In("PEffekte").At(10, 100, 280, 22).Caption("Schatten: \xC4pfel")
        .Font("Arial", 19, fsBold).Style(Shadowed3d),
    Row<TmyLabel3d>("myLabel3dGesperrt").In("PEffekte").At(10, 128, 280, 22).Caption("Gesperrt: \xD6l und Fa\xDF")
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(ffDisabled),
    Row<TmyLabel3d>("myLabel3dLink").In("PEffekte").At(10, 160, 280, 18).Caption("Besuchen Sie unser Web-Studio")
        .Font("Arial", 16).Style(Resit3d).Flags(ffHandCursor).On<&TGalleryF::Clicked>(),

    Row<TPanel>("PEingabe").At(320, 66, 290, 200).Flags(ffOuterLowered),
    Row<TStaticText>("ST1").In("PEingabe").At(10, 8, 110, 17).Caption("Quellverzeichnis:").FontStyle(fsBold)
        .Flags(ffBorderSunken),
    Row<TEdit>("EInput").In("PEingabe").At(10, 28, 270, 21).Caption("C:\\Programme\\M\xFCller & S\xF6hne")
        .Flags(ffReadOnly),
    Row<TStaticText>("ST2").In("PEingabe").At(10, 58, 110, 17).Caption("Zielverzeichnis:").FontStyle(fsBold)
        .Flags(ffBorderSunken),
    Row<TEdit>("EOutput").In("PEingabe").At(10, 78, 270, 21).Caption("C:\\Programme\\Quandelwerk - Mirvo98"),
    Row<TStaticText>("ST5").In("PEingabe").At(10, 110, 70, 17).Caption("123456 MB").FontStyle(fsBold)
        .Flags(ffBorderSingle),
    Row<TStaticText>("ST6").In("PEingabe").At(84, 110, 76, 17).Caption("ohne Rahmen"),
    Row<TStaticText>("StaticText7").In("PEingabe").At(170, 108, 45, 20).Caption("1.80.9").Font("MS Sans Serif", 13, fsBold)
        .Flags(ffBorderSunken),
    Row<TLabel>("LLinks").In("PEingabe").At(10, 140, 80, 13).Caption("links"),
    Row<TLabel>("LMitte").In("PEingabe").At(100, 140, 80, 13).Caption("Mitte").Flags(ffCenter | ffFixedSize),
    Row<TLabel>("LRechts").In("PEingabe").At(190, 140, 80, 13).Caption("rechts").Flags(ffRightJustify),
    Row<TLabel>("LUmbruch").In("PEingabe").At(10, 158, 270, 30).Caption("Ein Label mit &Zeilenumbruch, das \xFC" "ber "
        "zwei Zeilen l\xE4uft.").Flags(ffWordWrap),

    Row<TPanel>("Panel6").At(10, 276, 300, 184).Flags(ffOuterLowered),
    Row<TRadioButton>("RBAuto").In("Panel6").At(5, 4, 175, 17).Caption("Automatisches Setup").Font(nullptr, 13)
        .Flags(ffChecked).On<&TGalleryF::Clicked>(),
    Row<TMemo>("Memo1").In("Panel6").At(24, 24, 170, 56).Caption(kMemo).Color(clBtnFace).Flags(ffReadOnly | ffNoBorder),
    Row<TRadioButton>("RBUser").In("Panel6").At(5, 86, 175, 17).Caption("Benutzerdefiniertes Setup").Font(nullptr, 13)
        .On<&TGalleryF::Clicked>(),
    Row<TLabel>("LPB").In("Panel6").At(32, 112, 123, 13).Caption("Installationsfortschritt").FontStyle(fsBold),
    Row<TProgressBar>("PB1").In("Panel6").At(2, 130, 180, 12).Range(0, 350, 1),
    Row<TButton>("Button1").In("Panel6").At(190, 150, 100, 25).Caption("&Schlie\xDF" "en").On<&TGalleryF::Clicked>(),

    Row<TPanel>("PButtons").At(320, 276, 290, 184).Flags(ffOuterLowered | ffInnerLowered),
    Row<TSpeedButton>("SBOK").In("PButtons").At(5, 5, 80, 25).Caption(" OK").Picture(RES_GLYPH_OK).Flags(ffFlat)
        .On<&TGalleryF::Clicked>(),
    Row<TSpeedButton>("SBAbbrechen").In("PButtons").At(5, 30, 80, 25).Caption("&Abbrechen").Picture(RES_GLYPH_CANCEL)
        .Flags(ffFlat).On<&TGalleryF::Clicked>(),
    Row<TSpeedButton>("SBHilfe").In("PButtons").At(5, 55, 80, 25).Caption(" Info").Picture(RES_GLYPH_INFO)
        .Flags(ffFlat).On<&TGalleryF::Clicked>(),
    Row<TSpeedButton>("SBGesperrt").In("PButtons").At(5, 80, 80, 25).Caption(" OK").Picture(RES_GLYPH_OK)
        .Flags(ffFlat | ffDisabled),
    Row<TSpeedButton>("SBNormal").In("PButtons").At(5, 110, 80, 25).Caption(" OK").FontStyle(fsBold)
        .Picture(RES_GLYPH_OK).On<&TGalleryF::Clicked>(),
    Row<TSpeedButton>("SpeedButton1").In("PButtons").At(5, 145, 175, 25).Caption("Neues Verzeichnis erstellen")
        .Font("Arial", 13).On<&TGalleryF::Clicked>(),
    Row<TMemo>("MemoLizenz").In("PButtons").At(95, 5, 188, 130).Caption(kLong).Flags(ffReadOnly | ffVScroll),
};

TGalleryF::TGalleryF() : TForm(kGallery) {
  Build(kRows);
  Control<TProgressBar>("PB1").SetPosition(220);
  Control<TmyLabel3d>("myLabel3dLink").OnMouseOut = [](TObject* sender) {
    std::printf("out %s\n", static_cast<TControl*>(sender)->Name().c_str());
    std::fflush(stdout);
  };
  OnShow = [this](TObject*) {
    POINT origin{0, 0};
    ClientToScreen(Handle(), &origin);
    const TControl& link = Control<TmyLabel3d>("myLabel3dLink");
    POINT middle{link.Left() + link.Width() / 2, link.Top() + link.Height() / 2};
    ClientToScreen(Control<TPanel>("PEffekte").Handle(), &middle);
    std::printf("ready %ld %ld\nlink %ld %ld\n", origin.x, origin.y, middle.x, middle.y);
    std::fflush(stdout);
  };
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TGalleryF* gallery = nullptr;
  Application().Initialize();
  Application().SetTitle("Galerie");
  Application().CreateForm(gallery);
  Application().Run();
  return 0;
}
