#include "ShellOpen.h"

#include <shellapi.h>

#include "forms/Forms.h"

namespace {

void ShellOpen(HWND owner, const char* url) {
  ShellExecuteA(owner, nullptr, url, nullptr, nullptr, SW_SHOWNORMAL);
}

LinkOpener g_opener = &ShellOpen;

}  // namespace

void OpenLink(const char* url) { g_opener(forms::Application().Handle(), url); }

LinkOpener SetLinkOpener(LinkOpener opener) {
  LinkOpener previous = g_opener;
  g_opener = opener ? opener : &ShellOpen;
  return previous;
}
