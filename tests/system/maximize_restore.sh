#!/usr/bin/env bash
# Maximising the main window without a window manager (and under one when
# VELIRSK_WM names one that is installed): a double-click on the caption,
# the maximise box and the system menu make the window cover the screen and
# give back its exact bounds; a maximised caption does not move the window;
# the keys stay with the window and reach its grid afterwards.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_wm; stop_display; rm -rf "$work"' EXIT

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 40 > /dev/null
DB="$work/dir/velirsk.dat"
start_wm

SCREEN_AREA="0,0,1024x768"
# The maximise box's middle, from the window's right end and top.
BOX_FROM_RIGHT=32
BOX_FROM_TOP=13

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/maximize_restore_failure.png" 2>/dev/null || true; exit 1; }
park_pointer() { xdotool mousemove 1020 760; }
geometry_of() {
  local X= Y= WIDTH= HEIGHT= SCREEN= WINDOW=
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X,$Y,${WIDTH}x$HEIGHT"
}
geometry_is() { [ "$(geometry_of "$WIN")" = "$1" ]; }
# expect_geometry GEOMETRY WHAT: the main window comes to GEOMETRY.
expect_geometry() { wait_until 10 "$2" geometry_is "$1" 2> /dev/null || fail "$2: the window is at $(geometry_of "$WIN"), not $1"; }
keys_here() { wait_for_focus "$WIN" || fail "the keys left the main window $1"; }
click_maximize_box() {
  local X= Y= WIDTH= HEIGHT= SCREEN= WINDOW=
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  xdotool mousemove $((X + WIDTH - BOX_FROM_RIGHT)) $((Y + BOX_FROM_TOP)) click 1
  park_pointer
}
double_click_caption() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1; park_pointer; }
phone_saved() { [ "$(sqlite3 "$DB" "SELECT COUNT(*) FROM \"Велирск\" WHERE \"Телефон\" = '$1';")" = 1 ]; }

start_program_in "$work/dir"
WIN=$(wait_for_window "$MAIN_TITLE")
wait_for_focus "$WIN" || fail "the main window did not get the keys at the start"
NORMAL=$(geometry_of "$WIN")
eval "$(xdotool getwindowgeometry --shell "$WIN")"

double_click_caption $((X + 200)) $((Y + 10))
expect_geometry "$SCREEN_AREA" "a double-click on the caption"
keys_here "when it was maximised"

# A drag on the maximised caption leaves the window where it is: the
# maximise box is then still at the screen's right end, where the next
# click restores.
xdotool mousemove 300 10 mousedown 1 mousemove 330 40 sleep 0.2 mousemove 360 70 sleep 0.2 mouseup 1
click_maximize_box
expect_geometry "$NORMAL" "the restore box after a drag on the maximised caption"
keys_here "when it was restored"

click_maximize_box
expect_geometry "$SCREEN_AREA" "the maximise box"
xdotool key --delay 100 alt+space Cyrillic_ve
expect_geometry "$NORMAL" "the system menu's Restore"
keys_here "after the system menu"

double_click_caption $((X + 200)) $((Y + 10))
expect_geometry "$SCREEN_AREA" "a second double-click on the caption"
double_click_caption 300 10
expect_geometry "$NORMAL" "a double-click on the maximised caption"
keys_here "after the last restore"

xdotool type --delay 40 70001
xdotool key Down
wait_until 10 "70001 in the file" phone_saved 70001 || fail "the keys did not reach the grid after maximising and restoring"
