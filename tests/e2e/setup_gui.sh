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
suite=setup_gui
# shellcheck source=lib/checks.sh
. "$root/tests/e2e/lib/checks.sh"

step() {  # name, command...: the command's complaint is the failure's reason
  local name=$1 reason
  shift
  if reason=$("$@" 2>&1 >/dev/null); then ok "$name"; else fail "$name" "${reason:-failed}"; return 1; fi
}

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  fail environment "needs DISPLAY and WINEPREFIX (scripts/test provides both)"
  exit 1
fi
reg_exists() { run reg query "$1" >/dev/null 2>&1; }
auto_target="$(reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)\\Quandelwerk - Mirvo98"
user_target='C:\Eigenes Mirvo'

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
