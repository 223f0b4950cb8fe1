#!/usr/bin/env bash
# setupcli.exe run in a distribution directory under wine64: the companion
# files land byte-identical in the target, the uninstaller in the Windows
# system folder and its entry in the list of removable programs, and the
# printed progress follows the block counts. A first run without "ui.dat"
# stops right after the companion files, where the steps are still visible
# (a completed run always ends at 350); the second run is complete, from a
# distribution whose files cannot be opened for writing, as on a CD-ROM.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
setupcli=$b/win64/src/setup/setupcli.exe
mkdist=$b/native/tools/mkdist/mkdist
target='C:\mirvo-e2e-companion'
unix=$WINEPREFIX/drive_c/mirvo-e2e-companion
uninstaller=$WINEPREFIX/drive_c/windows/System/UninstallMirvo98.exe
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandelwerk_Mirvo98'
work=$b/e2e-companion

forget_install() {
  rm -rf "$unix" "$uninstaller"
  "$root/tests/win/wine-run" reg delete "$key" /f >/dev/null 2>&1
}
cleanup() {
  chattr -R -i "$work" 2>/dev/null
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
  forget_install
}
trap cleanup EXIT
cleanup  # what a killed run may have left, immutable files included
mkdir -p "$work"

suite=companion
# shellcheck source=lib/checks.sh
. "$root/tests/e2e/lib/checks.sh"
# Runs setupcli in the distribution; waits for the process, not for the end of
# its output (Wine's helpers may keep inherited pipes open). Output: $work/out.
install() {  # distribution directory
  (cd "$1" && "$root/tests/win/wine-run" "$setupcli" "$target") >"$work/out" 2>&1
  status=$?
  tr -d '\r' <"$work/out" >"$work/lines"
}
line() { sed -n "s/^$1: //p" "$work/lines" | head -n1; }
same_companions() {  # name
  local bad=""
  for f in Mirvo98.hlp order.txt Bestell.doc Readme.txt FILE_ID.DIZ; do
    cmp -s "$work/files/$f" "$unix/$f" || bad+=" $f"
  done
  if [ -z "$bad" ]; then ok "$1"; else fail "$1" "differ or missing:$bad"; fi
}
blocks() { echo $((($(stat -c %s "$1") + 4095) / 4096)); }

# Files of known sizes: empty, exactly one block, one byte over, several blocks.
mkdir -p "$work/files"
size() { head -c "$2" /dev/urandom >"$work/files/$1"; }
size program.exe 10000
size Mirvo98.hlp 4096
size order.txt 0
size Bestell.doc 4097
size Readme.txt 12288
size FILE_ID.DIZ 100
size ui.dat 50000
expected=10  # target preparation
expected=$((expected + $(blocks "$work/files/program.exe")))
for f in Mirvo98.hlp order.txt Bestell.doc Readme.txt FILE_ID.DIZ; do
  expected=$((expected + $(blocks "$work/files/$f")))
done
lay_out() {  # directory, mkdist options for the uninstaller...
  "$mkdist" --out "$1" --program "$work/files/program.exe" --help "$work/files/Mirvo98.hlp" \
    --order-txt "$work/files/order.txt" --order-doc "$work/files/Bestell.doc" \
    --readme "$work/files/Readme.txt" --file-id "$work/files/FILE_ID.DIZ" "${@:2}"
}

# 1. No uninstaller in the distribution: the five copies step the bar, then the
#    uninstaller copy ends the sequence without a message.
lay_out "$work/partial" || fail mkdist "cannot lay out the distribution"
install "$work/partial"
check stop-status "$status" 2
check stop-progress "$(line progress)" "$expected"
if [ -n "$(line error)" ]; then ok stop-error; else fail stop-error "no error line: $(cat "$work/lines")"; fi
check stop-no-message "$(line message)" ""
same_companions stop-companions
if [ ! -e "$uninstaller" ]; then ok stop-no-uninstaller; else fail stop-no-uninstaller "placed anyway"; fi
if "$root/tests/win/wine-run" reg query "$key" >/dev/null 2>&1; then
  fail stop-not-registered "the uninstall entry exists"
else
  ok stop-not-registered
fi

# 2. The complete distribution, made unwritable as a CD-ROM is.
forget_install
lay_out "$work/complete" --uninstaller "$work/files/ui.dat" || fail mkdist "cannot lay out the distribution"
chmod -R a-w "$work/complete"
chattr -R +i "$work/complete" 2>/dev/null
if (: >>"$work/complete/Readme.txt") 2>/dev/null; then
  echo "note: the distribution could not be made unwritable here; it runs writable"
fi
install "$work/complete"
check status "$status" 0
check finished "$(grep -c '^finished$' "$work/lines")" 1
check no-message "$(line message)" ""
check progress "$(line progress)" 350
same_companions companions
if cmp -s "$work/files/ui.dat" "$uninstaller"; then
  ok uninstaller
else
  fail uninstaller "not in C:\\windows\\System or different"
fi
"$root/tests/win/wine-run" reg query "$key" >"$work/reg" 2>&1
tr -d '\r' <"$work/reg" >"$work/values"
value() { sed -n "s/^ *$1 \{2,\}REG_SZ \{2,\}//p" "$work/values"; }
check display-name "$(value DisplayName)" "Mirvo 98"
check uninstall-string "$(value UninstallString)" 'C:\windows\System\UninstallMirvo98.exe'

exit $failed
