#include "DllSearch.h"

#include <windows.h>

namespace platform {

void RestrictDllSearch() {
  // Takes the current directory out of the search path.
  SetDllDirectoryA("");
  // On Vista the restriction makes the shell link object fail to create, and
  // the shortcuts must still be written there; the call above still applies.
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const bool vista = GetVersionExA(&version) && version.dwMajorVersion == 6 && version.dwMinorVersion == 0;
#pragma GCC diagnostic pop
  if (vista) return;
  // Looked up at run time: older systems lack it (and need no more than the above).
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace platform
