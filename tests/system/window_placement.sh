#!/usr/bin/env bash
# At scale 2 on a 1280 x 1024 screen (640 x 512 at the program's scale) every
# window's caption lies on the screen: the main window, too wide for it, is
# narrowed to the screen; the search dialog, the results window (stored at
# 85, 150, 701 pixels wide) and the about box lie wholly on it.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
SCREEN_W=1280
SCREEN_H=1024
start_display "${SCREEN_W}x$SCREEN_H"
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 40 > /dev/null

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/window_placement_failure.png" 2>/dev/null || true; exit 1; }
# on_screen WINDOW WHAT: the window lies within the screen from side to side
# and its top is on it.
on_screen() {
  local X= Y= WIDTH= HEIGHT= SCREEN= WINDOW=
  eval "$(xdotool getwindowgeometry --shell "$1")"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$SCREEN_W" ] && [ $((Y + HEIGHT)) -le "$SCREEN_H" ] \
    || fail "$2 lies at ${WIDTH}x$HEIGHT+$X+$Y, off the ${SCREEN_W}x$SCREEN_H screen"
}
menu_keys() { xdotool key --delay 100 alt "$@"; }
answer() { wait_for_focus "$1" || fail "window $1 did not get the keys"; xdotool key "$2"; }

QT_SCALE_FACTOR=2 start_program_in "$work"
WIN=$(wait_for_window "$MAIN_TITLE")
wait_for_focus "$WIN" || fail "the main window did not get the keys"
on_screen "$WIN" "the main window"

menu_keys Right Return Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) || fail "no search dialog"
on_screen "$DIALOG" "the search dialog"
answer "$DIALOG" Return
RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window"
on_screen "$RESULTS" "the results window"
answer "$RESULTS" alt+F4
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "Alt+F4 left the results open"

wait_for_focus "$WIN" || fail "the keys did not come back to the main window"
menu_keys Right Right Return Return
BOX=$(wait_for_window "$APP_TITLE" 10) || fail "no about box"
on_screen "$BOX" "the about box"
answer "$BOX" Return
