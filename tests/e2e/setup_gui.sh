#!/usr/bin/env bash
# setup.exe itself, in the test prefix's virtual desktop, driven with mouse
# clicks and key presses at the places of its controls: declining the
# licence writes nothing; the automatic setup installs into the program-files
# folder (a 128 MiB program, so that the progress layout can be seen); the
# user-defined setup installs into a folder made with the new-folder dialog;
# the info dialog; the cancel question answered "&Nein", then "&Ja". After
# each install: the files byte for byte, the registry values and the four
# shortcuts read back with lnkinfo. Screenshots of every window passed stay
# in $MIRVO_BUILD/artifacts/setup-*.png.
set -uo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
setup_exe=$b/win64/src/setup/setup.exe
shots=$b/artifacts
work=$b/e2e-setup-gui
# shellcheck source=lib/setup_gui.sh
. "$root/tests/e2e/lib/setup_gui.sh"

failed=0
ok() { echo "ok setup_gui-$1"; }
fail() {
  echo "FAIL setup_gui-$1: $2"
  failed=1
}
check() {  # name, actual, expected
  if [ "$2" = "$3" ]; then ok "$1"; else fail "$1" "got '$2', expected '$3'"; fi
}
step() {  # name, command...: the command's complaint is the failure's reason
  local name=$1 reason
  shift
  if reason=$("$@" 2>&1 >/dev/null); then ok "$name"; else fail "$name" "${reason:-failed}"; return 1; fi
}

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  fail environment "needs DISPLAY and WINEPREFIX (scripts/test provides both)"
  exit 1
fi
run() { "$root/tests/win/wine-run" "$@"; }
reg_value() {  # key, value name
  run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n {sub(/^ *[^ ]+ +REG_SZ +/, ""); print}'
}
reg_exists() { run reg query "$1" >/dev/null 2>&1; }
unix_path() {  # C:\a\b -> the file in the prefix
  local p=${1//\\//}
  echo "$WINEPREFIX/drive_c${p#C:}"
}

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandelwerk_Mirvo98'
product_key='HKLM\Software\Quandelwerk\Mirvo98v2'
auto_target="$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)\\Quandelwerk - Mirvo98"
user_target='C:\Eigenes Mirvo'
programs=$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
group="$(unix_path "$programs")/Mirvo 98"
uninstaller=$WINEPREFIX/drive_c/windows/System/UninstallMirvo98.exe

# Whatever an install leaves behind, also from the other suites in this prefix.
clean_product() {
  rm -rf "$(unix_path "$auto_target")" "$(unix_path "$user_target")" "$group" "$uninstaller"
  run reg delete "$uninstall_key" /f >/dev/null 2>&1
  run reg delete "$product_key" /f >/dev/null 2>&1
}
cleanup() {
  gui_stop
  clean_product
  rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work" "$shots"
rm -f "$shots"/setup-*.png
clean_product

check automatic-target "$auto_target" 'C:\Program Files\Quandelwerk - Mirvo98'

# Two distributions: the demo program, and a large program for the long install.
make_dist() {  # folder, program file
  "$b/native/tools/mkdist/mkdist" --out "$1" --program "$2" \
    --help "$root/demo/files/Mirvo98.hlp" --order-txt "$root/demo/files/order.txt" \
    --order-doc "$root/demo/files/Bestell.doc" --readme "$root/demo/files/Readme.txt" \
    --file-id "$root/demo/files/FILE_ID.DIZ" --uninstaller "$b/win64/demo/uninstall.exe"
}
small=$b/win64/demo/mirvo98.exe
large=$work/large.exe
head -c $((128 << 20)) /dev/urandom >"$large"
make_dist "$work/dist" "$small" >/dev/null 2>&1 || fail mkdist "could not lay out the distribution"
make_dist "$work/dist-large" "$large" >/dev/null 2>&1 || fail mkdist-large "could not lay out the large distribution"

nothing_written() {  # name
  local left=""
  [ -e "$(unix_path "$auto_target")" ] && left+=" $auto_target"
  [ -e "$(unix_path "$user_target")" ] && left+=" $user_target"
  [ -e "$group" ] && left+=" the Start-menu group"
  [ -e "$uninstaller" ] && left+=" the uninstaller"
  reg_exists "$uninstall_key" && left+=" the uninstall entry"
  reg_exists "$product_key" && left+=" the product key"
  if [ -z "$left" ]; then ok "$1-nothing-written"; else fail "$1-nothing-written" "found$left"; fi
}

installed() {  # name, target, program file
  local name=$1 target=$2 program=$3 dir lnk field_of
  dir=$(unix_path "$target")
  cmp -s "$program" "$dir/mirvo98.exe" && ok "$name-program" || fail "$name-program" "mirvo98.exe missing or different"
  for f in Mirvo98.hlp order.txt Bestell.doc Readme.txt FILE_ID.DIZ; do
    cmp -s "$root/demo/files/$f" "$dir/$f" && ok "$name-companion-$f" || fail "$name-companion-$f" "missing or different"
  done
  cmp -s "$b/win64/demo/uninstall.exe" "$uninstaller" && ok "$name-uninstaller" ||
    fail "$name-uninstaller" "UninstallMirvo98.exe missing or different"
  check "$name-uninstall-name" "$(reg_value "$uninstall_key" DisplayName)" "Mirvo 98"
  check "$name-uninstall-string" "$(reg_value "$uninstall_key" UninstallString)" 'C:\windows\System\UninstallMirvo98.exe'
  check "$name-product-path" "$(reg_value "$product_key" Pfad)" "$target\\"
  field() { sed -n "s/^\t$2\t*: //p" "$1" | head -n1; }
  # lnkinfo misprints the show command: it comes from the file header (4 bytes at 0x3C).
  show_command() { od -An -tu4 -j60 -N4 --endian=little "$1" | tr -d ' '; }
  while IFS='|' read -r link file; do
    lnk="$group/$link.lnk"
    if [ ! -f "$lnk" ]; then
      fail "$name-shortcut-$file" "no $link.lnk in $group"
      continue
    fi
    lnkinfo "$lnk" >"$work/info" 2>&1
    check "$name-shortcut-$file-target" "$(field "$work/info" 'Local path')" "$target\\$file"
    check "$name-shortcut-$file-working-dir" "$(field "$work/info" 'Working directory')" "$target\\"
    check "$name-shortcut-$file-description" "$(field "$work/info" 'Description')" "$link"
    check "$name-shortcut-$file-icon" "$(field "$work/info" 'Icon location')" "$target\\$file"
    check "$name-shortcut-$file-show-command" "$(show_command "$lnk")" 1
  done <<'LINKS'
Mirvo 98|Mirvo98.exe
Mirvo 98 - Hilfe|Mirvo98.hlp
Bestellformular im Word-Format|Bestell.doc
Bestellformular im TXT-Format|Order.txt
LINKS
}

ends() {  # name
  if gui_wait_exit 30; then ok "$1-program-ends"; else fail "$1-program-ends" "still running 30 s later"; gui_stop; fi
}

# Declining: the program ends and nothing is written.
gui_start "$work/dist" "$work/decline.out"
if gui_wait licence 90; then
  ok decline-licence-shown
  gui_shot setup-licence licence
  gui_click licence.decline
  ends decline
else
  fail decline-licence-shown "no licence dialog within 90 s"
  gui_stop
fi
nothing_written decline

# The automatic setup, with the large program.
gui_start "$work/dist-large" "$work/auto.out"
if step auto-licence gui_accept_licence ""; then
  gui_shot setup-main-automatic main
  if gui_ok_catching_progress setup-progress; then
    ok auto-progress-layout
  else
    fail auto-progress-layout "no screenshot of the progress layout before the finish dialog came"
  fi
  if gui_wait finish 240; then
    ok auto-finish-dialog
    gui_shot setup-finish finish
    gui_click finish.close
    ends auto
  else
    fail auto-finish-dialog "no finish dialog within 240 s"
    gui_stop
  fi
  installed auto "$auto_target" "$large"
else
  gui_stop
fi
rm -f "$large"
rm -rf "$work/dist-large"
clean_product

# The user-defined setup into a new folder on drive C:.
gui_start "$work/dist" "$work/user.out"
if step user-licence gui_accept_licence ""; then
  gui_user_mode_on_c
  gui_shot setup-main-user main
  if step user-new-folder gui_new_folder "Eigenes Mirvo" setup-newfolder; then
    if [ -d "$(unix_path "$user_target")" ]; then ok user-folder-created; else fail user-folder-created "no $user_target"; fi
    gui_shot setup-main-user-newfolder main
    step user-install gui_install "" "" && ends user
    installed user "$user_target" "$small"
  fi
fi
gui_stop
clean_product

# The info dialog, and the cancel question: "&Nein" keeps the window, "&Ja" ends the program.
gui_start "$work/dist" "$work/cancel.out"
if step cancel-licence gui_accept_licence ""; then
  step info-dialog gui_info setup-info
  if step cancel-no gui_cancel n setup-cancel-question; then
    if [ -n "$(gui_window main)" ] && kill -0 "$SETUP_PID" 2>/dev/null; then ok cancel-no-keeps-window; else
      fail cancel-no-keeps-window "the main window went"
    fi
  fi
  step cancel-yes gui_cancel j "" && ends cancel-yes
fi
gui_stop
nothing_written cancel

exit $failed
