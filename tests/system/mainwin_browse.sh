#!/usr/bin/env bash
# The main window over a sample directory, as a person uses it: striped rows
# and the navigator's glyphs with no magenta anywhere, the last column ending
# at the client edge, the record number following the cursor, an edit, an
# insert and a delete that reach the file and survive a restart, the about
# box with six lines, and "Выход" ending the program with exit code 0.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

ROWS=40
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" "$ROWS" > /dev/null
DB="$work/dir/velirsk.dat"

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; exit 1; }
query() { sqlite3 "$DB" "$1"; }
count_where() { query "SELECT COUNT(*) FROM \"Велирск\" WHERE $1;"; }
colour_count() {
  convert "$1" -format %c histogram:info:- | awk -v c="$2" 'toupper($0) ~ c { gsub(":", "", $1); n += $1 } END { print n + 0 }'
}

# The classic layout: the client area starts 4 pixels in and 42 down (frame,
# caption, menu bar); the navigator is 25 high, the grid 321, with a 2-pixel
# border and a 16-pixel scroll bar; data rows are 18 apart below the titles.
open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$MAIN_TITLE")
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  CX=$((X + 4)); CY=$((Y + 42))
  xdotool windowfocus --sync "$WIN"
}
nav_button() { xdotool mousemove $((CX + (2 * $1 + 1) * 691 / 18)) $((CY + 12)) click 1; }
row_y() { echo $((CY + 25 + 2 + 18 * $1 + 9)); }
click_cell() { xdotool mousemove $((CX + $1)) "$(row_y "$2")" click 1; }
menu_keys() { xdotool key --delay 100 alt "$@"; }
rows_where() { [ "$(count_where "$1")" = "$2" ]; }
# expect_rows CONDITION COUNT WHAT: the file comes to hold COUNT such rows.
expect_rows() { wait_until 10 "$3" rows_where "$1" "$2" || fail "$3"; }
striped() { [ "$(colour_count "$1" "#CCCC99")" -gt 5000 ]; }
panel_crop() { convert "$1" -crop "$2x15+$3+$((CY + 348))" +repage "$4"; }

open_window
wait_for_screen "$work/start.png" 10 "striped rows" striped "$work/start.png" \
  || fail "no striped rows ($(colour_count "$work/start.png" "#CCCC99") pixels)"
cp "$work/start.png" "$VELIRSK_BUILD_DIR/mainwin_browse.png" 2>/dev/null || true

[ "$(colour_count "$work/start.png" "#FF00FF")" = 0 ] || fail "magenta on screen"
# Row 1 is striped to the last column's edge, then the grid line, then the
# scroll bar: the last column ends exactly at the client edge.
edge=$((CX + 691 - 2 - 16 - 1))
[ "$(pixel $((edge - 1)) "$(row_y 1)" "$work/start.png")" = "204,204,153" ] || fail "row 1 does not reach the edge"
[ "$(pixel "$edge" "$(row_y 1)" "$work/start.png")" != "204,204,153" ] || fail "row 1 runs past the edge"
[ "$(pixel $((edge - 1)) "$(row_y 2)" "$work/start.png")" = "255,255,255" ] || fail "row 2 is not plain"

# Moving down changes the record number and leaves the record count.
click_cell 200 1
import -window root "$work/before.png"
xdotool key Down
wait_for_change "$work/before.png" $((CX + 152)) $((CY + 348)) 200 15 || fail "the record number did not change"
import -window root "$work/after.png"
panel_crop "$work/before.png" 140 $((CX + 2)) "$work/count0.png"
panel_crop "$work/after.png" 140 $((CX + 2)) "$work/count1.png"
panel_crop "$work/before.png" 200 $((CX + 152)) "$work/number0.png"
panel_crop "$work/after.png" 200 $((CX + 152)) "$work/number1.png"
[ "$(compare -metric AE "$work/count0.png" "$work/count1.png" null: 2>&1)" = 0 ] || fail "the record count changed"
[ "$(compare -metric AE "$work/number0.png" "$work/number1.png" null: 2>&1 || true)" != 0 ] || fail "the record number did not change"

# An edit typed into the grid is posted by leaving the row.
xdotool type --delay 40 "Testov"
xdotool key Down
expect_rows "\"Фамилия\" = 'Testov'" 1 "the edit did not reach the file"

# Insert with the navigator, type into the new row, post with the navigator.
nav_button 4
click_cell 200 3
xdotool type --delay 40 "Newrow"
nav_button 7
expect_rows "\"Фамилия\" = 'Newrow'" 1 "the inserted row did not reach the file"
[ "$(query 'SELECT COUNT(*) FROM "Велирск";')" = $((ROWS + 1)) ] || fail "wrong row count after the insert"

# Ctrl+Delete asks first, then deletes the current row (the new one).
click_cell 200 3
xdotool key Escape
xdotool key ctrl+Delete
box=$(wait_for_window "Confirm" 10) || fail "no confirmation before deleting"
xdotool windowfocus --sync "$box" key Return
expect_rows "\"Фамилия\" = 'Newrow'" 0 "the row was not deleted"
[ "$(query 'SELECT COUNT(*) FROM "Велирск";')" = "$ROWS" ] || fail "wrong row count after the delete"

# "Файл" / "Выход" ends the program with exit code 0.
xdotool windowfocus --sync "$WIN"
menu_keys Return Return
wait_for_exit 10 || fail "the program did not end"
[ "$PROGRAM_STATUS" = 0 ] || fail "exit code $PROGRAM_STATUS"

# After a restart the edit is still there, and the about box shows six lines
# (each about 13 pixels high: no empty lines between them).
open_window
[ "$(count_where "\"Фамилия\" = 'Testov'")" = 1 ] || fail "the edit did not survive the restart"
menu_keys Right Right Return Return
about=$(wait_for_window "$APP_TITLE" 10) || fail "no about box"
wait_for_focus "$about" || fail "the about box did not get the keys"
eval "$(xdotool getwindowgeometry --shell "$about")"
import -window root "$work/about.png"
cp "$work/about.png" "$VELIRSK_BUILD_DIR/mainwin_about.png" 2>/dev/null || true
[ "$HEIGHT" -gt 130 ] && [ "$HEIGHT" -lt 200 ] || fail "the about box is $HEIGHT pixels high"
xdotool windowfocus --sync "$about" key Return
wait_for_no_window "^$APP_TITLE\$" || fail "Enter left the about box open"
xdotool windowfocus --sync "$WIN"
menu_keys Return Return
wait_for_exit 10 || fail "the program did not end after the restart"
[ "$PROGRAM_STATUS" = 0 ] || fail "exit code $PROGRAM_STATUS after the restart"
