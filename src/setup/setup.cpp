// The setup program: creates its five windows, the main window first, and
// runs the message loop until the main window closes.
#include <windows.h>

#include "Final.h"
#include "Install.h"
#include "NewFolder.h"
#include "aboutF.h"
#include "forms/Forms.h"
#include "license.h"
#include "platform/win32/DllSearch.h"
#include "platform/win32/Win32ShellLink.h"
#include "platform/win32/Win32System.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before any DLL beyond the system's own is loaded, the common controls among them.
  platform::RestrictDllSearch();
  // Static, so that they outlive the windows, which go when the program ends.
  static platform::Win32System system;
  platform::SetSys(&system);
  static platform::Win32ShellLinkApi shellLinks;
  platform::SetShellLinks(&shellLinks);

  forms::TApplication& application = forms::Application();
  application.Initialize();
  application.CreateForm(InstallF);
  application.CreateForm(about);
  application.CreateForm(LicenseF);
  application.CreateForm(FinalF);
  application.CreateForm(NewFolderF);
  application.Run();
  return 0;
}
