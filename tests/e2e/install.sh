#!/usr/bin/env bash
# The whole install sequence, end to end: setupcli.exe run from the demo
# distribution in the test prefix, into a folder under C:\Programme. Checks
# what a user would find afterwards: the program and the companion files, the
# uninstaller and its entry, the product record, and the Start-menu group
# with its four shortcuts read back with lnkinfo (the show command from the
# file header, which Debian's lnkinfo misprints).
set -uo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
run() { "$root/tests/win/wine-run" "$@"; }
target='C:\Programme\Quandelwerk - Mirvo98'
unix="$WINEPREFIX/drive_c/Programme/Quandelwerk - Mirvo98"
work=$b/e2e-install
failed=0
ok() { echo "ok install-$1"; }
fail() {
  echo "FAIL install-$1: $2"
  failed=1
}
check() {  # name, actual, expected
  if [ "$2" = "$3" ]; then ok "$1"; else fail "$1" "got '$2', expected '$3'"; fi
}
unix_path() {  # C:\a\b -> the file in the prefix
  local p=${1//\\//}
  echo "$WINEPREFIX/drive_c${p#C:}"
}
reg_value() {  # key, value name
  run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'
}
cleanup() { rm -rf "$work" "$WINEPREFIX/drive_c/Programme"; }
trap cleanup EXIT
cleanup
mkdir -p "$work" "$WINEPREFIX/drive_c/Programme"

dist=$work/dist
"$b/native/tools/mkdist/mkdist" --out "$dist" --program "$b/win64/demo/mirvo98.exe" \
  --help demo/files/Mirvo98.hlp --order-txt demo/files/order.txt --order-doc demo/files/Bestell.doc \
  --readme demo/files/Readme.txt --file-id demo/files/FILE_ID.DIZ --uninstaller "$b/win64/demo/uninstall.exe" 2>&1 ||
  fail mkdist "could not lay out the distribution"

# Wait for the process, not for the end of its output.
(cd "$dist" && run "$b/win64/src/setup/setupcli.exe" "$target") >"$work/out" 2>&1
status=$?
tr -d '\r' <"$work/out" >"$work/lines"
check exit-status "$status" 0
check finished "$(grep -c '^finished$' "$work/lines")" 1
check progress "$(sed -n 's/^progress: //p' "$work/lines")" 350
check no-messages "$(grep -c '^message:' "$work/lines")" 0

cmp -s "$b/win64/demo/mirvo98.exe" "$unix/mirvo98.exe" && ok program || fail program "mirvo98.exe missing or different"
for f in Mirvo98.hlp order.txt Bestell.doc Readme.txt FILE_ID.DIZ; do
  cmp -s "demo/files/$f" "$unix/$f" && ok "companion-$f" || fail "companion-$f" "missing or different"
done
cmp -s "$b/win64/demo/uninstall.exe" "$WINEPREFIX/drive_c/windows/System/UninstallMirvo98.exe" && ok uninstaller ||
  fail uninstaller "UninstallMirvo98.exe missing or different"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandelwerk_Mirvo98'
check uninstall-name "$(reg_value "$uninstall_key" DisplayName)" "Mirvo 98"
check uninstall-string "$(reg_value "$uninstall_key" UninstallString)" 'C:\windows\System\UninstallMirvo98.exe'
check product-path "$(reg_value 'HKLM\Software\Quandelwerk\Mirvo98v2' Pfad)" "$target\\"

programs=$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
group=$(unix_path "$programs")/Mirvo\ 98
field() { sed -n "s/^\t$2\t*: //p" "$1" | head -n1; }
show_command() { od -An -tu4 -j60 -N4 --endian=little "$1" | tr -d ' '; }
while IFS='|' read -r name file; do
  lnk="$group/$name.lnk"
  if [ ! -f "$lnk" ]; then
    fail "shortcut-$file" "no $name.lnk in $group"
    continue
  fi
  lnkinfo "$lnk" >"$work/info" 2>&1
  check "shortcut-$file-target" "$(field "$work/info" 'Local path')" "$target\\$file"
  check "shortcut-$file-working-dir" "$(field "$work/info" 'Working directory')" "$target\\"
  check "shortcut-$file-description" "$(field "$work/info" 'Description')" "$name"
  check "shortcut-$file-icon" "$(field "$work/info" 'Icon location')" "$target\\$file"
  check "shortcut-$file-show-command" "$(show_command "$lnk")" 1
done <<'LINKS'
Mirvo 98|Mirvo98.exe
Mirvo 98 - Hilfe|Mirvo98.hlp
Bestellformular im Word-Format|Bestell.doc
Bestellformular im TXT-Format|Order.txt
LINKS
exit $failed
