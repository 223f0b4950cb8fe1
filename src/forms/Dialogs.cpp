#include "Dialogs.h"

#include "Forms.h"

namespace forms {

namespace {

// The system's message box writes its buttons in the system's language; the
// hook renames them when the box first becomes active.
HHOOK g_buttonHook = nullptr;

LRESULT CALLBACK RenameButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_buttonHook) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[16] = "";
    GetClassNameA(box, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0) {
      static const struct {
        int id;
        const char* text;
      } kButtons[] = {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
      for (const auto& button : kButtons)
        if (GetDlgItem(box, button.id)) SetDlgItemTextA(box, button.id, button.text);
      UnhookWindowsHookEx(g_buttonHook);
      g_buttonHook = nullptr;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Box(const std::string& text, const std::string& caption, UINT flags) {
  // Owned by the active window, which the box disables; with none, every window of ours is.
  HWND owner = GetActiveWindow();
  if (!owner) flags |= MB_TASKMODAL;
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace

void ShowMessage(const std::string& text) { Box(text, Application().Title(), MB_OK); }

int MessageDlg(const std::string& text, TMsgDlgType type, unsigned buttons) {
  static const struct {
    const char* caption;
    UINT icon;
  } kTypes[] = {{"Warnung", MB_ICONWARNING},
                {"Fehler", MB_ICONERROR},
                {"Information", MB_ICONINFORMATION},
                {"Best\xE4tigen", MB_ICONQUESTION}};
  UINT set = MB_OK;
  if ((buttons & (mbYes | mbNo | mbCancel)) == (mbYes | mbNo | mbCancel))
    set = MB_YESNOCANCEL;
  else if (buttons & (mbYes | mbNo))
    set = MB_YESNO;
  else if (buttons & mbCancel)
    set = MB_OKCANCEL;
  g_buttonHook = SetWindowsHookExA(WH_CBT, &RenameButtons, nullptr, GetCurrentThreadId());
  const int result = Box(text, kTypes[type].caption, set | kTypes[type].icon);
  if (g_buttonHook) UnhookWindowsHookEx(g_buttonHook);
  g_buttonHook = nullptr;
  return result;
}

}  // namespace forms
