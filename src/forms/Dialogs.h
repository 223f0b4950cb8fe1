#pragma once
// Message boxes with the program's German texts.
#include <string>

namespace forms {

// A plain message box with an OK button; its caption is the application's title.
void ShowMessage(const std::string& text);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };

// A message dialog of the kind (caption "Warnung", "Fehler", "Information"
// or "Best\xE4tigen", with its symbol) and the buttons "&Ja", "&Nein", "OK",
// "Abbrechen"; supported sets: OK, OK and cancel, yes and no, yes, no and
// cancel. Returns the modal result of the button pressed (mrYes, ...).
int MessageDlg(const std::string& text, TMsgDlgType type, unsigned buttons);

}  // namespace forms
