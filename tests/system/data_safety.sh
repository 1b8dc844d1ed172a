#!/usr/bin/env bash
# The data a person keeps is never locked away or cut: a file left by a
# writer killed mid-commit opens whole; a legacy row in Windows-1251 is
# edited and deleted, keeping the bytes of the cells nobody touched; a cell
# stored far longer than its declared size is edited whole, never cut; a row
# deleted in the results window leaves the main window's count
# at once.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; [ -n "${WRITER_PID:-}" ] && kill -9 "$WRITER_PID" 2>/dev/null; stop_display; rm -rf "$work"' EXIT

ROWS=20
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" "$ROWS" > /dev/null
DB="$work/dir/velirsk.dat"

fail() { echo "$*" >&2; cat "${PROGRAM_LOG:-/dev/null}" >&2 || true; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/data_safety_failure.png" 2>/dev/null || true; exit 1; }
query() { sqlite3 "$DB" "$1"; }
rowid_of_row() { query "SELECT rowid FROM \"Велирск\" ORDER BY rowid LIMIT 1 OFFSET $(($1 - 1));"; }

open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$MAIN_TITLE") || fail "no main window"
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  CX=$((X + 4)); CY=$((Y + 42))
  xdotool windowfocus --sync "$WIN"
}
row_y() { echo $((CY + 25 + 2 + 18 * $1 + 9)); }
# Grid columns from the left: indicator 11, then 50, 140, 100, 28, 40, 52, 243.
click_cell() { xdotool mousemove $((CX + $1)) "$(row_y "$2")" click 1; }
APARTMENT_X=395
ORGANISATION_X=500
choose_exit() { xdotool windowfocus --sync "$WIN"; xdotool key --delay 100 alt Return Return; }
expect_clean_exit() {
  wait_for_exit 10 || fail "$1: the program did not end"
  [ "$PROGRAM_STATUS" = 0 ] || fail "$1: exit code $PROGRAM_STATUS"
}
count_crop() { import -window root "$work/shot.png"; convert "$work/shot.png" -crop "140x15+$((CX + 2))+$((CY + 348))" +repage "$1"; }
# count_shown: the status bar's record count is painted (it has dark text).
count_shown() {
  [ "$(convert "$work/shot.png" -crop "140x15+$((CX + 2))+$((CY + 348))" +repage txt:- | grep -c "#000000")" -gt 10 ]
}
legacy_value() { query "SELECT \"Квартира\" || '|' || hex(\"Фамилия\") FROM \"Велирск\" WHERE rowid = $first;"; }
row_gone() { [ "$(query "SELECT count(*) FROM \"Велирск\" WHERE rowid = $1;")" = 0 ]; }
number_moved() { region_changed "$work/before_keys.png" $((CX + 152)) $((CY + 348)) 200 15; }

# A writer killed in the middle of a commit: its journal is hot, and page 1
# already claims the grown size (as after the first page of the commit).
mkfifo "$work/feed"
sqlite3 "$DB" < "$work/feed" &
WRITER_PID=$!
exec 3> "$work/feed"
echo "PRAGMA cache_size = 2; BEGIN; CREATE TABLE scratch (x);" >&3
echo "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) INSERT INTO scratch SELECT randomblob(3000) FROM n;" >&3
for _ in $(seq 100); do
  [ -s "$DB-journal" ] && [ "$(stat -c %s "$DB")" -gt 200000 ] && break
  sleep 0.1
done
sleep 0.3
kill -9 "$WRITER_PID"
wait "$WRITER_PID" 2>/dev/null || true
WRITER_PID=
exec 3>&-
[ -s "$DB-journal" ] || fail "the killed writer left no journal"
page_size=$(od -An -tu1 -j16 -N2 "$DB" | awk '{ n = $1 * 256 + $2; print (n == 1 ? 65536 : n) }')
claimed=$(( $(stat -c %s "$DB") / page_size + 10 ))
printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((claimed >> 24 & 255)) $((claimed >> 16 & 255)) $((claimed >> 8 & 255)) $((claimed & 255)))" |
  dd of="$DB" bs=1 seek=28 conv=notrunc status=none
dd if="$DB" bs=1 skip=24 count=4 status=none | dd of="$DB" bs=1 seek=92 conv=notrunc status=none

open_window
no_box || fail "the file with a hot journal was refused"
[ ! -e "$DB-journal" ] || fail "the journal was not rolled back"
[ "$(query 'PRAGMA integrity_check;')" = ok ] || fail "the recovered file is not whole"
[ "$(query "SELECT count(*) FROM sqlite_schema WHERE name = 'scratch';")" = 0 ] || fail "the dead writer's table survived"
choose_exit
expect_clean_exit "after recovery"

# A legacy row: "Иванов" in Windows-1251 bytes. A change to another cell is
# saved and the surname keeps its bytes; the row can then be deleted.
first=$(rowid_of_row 1)
query "UPDATE \"Велирск\" SET \"Фамилия\" = CAST(X'C8E2E0EDEEE2' AS TEXT) WHERE rowid = $first;"
# A value of a million characters in a column declared VARCHAR(100), in row 2.
second=$(rowid_of_row 2)
query "UPDATE \"Велирск\" SET \"Организация\" = replace(hex(zeroblob(500000)), '0', 'ж') WHERE rowid = $second;"

open_window
click_cell "$APARTMENT_X" 1
xdotool type --delay 40 "77"
xdotool key Down
legacy_saved() { [ "$(legacy_value)" = "77|C8E2E0EDEEE2" ]; }
wait_until 10 "the legacy row saved or refused" settled legacy_saved || true
no_box || fail "the legacy row was refused as changed by another user"
saved=$(legacy_value)
[ "$saved" = "77|C8E2E0EDEEE2" ] || fail "the legacy row was not saved with its surname's bytes kept: $saved"

click_cell "$ORGANISATION_X" 2
import -window root "$work/before_keys.png"
xdotool key F2 End BackSpace Down
long_value_shortened() {
  [ "$(query "SELECT length(\"Организация\") FROM \"Велирск\" WHERE rowid = $second;")" = 999999 ]
}
wait_until 20 "the long value saved one character shorter" settled long_value_shortened || true
no_box || fail "editing the long value gave a message"
long_value_shortened || fail "the long value was not saved whole, one character shorter"
wait_until 10 "the move to row 3" settled screenshot_then "$SCREEN_SHOT" number_moved || true
number_moved || fail "Down did not move to row 3 after the long value"

click_cell 200 1
xdotool key Escape
xdotool key ctrl+Delete
box=$(wait_for_window "Confirm" 10) || fail "no confirmation before deleting"
xdotool windowfocus --sync "$box" key Return
wait_until 10 "the legacy row deleted or refused" settled row_gone "$first" || true
no_box || fail "deleting the legacy row gave an error"
[ "$(query "SELECT count(*) FROM \"Велирск\" WHERE rowid = $first;")" = 0 ] || fail "the legacy row was not deleted"
choose_exit
expect_clean_exit "after the legacy row"

# A row deleted in the results window: the main window's count drops at once,
# to what a fresh start shows.
third=$(query "SELECT rowid FROM \"Велирск\" WHERE rowid <> $second ORDER BY rowid LIMIT 1;")
[ -n "$third" ] || fail "the sample has no third row"
query "UPDATE \"Велирск\" SET \"Фамилия\" = 'Unikalnov' WHERE rowid = $third;"
open_window
wait_for_screen "$work/shot.png" 10 "the record count" count_shown || fail "no record count in the status bar"
count_crop "$work/count_before.png"
cp "$work/shot.png" "$work/main_before.png"
xdotool key --delay 100 alt Right Return Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) || fail "no search dialog"
xdotool windowfocus --sync "$DIALOG"
xdotool key Tab Tab Tab
xdotool type --delay 60 "unikalnov"
xdotool key Return
RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window"
xdotool windowfocus --sync "$RESULTS" key ctrl+Delete
box=$(wait_for_window "Confirm" 10) || fail "no confirmation in the results window"
xdotool windowfocus --sync "$box" key Return
wait_until 10 "the row deleted from the results" row_gone "$third" || true
[ "$(query "SELECT count(*) FROM \"Велирск\" WHERE rowid = $third;")" = 0 ] || fail "the row was not deleted from the results"
eval "$(xdotool getwindowgeometry --shell "$RESULTS")"
xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "the results window stayed open"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
CX=$((X + 4)); CY=$((Y + 42))
wait_for_change "$work/main_before.png" $((CX + 2)) $((CY + 348)) 140 15 || true
count_crop "$work/count_after.png"
choose_exit
expect_clean_exit "after the search"
open_window
fresh_count_shown() {
  count_crop "$work/count_fresh.png"
  [ "$(compare -metric AE "$work/count_after.png" "$work/count_fresh.png" null: 2>&1 || true)" = 0 ]
}
wait_until 10 "the fresh start's count" fresh_count_shown || true
[ "$(compare -metric AE "$work/count_before.png" "$work/count_after.png" null: 2>&1 || true)" != 0 ] ||
  fail "the main window's count did not change"
[ "$(compare -metric AE "$work/count_after.png" "$work/count_fresh.png" null: 2>&1 || true)" = 0 ] ||
  fail "the main window's count differs from a fresh start's"
choose_exit
expect_clean_exit "at the end"
