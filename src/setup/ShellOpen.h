#pragma once
// The web and mail links of the windows: the shell's default action on the
// address, owned by the application window (not by the form that was
// clicked), shown normally; the result is not looked at.
#include <windows.h>

void OpenLink(const char* url);

// Where the links go: ShellExecuteA unless a test puts a recorder in place.
using LinkOpener = void (*)(HWND owner, const char* url);
// Returns the previous one.
LinkOpener SetLinkOpener(LinkOpener opener);
