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

TITLE="Телефонный справочник г. Велирск v. 1.0"
APP_TITLE="Телефонный справочник г. Велирск"
DIALOG_TITLE="Телефонный справочник г. Велирск | Поиск в базе данных"
RESULTS_PREFIX="Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) "
ACTIVE_CAPTION="10,36,106"
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 40 > /dev/null
DB="$work/dir/velirsk.dat"
start_wm

regex() { printf '%s' "$1" | sed 's/[][().|*+?{}^$\\]/\\&/g'; }
fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/keyboard_focus_failure.png" 2>/dev/null || true; exit 1; }
count_phone() { sqlite3 "$DB" "SELECT COUNT(*) FROM \"Велирск\" WHERE \"Телефон\" = '$1';"; }

# The pointer stays off every window: keys that have no window with the
# focus are then lost instead of reaching the window under the pointer.
park_pointer() { xdotool mousemove 1020 760; sleep 0.2; }

open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$TITLE")
  sleep 0.8
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  CX=$((X + 4)); CY=$((Y + 42))
}
nav_button() { xdotool mousemove $((CX + (2 * $1 + 1) * 691 / 18)) $((CY + 12)) click 1; sleep 0.4; park_pointer; }
menu_keys() { xdotool key alt; sleep 0.2; for k in "$@"; do xdotool key "$k"; sleep 0.2; done; }

# Types a telephone number into the current cell and leaves the row; the
# number reaches the file only when the grid had the keys.
type_into_grid() {
  xdotool type --delay 40 "$1"
  xdotool key Down
  sleep 0.4
  [ "$(count_phone "$1")" = 1 ] || fail "$2: the keys did not reach the grid"
}

open_window
park_pointer
type_into_grid 70001 "at start"

# The inserted row's "-" and then "+" with typing and the post button.
nav_button 4
nav_button 5
box=$(wait_for_window "Confirm" 5) || fail "no confirmation for the new row"
xdotool key Return
sleep 0.4
type_into_grid 70002 "after - on the new row"
nav_button 4
xdotool type --delay 40 70003
nav_button 7
[ "$(count_phone 70003)" = 1 ] || fail "the text typed after + was lost"

# The about box.
menu_keys Right Right Return Return
wait_for_window "$APP_TITLE" 5 > /dev/null || fail "no about box"
sleep 0.3
xdotool key Return
sleep 0.4
type_into_grid 70004 "after the about box"

# The delete confirmation, answered Cancel.
xdotool key ctrl+Delete
wait_for_window "Confirm" 5 > /dev/null || fail "no delete confirmation"
sleep 0.3
xdotool key Escape
sleep 0.4
type_into_grid 70005 "after the delete confirmation"

# The search dialog: drawn active, closed by Alt+F4.
menu_keys Right Return Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 5) || fail "no search dialog"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
import -window root "$work/dialog.png"
[ "$(pixel $((X + 4)) $((Y + 5)) "$work/dialog.png")" = "$ACTIVE_CAPTION" ] || fail "the search dialog's caption is not active"
xdotool key alt+F4
sleep 0.4
[ -z "$(xdotool search --onlyvisible --name "^$(regex "$DIALOG_TITLE")\$" 2>/dev/null || true)" ] || fail "Alt+F4 left the dialog open"
type_into_grid 70006 "after the search dialog"

# The results window, closed by Alt+F4.
menu_keys Right Return Return
wait_for_window "$(regex "$DIALOG_TITLE")" 5 > /dev/null || fail "no search dialog the second time"
sleep 0.4
xdotool key Return
for _ in $(seq 100); do
  RESULTS=$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null | head -1 || true)
  [ -n "$RESULTS" ] && break
  sleep 0.1
done
[ -n "$RESULTS" ] || fail "no results window"
sleep 0.4
xdotool key alt+F4
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null || true)" ] || fail "Alt+F4 left the results open"
type_into_grid 70007 "after the results window"

# The system menu's Close on the main window saves the row being typed.
xdotool type --delay 40 70008
xdotool key alt+space
sleep 0.4
xdotool key c
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
