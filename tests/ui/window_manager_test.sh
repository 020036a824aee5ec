#!/usr/bin/env bash
# The desktop program under a real window manager (Xvfb and openbox), driven
# by key presses: the first start opens a Data window wide enough for its
# table; five starts, each ended with F12, leave the same settings file, so
# the windows neither grow nor drift from one start to the next; the main
# window's title is the program's own text; keys still work in the Data
# window after runs started by keys. Then three more starts at twice
# the scale (QT_SCALE_FACTOR=2), where a frame's corner falls on half pixels,
# keep that file too.
#   window_manager_test.sh NOVAREL_GUI
# Exits 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -euo pipefail
gui=$1
for tool in Xvfb openbox xdotool xprop xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
  pkill -f "novarel-gui --dir $work/folder" 2>/dev/null || true
  [[ -n ${wm:-} ]] && kill "$wm" 2>/dev/null || true
  [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

mkdir "$work/folder"
build=$(dirname "$gui")
cp "$build"/OPTIONS.OPT "$build"/OPTIONS.MAS "$build"/EPHEMERI.TTF "$work/folder/"

# Waits (up to 20 s) for a window whose name matches, and prints its id.
window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [[ -n $id ]] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window named '$1'"
}

previous=
for start in 1 2 3 4 5 6 7 8; do
  scale=1
  ((start > 5)) && scale=2
  QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$gui" --dir "$work/folder" >"$work/gui.log" 2>&1 &
  pid=$!
  main=$(window '^NOVAREL_SE - [0-9]')
  window '^Input Data$' >/dev/null
  title=$(xprop -id "$main" _NET_WM_NAME)
  [[ $title == *'"NOVAREL_SE - '[0-9]*'"' ]] || fail "the main window's title reads $title"
  sleep 0.5  # the manager's frame settles
  if ((start == 1)); then
    # The first start: Enter calculates the month's ephemeris into a Data
    # window as wide as its 134-character lines (over 1000 pixels at 10
    # points), the screen being wide enough.
    xdotool windowactivate --sync "$(window '^Input Data$')" key Return
    data=$(window '^NOVAREL_SE - Data$')
    sleep 0.5
    width=$(xdotool getwindowgeometry "$data" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
    ((width >= 1000)) || fail "the first Data window is $width pixels wide"
    # Keys after runs started by keys still reach the Data window: F2, F2,
    # F3, then F6 opens Save As.
    for key in F2 F2 F3; do
      xdotool key "$key"
      sleep 1
    done
    xdotool key F6
    save=$(window '^Save As$')
    xdotool windowactivate --sync "$save" key Escape
    sleep 0.5
  fi
  xdotool windowactivate --sync "$main" key F12
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "start $start: F12 did not end the program"
  settings=$(tr -d '\r' <"$work/folder/novarel_SE.ini")
  # The first start at twice the scale may pull a window onto the smaller
  # screen; from then on the file stays as it is.
  if ((start != 6)) && [[ -n $previous && $settings != "$previous" ]]; then
    diff <(echo "$previous") <(echo "$settings") >&2 || true
    fail "start $start changed the settings file"
  fi
  previous=$settings
done
echo "five starts, one settings file; three at twice the scale, one file"
