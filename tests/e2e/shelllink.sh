#!/usr/bin/env bash
# Shortcuts saved through TPBShellLink and the system's shell link object,
# read back with lnkinfo (Debian's liblnk-utils), a reader nobody here wrote.
# That lnkinfo prints 0 for the show-window value and the hot key whatever the
# file holds, so those two come straight from the file header instead
# (ShowCommand: 4 bytes at 0x3C, HotKey: 2 bytes at 0x40, little-endian).
set -uo pipefail
# Wine takes command-line arguments and file names in the locale's character set.
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
savelink=$b/win64/tests/win/savelink.exe
dir=C:\\mirvo-e2e-shelllink
unix=$WINEPREFIX/drive_c/mirvo-e2e-shelllink
work=$(mktemp -d)
trap 'rm -rf "$work" "$unix"' EXIT

suite=shelllink
# shellcheck source=lib/checks.sh
. "$root/tests/e2e/lib/checks.sh"
# Runs savelink and waits for it (not for the end of its output: Wine's
# helper processes may keep inherited pipes open); its output goes to $work/out.
save() {
  "$root/tests/win/wine-run" "$savelink" "$@" >"$work/out" 2>&1
}
field() {  # lnkinfo output file, field name
  sed -n "s/^\t$2\t*: //p" "$1" | head -n1
}
header() {  # file, offset, bytes: the little-endian number there
  od -An -tu"$3" -j"$2" -N"$3" --endian=little "$1" | tr -d ' '
}

rm -rf "$unix"
mkdir -p "$unix"
echo program >"$unix/Mirvo98.exe"
echo help >"$unix/Mirvo98.hlp"

# One shortcut with every value set, a German description and file name. The
# umlauts go to Wine in UTF-8, reach the program in its ANSI code page and come
# out of lnkinfo in UTF-8 again.
ue=$'\xc3\xbc' oe=$'\xc3\xb6'
if save "$dir\\Mirvo 98 f${ue}r B${ue}ro" "$dir\\Mirvo98.exe" "$dir\\" "/s \"zwei W${oe}rter\"" \
  "Mirvo 98 - Hilfe f${ue}r B${ue}ro" minimized C074 "$dir\\Mirvo98.hlp" 2; then
  ok save
else
  fail save "$(cat "$work/out")"
fi
lnk="$unix/Mirvo 98 f${ue}r B${ue}ro.lnk"
if [ -f "$lnk" ]; then
  ok file-name
  lnkinfo "$lnk" >"$work/info" 2>&1 || fail lnkinfo "$(cat "$work/info")"
  check local-path "$(field "$work/info" 'Local path')" 'C:\mirvo-e2e-shelllink\Mirvo98.exe'
  check description "$(field "$work/info" 'Description')" "Mirvo 98 - Hilfe f${ue}r B${ue}ro"
  check working-directory "$(field "$work/info" 'Working directory')" 'C:\mirvo-e2e-shelllink\'
  check arguments "$(field "$work/info" 'Command line arguments')" "/s \"zwei W${oe}rter\""
  check icon-location "$(field "$work/info" 'Icon location')" 'C:\mirvo-e2e-shelllink\Mirvo98.hlp'
  check icon-index "$(field "$work/info" 'Icon index')" 2
  check show-command "$(header "$lnk" $((0x3C)) 4)" 7
  check hot-key "$(printf '0x%04x' "$(header "$lnk" $((0x40)) 2)")" 0x0674
else
  fail file-name "no $lnk"
fi

# The other window states and hot keys, each into the same file, which a save replaces.
for c in "maximized 2041 3 0x0141" "normal 0 1 0x0000"; do
  read -r state shortcut show hotkey <<<"$c"
  save "$dir\\Replaced.lnk" "$dir\\Mirvo98.exe" '' '' "$state" "$state" "$shortcut" '' 0 ||
    fail "save-$state" "$(cat "$work/out")"
  lnk=$unix/Replaced.lnk
  lnkinfo "$lnk" >"$work/info" 2>&1
  check "replaced-$state" "$(field "$work/info" 'Description')" "$state"
  check "show-command-$state" "$(header "$lnk" $((0x3C)) 4)" "$show"
  check "hot-key-$state" "$(printf '0x%04x' "$(header "$lnk" $((0x40)) 2)")" "$hotkey"
done

# A missing folder: the write error, and no file.
save "$dir\\missing\\Mirvo 98" "$dir\\Mirvo98.exe" '' '' '' normal 0 '' 0
status=$?
check missing-folder-status "$status" 1
check missing-folder-message "$(tr -d '\r' <"$work/out")" "$(printf 'error: Erreur en \xe9criture.')"
if [ -e "$unix/missing" ]; then fail missing-folder-no-file "$unix/missing exists"; else ok missing-folder-no-file; fi

exit $failed
