#!/usr/bin/env bash
# The keyboard as a person uses it, without a window manager (and under one
# when VELIRSK_WM names one that is installed): the grid has the keys from
# the start and after navigator clicks; whenever the about box, the delete
# confirmation, the search dialog or the results window goes, the keys come
# back to the main window; the search dialog's caption is drawn active;
# Alt+F4 and the system menu (Alt+Space) close windows through their
# ordinary closing, which saves the row being typed.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_wm; stop_display; rm -rf "$work"' EXIT

ACTIVE_CAPTION="10,36,106"
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 40 > /dev/null
DB="$work/dir/velirsk.dat"
start_wm

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/keyboard_focus_failure.png" 2>/dev/null || true; exit 1; }
count_phone() { sqlite3 "$DB" "SELECT COUNT(*) FROM \"Велирск\" WHERE \"Телефон\" = '$1';"; }

# The pointer stays off every window: keys that have no window with the
# focus are then lost instead of reaching the window under the pointer.
park_pointer() { xdotool mousemove 1020 760; }

open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$MAIN_TITLE")
  wait_for_focus "$WIN" || fail "the main window did not get the keys at the start"
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  CX=$((X + 4)); CY=$((Y + 42))
}
nav_button() { xdotool mousemove $((CX + (2 * $1 + 1) * 691 / 18)) $((CY + 12)) click 1; park_pointer; }
menu_keys() { xdotool key --delay 100 alt "$@"; }
phone_saved() { [ "$(count_phone "$1")" = 1 ]; }
# keys_back WHAT: the main window has the keys again after WHAT went.
keys_back() { wait_for_focus "$WIN" || fail "the keys did not come back to the main window $1"; }
# answer WINDOW KEY: presses KEY in WINDOW once the window has the keys.
answer() { wait_for_focus "$1" || fail "window $1 did not get the keys"; xdotool key "$2"; }

# Types a telephone number into the current cell and leaves the row; the
# number reaches the file only when the grid had the keys.
type_into_grid() {
  xdotool type --delay 40 "$1"
  xdotool key Down
  wait_until 10 "$1 in the file" phone_saved "$1" || fail "$2: the keys did not reach the grid"
}

open_window
park_pointer
type_into_grid 70001 "at start"

# The inserted row's "-" and then "+" with typing and the post button.
nav_button 4
nav_button 5
box=$(wait_for_window "Confirm" 10) || fail "no confirmation for the new row"
answer "$box" Return
keys_back "after the confirmation"
type_into_grid 70002 "after - on the new row"
nav_button 4
xdotool type --delay 40 70003
nav_button 7
wait_until 10 "70003 in the file" phone_saved 70003 || fail "the text typed after + was lost"

# The about box.
menu_keys Right Right Return Return
box=$(wait_for_window "$APP_TITLE" 10) || fail "no about box"
answer "$box" Return
keys_back "after the about box"
type_into_grid 70004 "after the about box"

# The delete confirmation, answered Cancel.
xdotool key ctrl+Delete
box=$(wait_for_window "Confirm" 10) || fail "no delete confirmation"
answer "$box" Escape
keys_back "after the delete confirmation"
type_into_grid 70005 "after the delete confirmation"

# The search dialog: drawn active, closed by Alt+F4.
menu_keys Right Return Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) || fail "no search dialog"
wait_for_focus "$DIALOG" || fail "the search dialog did not get the keys"
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
wait_for_pixel $((X + 4)) $((Y + 5)) "$ACTIVE_CAPTION" 5 || fail "the search dialog's caption is not active"
xdotool key alt+F4
wait_for_no_window "^$(regex "$DIALOG_TITLE")\$" || fail "Alt+F4 left the dialog open"
keys_back "after the search dialog"
type_into_grid 70006 "after the search dialog"

# The results window, closed by Alt+F4.
menu_keys Right Return Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) || fail "no search dialog the second time"
answer "$DIALOG" Return
RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window"
answer "$RESULTS" alt+F4
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "Alt+F4 left the results open"
keys_back "after the results window"
type_into_grid 70007 "after the results window"

# The system menu's Close on the main window saves the row being typed.
xdotool type --delay 40 70008
xdotool key --delay 100 alt+space Cyrillic_ze
wait_for_exit 10 || fail "the system menu's Close did not end the program"
[ "$PROGRAM_STATUS" = 0 ] || fail "exit code $PROGRAM_STATUS after the system menu's Close"
[ "$(count_phone 70008)" = 1 ] || fail "the system menu's Close lost the typed text"

# Alt+F4 on the main window saves the row being typed too.
open_window
park_pointer
xdotool type --delay 40 70009
xdotool key alt+F4
wait_for_exit 10 || fail "Alt+F4 did not end the program"
[ "$PROGRAM_STATUS" = 0 ] || fail "exit code $PROGRAM_STATUS after Alt+F4"
[ "$(count_phone 70009)" = 1 ] || fail "Alt+F4 lost the typed text"
