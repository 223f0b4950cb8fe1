// Saves one shortcut through TPBShellLink, for reading back with other tools.
// usage: savelink FILE TARGET WORKDIR ARGUMENTS DESCRIPTION normal|minimized|maximized
//                 SHORTCUT(hex) ICONFILE ICONINDEX
// Prints the error and exits 1 when the save fails, 2 on bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "components/ShellLnk.h"
#include "platform/win32/Win32ShellLink.h"
#include "platform/win32/Win32System.h"

int main(int argc, char** argv) {
  if (argc != 10) {
    std::fputs("usage: savelink FILE TARGET WORKDIR ARGUMENTS DESCRIPTION STATE SHORTCUT ICONFILE ICONINDEX\n", stderr);
    return 2;
  }
  platform::Win32System system;
  platform::Win32ShellLinkApi shell;
  platform::SetSys(&system);
  platform::SetShellLinks(&shell);

  TPBShellLink link;
  link.SetTarget(argv[2]);
  link.SetWorkingDir(argv[3]);
  link.SetArguments(argv[4]);
  link.SetDescription(argv[5]);
  const char* state = argv[6];
  link.SetWindowState(std::strcmp(state, "minimized") == 0   ? wsMinimized
                      : std::strcmp(state, "maximized") == 0 ? wsMaximized
                                                             : wsNormal);
  link.SetHotKey(static_cast<TShortCut>(std::strtoul(argv[7], nullptr, 16)));
  link.FileIcon().FileName = argv[8];
  link.FileIcon().IconIndex = std::atoi(argv[9]);
  link.SetFileName(argv[1]);
  try {
    link.Save();
  } catch (const EPBShellLink& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  std::printf("saved: %s\n", link.FileName().c_str());
  return 0;
}
