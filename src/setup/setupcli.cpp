// Runs the install sequence without windows, for tests and benchmarks:
//   setupcli TARGET
// The current directory is the start directory; TARGET is the target field's text.
// Exit status: 0 completed, 1 stopped at target preparation, 2 an error left the sequence.
#include <cstdio>

#include "ConsoleWindow.h"
#include "engine/Engine.h"
#include "platform/win32/DllSearch.h"
#include "platform/win32/Win32ShellLink.h"
#include "platform/win32/Win32System.h"

int main(int argc, char** argv) {
  platform::RestrictDllSearch();
  if (argc > 2) {
    std::fputs("usage: setupcli TARGET\n", stderr);
    return 2;
  }
  platform::Win32System system;
  platform::SetSys(&system);
  platform::Win32ShellLinkApi shellLinks;
  platform::SetShellLinks(&shellLinks);
  StartDir = system.GetCurrentDir();
  ConsoleWindow window(argc == 2 ? argv[1] : "", stdout);
  SetMainWindow(&window);
  int status;
  try {
    RunInstallSequence();
    status = SetupProceed ? 0 : 1;
  } catch (const std::exception& error) {
    std::printf("error: %s\n", error.what());
    status = 2;
  }
  std::printf("progress: %d\n", window.Progress().Position());
  std::fflush(stdout);
  return status;
}
