# Drives setup.exe on an X display as a person would: finds its windows by
# caption, clicks at the places of the controls and presses keys, and keeps
# a screenshot of each window it passes. Sourced by tests/e2e/setup_gui.sh
# and scripts/demo; needs DISPLAY, WINEPREFIX (a prefix made by
# tests/win/make-prefix: one virtual desktop at the X root's origin, so that
# screen coordinates are X root coordinates), xdotool, xwininfo and
# ImageMagick.
#
# Callers set: root (the repository), setup_exe (the program), shots (the
# folder for the screenshots).

# Caption (an extended regular expression for xdotool) and client size of each window.
declare -A GUI_CAPTION=(
  [licence]='^Lizenzbedingungen$'
  [main]='^Setup von Mirvo 98$'
  [newfolder]='^Neues Verzeichnis in \.\.\.$'
  [finish]='^und tsch.*ss \.\.\.$'
  [info]='^INFO \.\.\.$'
  [question]='^Warnung$'
)
declare -A GUI_CLIENT=(
  [licence]='472 364'
  [main]='573 410'
  [newfolder]='298 110'
  [finish]='375 283'
  [info]='302 174'
)

# The middle of each control that the walk uses, in its window's client area.
declare -A GUI_AT=(
  [licence.accept]='237 319'      # SBOK
  [licence.decline]='237 350'     # SBAbbrechen
  [main.ok]='502 332'             # PButtons 462,320 + SBOK
  [main.cancel]='502 357'         # SBAbbrechen
  [main.info]='502 382'           # SBHilfe
  [main.auto]='60 249'            # Panel6 6,237 + RBAuto's caption
  [main.user]='60 321'            # Panel6 6,237 + RBUser's caption
  [main.drives]='297 179'         # PZielDriveFolder 201,120 + DriveComboBox1
  [main.newfolder]='298 322'      # PZielDriveFolder 201,120 + SpeedButton1
  [newfolder.ok]='168 87'         # SBOK
  [newfolder.cancel]='248 87'     # SBAbbrechen
  [finish.close]='301 252'        # Button1
  [info.ok]='247 151'             # SBOK
)

SETUP_PID=

# The id of the visible window of that kind; empty when there is none.
gui_window() {
  xdotool search --onlyvisible --name "${GUI_CAPTION[$1]}" 2>/dev/null | head -n1
}

# Waits up to the seconds for the window to appear.
gui_wait() {  # kind, seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    [ -n "$(gui_window "$1")" ] && { sleep 1; return 0; }  # painted and active
    sleep 0.1
  done
  return 1
}

gui_wait_gone() {  # kind, seconds
  local i
  for ((i = 0; i < $2 * 10; i++)); do
    [ -z "$(gui_window "$1")" ] && return 0
    sleep 0.1
  done
  return 1
}

# "X Y W H" of the window's frame on the screen.
gui_frame() {  # kind
  local id
  id=$(gui_window "$1")
  [ -n "$id" ] || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /Width:/ {w = $NF} /Height:/ {h = $NF} END {print x, y, w, h}'
}

# Clicks a control: the frame has the same width left, right and below,
# the caption bar takes the rest above the client area.
gui_click() {  # kind.control
  local kind=${1%%.*} x y w h cw ch cx cy border
  read -r x y w h <<<"$(gui_frame "$kind")" || return 1
  [ -n "$w" ] || return 1
  read -r cw ch <<<"${GUI_CLIENT[$kind]}"
  read -r cx cy <<<"${GUI_AT[$1]}"
  border=$(((w - cw) / 2))
  xdotool mousemove $((x + border + cx)) $((y + h - ch - border + cy))
  sleep 0.2
  xdotool click 1
  sleep "${GUI_SETTLE:-0.3}"
}

gui_keys() {
  xdotool key --delay 80 "$@"
  sleep 0.3
}

gui_type() {
  xdotool type --delay 60 "$1"
  sleep 0.3
}

# A screenshot of the window (or of the whole screen) into $shots/NAME.png.
gui_shot() {  # name, kind or "screen"
  local x y w h
  mkdir -p "$shots"
  if [ "$2" = screen ]; then
    import -window root "$shots/$1.png"
    return
  fi
  read -r x y w h <<<"$(gui_frame "$2")"
  [ -n "$w" ] || return 1
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$1.png"
}

# Starts setup.exe in the distribution folder, its start directory.
gui_start() {  # distribution folder, output file
  (cd "$1" && exec "$root/tests/win/wine-run" "$setup_exe") >"$2" 2>&1 &
  SETUP_PID=$!
}

# Waits up to the seconds for the program to end (for the process, not for
# the end of its output: Wine's desktop process may keep the pipes open).
gui_wait_exit() {  # seconds
  local i
  [ -n "$SETUP_PID" ] || return 0
  for ((i = 0; i < $1 * 10; i++)); do
    if ! kill -0 "$SETUP_PID" 2>/dev/null; then
      wait "$SETUP_PID" 2>/dev/null
      SETUP_PID=
      return 0
    fi
    sleep 0.1
  done
  return 1
}

gui_stop() {
  [ -n "$SETUP_PID" ] && kill "$SETUP_PID" 2>/dev/null && wait "$SETUP_PID" 2>/dev/null
  SETUP_PID=
}

# The steps of the walk. Each returns non-zero, with a word on standard
# error, when the window it expects does not come.
gui_accept_licence() {  # shot name or empty
  gui_wait licence 90 || { echo "no licence dialog" >&2; return 1; }
  [ -z "$1" ] || gui_shot "$1" licence
  gui_click licence.accept
  gui_wait_gone licence 20 && gui_wait main 30 || { echo "no main window after accepting" >&2; return 1; }
}

# User-defined mode on drive C:, whose list then shows C:\.
gui_user_mode_on_c() {
  gui_click main.user
  gui_click main.drives
  gui_keys c Return
}

# The new-folder dialog: types the name and presses OK.
gui_new_folder() {  # name, shot name or empty
  gui_click main.newfolder
  gui_wait newfolder 20 || { echo "no new-folder dialog" >&2; return 1; }
  gui_type "$1"
  [ -z "$2" ] || gui_shot "$2" newfolder
  gui_click newfolder.ok
  gui_wait_gone newfolder 20 || { echo "the new-folder dialog stays" >&2; return 1; }
}

# Whether a screenshot of the main window shows its progress layout: the
# explanation under "Automatisches Setup" (Memo1) has gone, its place in
# Panel6 is one colour. The strip looked at lies left of where the centred
# finish dialog covers the main window, so it tells also behind that dialog.
gui_progress_layout() {  # screenshot of the main window's frame
  local w h cw ch border colours
  read -r w h <<<"$(identify -format '%w %h' "$1")"
  read -r cw ch <<<"${GUI_CLIENT[main]}"
  border=$(((w - cw) / 2))
  colours=$(convert "$1" -crop "50x26+$((border + 30))+$((h - ch - border + 261))" -format %k info:)
  [ "$colours" = 1 ]
}

# OK in the main window. While the install runs, screenshots follow each
# other until one shows the progress layout; that one is kept as NAME. An
# install that is over before one is caught still shows the layout behind its
# finish dialog, and that screenshot is kept instead. Fails when neither shows it.
gui_ok_catching_progress() {  # name
  local i frame=$shots/.frame.png caught=1 finished
  mkdir -p "$shots"
  GUI_SETTLE=0 gui_click main.ok
  for ((i = 0; i < 2400; i++)); do
    finished=$(gui_window finish)
    gui_shot .frame main || break
    if gui_progress_layout "$frame"; then
      mv "$frame" "$shots/$1.png"
      caught=0
      break
    fi
    [ -n "$finished" ] && break
  done
  rm -f "$frame"
  return $caught
}

# OK in the main window, then the finish dialog.
gui_install() {  # progress shot name or empty, finish shot name or empty
  if [ -n "$1" ]; then
    gui_ok_catching_progress "$1" || echo "the install was over before its progress could be seen" >&2
  else
    gui_click main.ok
  fi
  gui_wait finish 240 || { echo "no finish dialog" >&2; return 1; }
  [ -z "$2" ] || gui_shot "$2" finish
  gui_click finish.close
  gui_wait_gone finish 20 || { echo "the finish dialog stays" >&2; return 1; }
}

gui_info() {  # shot name or empty
  gui_click main.info
  gui_wait info 20 || { echo "no info dialog" >&2; return 1; }
  [ -z "$1" ] || gui_shot "$1" info
  gui_click info.ok
  gui_wait_gone info 20 || { echo "the info dialog stays" >&2; return 1; }
}

# The cancel question, answered with the key of "&Ja" (j) or "&Nein" (n).
gui_cancel() {  # j or n, shot name or empty
  gui_click main.cancel
  gui_wait question 20 || { echo "no cancel question" >&2; return 1; }
  [ -z "$2" ] || gui_shot "$2" screen
  gui_keys "alt+$1"
  gui_wait_gone question 20 || { echo "the question stays" >&2; return 1; }
}
