#include "Final.h"

#include "ShellOpen.h"
#include "resources/Links.h"

using namespace forms;

TFinalF* FinalF = nullptr;

namespace {

const FormDef kFinalForm{"und tsch\xFCss ...", 375, 283, bsDialog, 0, clSilver};

constexpr unsigned kLink = ffHandCursor;

const ControlDef kRows[] = {
    Row<TmyLabel3d>("myLabel3d1").At(264, 80, 72, 19).Caption("Viel Spa\xDF").Font("Arial", 16, fsBold).Style(Raised3d),
    Row<TmyLabel3d>("myLabel3d2").At(256, 104, 100, 19).Caption("mit Mirvo 98!").Font("Arial", 16, fsBold)
        .Style(Raised3d),
    Row<TLabel>("Label1").At(235, 152, 116, 13).Caption("F\xFCr Updates und weitere"),
    Row<TLabel>("Label2").At(235, 168, 124, 13).Caption("Informationen zu Mirvo 98"),
    Row<TLabel>("Label3").At(235, 184, 130, 13).Caption("besuchen Sie bitte von Zeit"),
    Row<TLabel>("Label4").At(235, 200, 120, 13).Caption("zu Zeit unser Web-Studio"),
    Row<TPanel>("PInternet").At(18, 59, 201, 209).Flags(ffOuterLowered).Color(clSilver),
    Row<TButton>("Button1").At(264, 240, 75, 25).Caption("&Schlie\xDF" "en").On<&TFinalF::Button1Click>(),
    Row<TStaticText>("StaticText1").At(32, 16, 317, 26).Caption("Setup wurde erfolgreich installiert")
        .Font("Arial", 19, fsBold).FontColor(clTeal).Flags(ffBorderSunken),

    Row<TmyLabel3d>("myLabel3d4").In("PInternet").At(24, 8, 143, 18).Caption("Besuchen Sie unser ")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TFinalF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d5").In("PInternet").At(32, 24, 125, 18).Caption("Web-Studio unter:")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TFinalF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d6").In("PInternet").At(16, 120, 158, 18).Caption("Sie erreichen uns auch")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TFinalF::myLabel3d11Click>(),
    Row<TmyLabel3d>("myLabel3d7").In("PInternet").At(16, 136, 171, 18).Caption("unter der eMail-Adresse:")
        .Font("Arial", 16).Style(Resit3d).Flags(kLink).On<&TFinalF::myLabel3d11Click>(),
    Row<TmyLabel3d>("myLabel3d8").In("PInternet").At(16, 48, 170, 22).Caption(links::kMakerHostLine)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TFinalF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d9").In("PInternet").At(64, 65, 75, 22).Caption(links::kMakerPathLine)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TFinalF::myLabel3d8Click>(),
    Row<TmyLabel3d>("myLabel3d11").In("PInternet").At(11, 160, 168, 22).Caption(links::kMailAddress)
        .Font("Arial", 19, fsBold).Style(Raised3d).Flags(kLink).On<&TFinalF::myLabel3d11Click>(),
};

}  // namespace

TFinalF::TFinalF() : TForm(kFinalForm) {
  Build(kRows);
  myLabel3d1 = &Control<TmyLabel3d>("myLabel3d1");
  myLabel3d2 = &Control<TmyLabel3d>("myLabel3d2");
  Label1 = &Control<TLabel>("Label1");
  Label2 = &Control<TLabel>("Label2");
  Label3 = &Control<TLabel>("Label3");
  Label4 = &Control<TLabel>("Label4");
  PInternet = &Control<TPanel>("PInternet");
  myLabel3d4 = &Control<TmyLabel3d>("myLabel3d4");
  myLabel3d5 = &Control<TmyLabel3d>("myLabel3d5");
  myLabel3d6 = &Control<TmyLabel3d>("myLabel3d6");
  myLabel3d7 = &Control<TmyLabel3d>("myLabel3d7");
  myLabel3d8 = &Control<TmyLabel3d>("myLabel3d8");
  myLabel3d9 = &Control<TmyLabel3d>("myLabel3d9");
  myLabel3d11 = &Control<TmyLabel3d>("myLabel3d11");
  Button1 = &Control<TButton>("Button1");
  StaticText1 = &Control<TStaticText>("StaticText1");
  SetActiveControl(Button1);
}

// No close query: the dialog always closes.
void TFinalF::Button1Click(TObject*) { Close(); }

void TFinalF::myLabel3d8Click(TObject*) { OpenLink(links::kMakerUrl); }

void TFinalF::myLabel3d11Click(TObject*) { OpenLink(links::kMailUrl); }
