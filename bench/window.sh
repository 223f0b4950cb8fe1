#!/usr/bin/env bash
# The windowed install against the console one, on the same distribution:
# setup.exe from the press of OK until its finish dialog appears, against a
# whole run of setupcli.exe. Prints one row of scripts/bench's table.
#   bench/window.sh DISTRIBUTION RUNS
# Needs what scripts/bench sets up: b (the build folder), WINEPREFIX, and
# an X display (started here when DISPLAY is unset).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$1 runs=$2
b=${b:-$root/build}
setup_exe=$b/win64/src/setup/setup.exe
shots=$b/bench/shots
# shellcheck source=../tests/e2e/lib/setup_gui.sh
source "$root/tests/e2e/lib/setup_gui.sh"
xvfb=
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:$((200 + RANDOM % 100))
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
fi
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null' EXIT
target_dir=$WINEPREFIX/drive_c/bench-target
mkdir -p "$b/bench"
now() { date +%s.%N; }
median() { sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.3f", m}'; }

window_times=() cli_times=()
for ((i = 0; i < runs; i++)); do
  # The window installs into the default target under "ProgramFilesDir"; point
  # that at the bench folder's parent so both runs write the same place.
  rm -rf "$target_dir"
  "$root/tests/win/wine-run" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir \
    /t REG_SZ /d 'C:\bench-window' /f >/dev/null 2>&1
  rm -rf "$WINEPREFIX/drive_c/bench-window"
  mkdir -p "$WINEPREFIX/drive_c/bench-window"
  gui_start "$dist" "$b/bench/window.out"
  gui_accept_licence "" || { echo "| whole window | setup.exe did not start | | | | FAILED |"; gui_stop; exit 1; }
  start=$(now)
  gui_click main.ok
  for ((t = 0; t < 15000; t++)); do  # five minutes at the most
    [ -n "$(gui_window finish)" ] && break
    sleep 0.02
  done
  window_times+=("$(echo "$(now) - $start" | bc -l)")
  gui_click finish.close
  gui_wait_exit 30 || gui_stop

  rm -rf "$target_dir"
  mkdir -p "$target_dir"
  start=$(now)
  (cd "$dist" && "$root/tests/win/wine-run" "$b/win64/src/setup/setupcli.exe" 'C:\bench-target') >/dev/null 2>&1
  cli_times+=("$(echo "$(now) - $start" | bc -l)")
done
"$root/tests/win/wine-run" reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir \
  /t REG_SZ /d 'C:\Program Files' /f >/dev/null 2>&1
rm -rf "$WINEPREFIX/drive_c/bench-window" "$target_dir"
window=$(printf '%s\n' "${window_times[@]}" | median)
cli=$(printf '%s\n' "${cli_times[@]}" | median)
ratio=$(echo "$window / $cli" | bc -l)
verdict=met
[ "$(echo "$ratio <= 1.25" | bc -l)" = 1 ] || verdict=MISSED
printf '| whole install, 64 MiB | setup.exe, OK to finish dialog %s s | setupcli.exe %s s | %.3f x | <= 1.25 x | %s |\n' \
  "$window" "$cli" "$ratio" "$verdict"
