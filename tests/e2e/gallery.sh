#!/usr/bin/env bash
# The control gallery under Wine on the test display: its window is drawn
# (navy form, silver panel, many colours; the screenshot stays in
# $MIRVO_BUILD/artifacts/gallery.png for a person to look at), the real
# pointer over a three-dimensional link label gives the mouse-out when it
# leaves and a click when pressed, and Alt+F4 ends the program.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
gallery=$b/win64/tests/win/gallery.exe
shot=$b/artifacts/gallery.png
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$b/artifacts"
failed=0

ok() { echo "ok gallery-$1"; }
fail() {
  echo "FAIL gallery-$1: $2"
  failed=1
}
# Waits up to N seconds for a line of the gallery's output.
wait_for() {  # pattern, seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    tr -d '\r' <"$work/out" | grep -q "$1" && return 0
    sleep 0.1
  done
  return 1
}
value() { tr -d '\r' <"$work/out" | sed -n "s/^$1 //p" | head -n1; }
pixel() {  # x, y: the screenshot's colour there as #RRGGBB
  convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1
}
check_pixel() {  # name, x, y, expected #RRGGBB
  local got
  got=$(pixel "$2" "$3")
  if [ "$got" = "$4" ]; then ok "$1"; else fail "$1" "pixel at $2,$3 is '$got', expected '$4'"; fi
}

: >"$work/out"  # there before the program writes to it
"$root/tests/win/wine-run" "$gallery" >"$work/out" 2>/dev/null &
pid=$!
if ! wait_for '^ready ' 60; then
  fail appears "no window within 60 s"
  echo "gallery: $failed"
  exit 1
fi
ok appears
read -r x y <<<"$(value ready)"
sleep 3  # drawn
rm -f "$shot"
import -window root "$shot"
colours=$(identify -format %k "$shot" 2>/dev/null || echo 0)
if [ "$colours" -gt 40 ]; then ok screenshot; else fail screenshot "only $colours colours in $shot"; fi
check_pixel form-colour $((x + 4)) $((y + 62)) '#000080'
check_pixel panel-colour $((x + 15)) $((y + 255)) '#C0C0C0'
# The panel's lowered bevel: a line of the system's shadow colour between navy and silver.
bevel=$(pixel $((x + 10)) $((y + 150)))
if [ "$(pixel $((x + 9)) $((y + 150)))" = '#000080' ] && [ "$(pixel $((x + 11)) $((y + 150)))" = '#C0C0C0' ] &&
  [ "$bevel" != '#000080' ] && [ "$bevel" != '#C0C0C0' ]; then
  ok panel-bevel
else
  fail panel-bevel "no bevel line at the panel's left edge"
fi

# The real pointer: onto the link label, off it, onto it again and a click.
read -r lx ly <<<"$(value link)"
xdotool mousemove "$lx" "$ly"
sleep 0.5
xdotool mousemove "$lx" $((ly + 40))
if wait_for '^out myLabel3dLink' 10; then ok mouse-out; else fail mouse-out "no mouse-out from the link label"; fi
xdotool mousemove "$lx" "$ly"
sleep 0.5
xdotool click 1
if wait_for '^click myLabel3dLink' 10; then ok link-click; else fail link-click "no click from the link label"; fi

# Alt+F4 closes the main form, which ends the program.
xdotool key alt+F4
for ((i = 0; i < 200; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail closes "still running 20 s after Alt+F4"
else
  ok closes
  pid=
fi
exit $failed
