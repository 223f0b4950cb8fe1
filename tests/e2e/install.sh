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
target='C:\Programme\Quandelwerk - Mirvo98'
work=$b/e2e-install
suite=install
# shellcheck source=lib/checks.sh
. "$root/tests/e2e/lib/checks.sh"
cleanup() { rm -rf "$work" "$WINEPREFIX/drive_c/Programme"; }
trap cleanup EXIT
cleanup
mkdir -p "$work" "$WINEPREFIX/drive_c/Programme"

dist=$work/dist
"$b/native/tools/mkdist/mkdist" --out "$dist" --program "$b/win64/demo/mirvo98.exe" \
  --help "$root/demo/files/Mirvo98.hlp" --order-txt "$root/demo/files/order.txt" \
  --order-doc "$root/demo/files/Bestell.doc" --readme "$root/demo/files/Readme.txt" \
  --file-id "$root/demo/files/FILE_ID.DIZ" --uninstaller "$b/win64/demo/uninstall.exe" 2>&1 ||
  fail mkdist "could not lay out the distribution"

# Wait for the process, not for the end of its output.
(cd "$dist" && run "$b/win64/src/setup/setupcli.exe" "$target") >"$work/out" 2>&1
status=$?
tr -d '\r' <"$work/out" >"$work/lines"
check exit-status "$status" 0
check finished "$(grep -c '^finished$' "$work/lines")" 1
check progress "$(sed -n 's/^progress: //p' "$work/lines")" 350
check no-messages "$(grep -c '^message:' "$work/lines")" 0

installed "" "$target" "$b/win64/demo/mirvo98.exe"
exit $failed
