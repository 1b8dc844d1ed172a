#!/usr/bin/env bash
# Leaving the program never loses what was typed: text still in the grid's
# editor, a row left by Tab and a new row are saved by "Выход" or the close
# box, and the program ends with exit code 0. When the row cannot be saved
# (another program changed it meanwhile) the error is shown and the window
# stays with the typed text.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

ROWS=20
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" "$ROWS" > /dev/null
DB="$work/dir/velirsk.dat"

fail() { echo "$*" >&2; cat "${PROGRAM_LOG:-/dev/null}" >&2 || true; import -window root "$work/failure.png" || true; exit 1; }
query() { sqlite3 "$DB" "$1"; }
surname_of_row() { query "SELECT \"Фамилия\" FROM \"Велирск\" ORDER BY rowid LIMIT 1 OFFSET $(($1 - 1));"; }

open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$MAIN_TITLE")
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  CX=$((X + 4)); CY=$((Y + 42))
  xdotool windowfocus --sync "$WIN"
}
row_y() { echo $((CY + 25 + 2 + 18 * $1 + 9)); }
# Column 2 (the surname) of a data row.
click_surname() { xdotool mousemove $((CX + 120)) "$(row_y "$1")" click 1; }
nav_button() { xdotool mousemove $((CX + (2 * $1 + 1) * 691 / 18)) $((CY + 12)) click 1; }
choose_exit() { xdotool key --delay 100 alt Return Return; }
click_close_box() { xdotool mousemove $((X + WIDTH - 4 - 2 - 8)) $((Y + 4 + 2 + 7)) click 1; }
expect_clean_exit() {
  wait_for_exit 10 || fail "$1: the program did not end"
  [ "$PROGRAM_STATUS" = 0 ] || fail "$1: exit code $PROGRAM_STATUS"
}

# Text still in the editor, then "Выход".
open_window
click_surname 1
xdotool type --delay 40 "Quitedit"
choose_exit
expect_clean_exit "exit with the editor open"
[ "$(surname_of_row 1)" = Quitedit ] || fail "the editor's text was lost on exit"

# A row left in edit by Tab, then the close box.
open_window
click_surname 2
xdotool type --delay 40 "Tabbed"
xdotool key Tab
click_close_box
expect_clean_exit "close box after Tab"
[ "$(surname_of_row 2)" = Tabbed ] || fail "the row left by Tab was lost on close"

# A new row, then "Выход".
open_window
click_surname 1
nav_button 4
xdotool type --delay 40 "Inserted"
choose_exit
expect_clean_exit "exit while inserting"
[ "$(query 'SELECT COUNT(*) FROM "Велирск" WHERE "Фамилия" = '"'Inserted'"';')" = 1 ] || fail "the new row was lost on exit"
[ "$(query 'SELECT COUNT(*) FROM "Велирск";')" = $((ROWS + 1)) ] || fail "wrong row count after the insert"

# Another program changes the row while it is being typed into: the error
# box comes, the window stays, the text stays in the editor.
open_window
click_surname 3
import -window root "$work/browsing.png"
xdotool type --delay 40 "Mine"
# The other program writes only once the edit has begun and read the row:
# the navigator then offers to post and cancel.
wait_for_change "$work/browsing.png" "$CX" "$CY" 691 25 || fail "typing began no edit"
query "UPDATE \"Велирск\" SET \"Фамилия\" = 'Theirs' WHERE rowid = (SELECT rowid FROM \"Велирск\" ORDER BY rowid LIMIT 1 OFFSET 2);"
choose_exit
box=$(wait_for_window "$APP_TITLE" 5) || fail "no error box when the row could not be saved"
kill -0 "$PROGRAM_PID" || fail "the program ended although the row was not saved"
xdotool windowfocus --sync "$box" key Return
wait_for_no_window "^$APP_TITLE\$" || fail "Enter left the error box open"
wait_for_window "$MAIN_TITLE" 2 > /dev/null || fail "the main window went away"
[ "$(surname_of_row 3)" = Theirs ] || fail "the other program's change was overwritten"
# The text is still there: leaving it in the editor shows it in the cell.
xdotool windowfocus --sync "$WIN"
import -window root "$work/kept.png"
xdotool key Escape
choose_exit
expect_clean_exit "exit after cancelling"
[ "$(surname_of_row 3)" = Theirs ] || fail "the cancelled edit reached the file"
