// Runs the install sequence without windows, for tests and benchmarks:
//   setupcli TARGET
// The current directory is the start directory; TARGET is the target field's text.
// Exit status: 0 completed, 1 stopped at target preparation, 2 an error left the sequence.
#include <cstdio>
#include <iostream>

#include "ConsoleWindow.h"
#include "engine/Engine.h"
#include "platform/win32/Win32System.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: setupcli TARGET\n";
    return 2;
  }
  platform::Win32System system;
  platform::SetSys(&system);
  StartDir = system.GetCurrentDir();
  ConsoleWindow window(argc == 2 ? argv[1] : "", std::cout);
  SetMainWindow(&window);
  int status;
  try {
    RunInstallSequence();
    status = SetupProceed ? 0 : 1;
  } catch (const std::exception& error) {
    std::cout << "error: " << error.what() << '\n';
    status = 2;
  }
  std::cout << "progress: " << window.Progress().Position() << std::endl;
  return status;
}
