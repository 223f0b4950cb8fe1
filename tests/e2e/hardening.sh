#!/usr/bin/env bash
# The programs may import only DLLs that Windows always takes from the system
# folder (known DLLs); anything else must be loaded after the DLL search has
# been restricted, or a DLL planted beside the setup would be loaded instead.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
allowed=" advapi32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll ntdll.dll "
failed=0
for arch in win64 win32; do
  objdump=x86_64-w64-mingw32-objdump
  [ $arch = win32 ] && objdump=i686-w64-mingw32-objdump
  for exe in "$b/$arch/src/setup/setupcli.exe" "$b/$arch/src/setup/setup.exe"; do
    [ -f "$exe" ] || continue
    name="imports-$arch-$(basename "$exe")"
    bad=""
    for dll in $($objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
      [[ "$allowed" == *" $dll "* ]] || bad+=" $dll"
    done
    if [ -z "$bad" ]; then echo "ok $name"; else echo "FAIL $name: imports$bad"; failed=1; fi
  done
done
exit $failed
