#!/usr/bin/env bash
# Rows with empty fields are found: a row typed into the grid, which leaves
# the untouched fields NULL, is found by its surname; and over a file with
# NULLs in many fields, the results caption counts what the sqlite3 shell
# counts when an empty criterion imposes nothing and a typed one is a
# case-blind prefix that an empty field never matches.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
command -v sqlite3 > /dev/null || { echo "no sqlite3 shell to check the file with"; exit 77; }
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

ROWS=200
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" "$ROWS" > /dev/null
DB="$work/dir/velirsk.dat"

fail() { echo "$*" >&2; cat "${PROGRAM_LOG:-/dev/null}" >&2 || true; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/search_empty_fields_failure.png" 2>/dev/null || true; exit 1; }
query() { sqlite3 "$DB" "$1"; }

# The generator writes empty strings; NULLs in five of the seven fields,
# spread so that rows have one, several or none, and Latin values to search
# for (the shell's LIKE folds only Latin letters), some of them made NULL.
query "UPDATE \"Велирск\" SET \"Фамилия\" = CASE rowid % 3 WHEN 0 THEN 'Smith' WHEN 1 THEN 'SMIRNOFF' ELSE 'brown' END WHERE rowid % 4 <> 0;
  UPDATE \"Велирск\" SET \"Улица\" = 'Lenina' WHERE rowid % 5 IN (1, 2);
  UPDATE \"Велирск\" SET \"Организация\" = 'School' WHERE rowid % 9 = 4;
  UPDATE \"Велирск\" SET \"Фамилия\" = NULL WHERE rowid % 7 = 0;
  UPDATE \"Велирск\" SET \"Улица\" = NULL WHERE rowid % 6 = 1;
  UPDATE \"Велирск\" SET \"Организация\" = NULL WHERE rowid % 3 = 2;
  UPDATE \"Велирск\" SET \"Телефон\" = NULL WHERE rowid % 11 = 3;
  UPDATE \"Велирск\" SET \"Дом\" = NULL WHERE rowid % 13 = 5;"

# The criteria in the dialog's order.
COLUMNS=("Телефон" "Фамилия" "Улица" "Дом" "Корпус" "Квартира" "Организация")

# expected_count: the count under the rule for the seven texts in
# "criteria", from the shell.
expected_count() {
  local where="1" i
  for i in "${!COLUMNS[@]}"; do
    [ -z "${criteria[i]}" ] || where+=" AND \"${COLUMNS[i]}\" LIKE '${criteria[i]//\'/\'\'}%'"
  done
  query "SELECT COUNT(*) FROM \"Велирск\" WHERE $where;"
}

open_window() {
  start_program_in "$work/dir"
  WIN=$(wait_for_window "$MAIN_TITLE") || fail "no main window"
  xdotool windowfocus --sync "$WIN"
}

# search CRITERION...: fills all seven fields of the dialog (it keeps what
# was typed before) and presses Enter on "Найти"; RESULTS is the results
# window.
search() {
  local criterion
  open_search_dialog "$WIN" || fail "no search dialog with the keys"
  # From the focused "Найти" past "Отмена" to the phone field.
  xdotool key Tab Tab
  for criterion in "$@"; do
    xdotool key ctrl+a BackSpace
    [ -z "$criterion" ] || xdotool type --delay 40 "$criterion"
    xdotool key Tab
  done
  xdotool key Return
  RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window for '$*'"
}

caption_is() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }
close_results() {
  eval "$(xdotool getwindowgeometry --shell "$RESULTS")"
  xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
  wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "the results window stayed open"
}

# expect_search CRITERION...: the caption counts what the shell counts.
expect_search() {
  criteria=("$@")
  local expected
  expected=$(expected_count)
  search "$@"
  wait_until 5 "caption" caption_is "$RESULTS" "${RESULTS_PREFIX}${expected} запись(ей)" 2> /dev/null ||
    fail "search [$(printf '%s|' "$@")]: caption '$(xdotool getwindowname "$RESULTS")', expected $expected"
  no_box || fail "search [$(printf '%s|' "$@")]: a message box"
  close_results
}

open_window

# A row typed with the keys only: to the last row, Insert, a phone, Tab, a
# surname, Enter. The untouched fields reach the file as NULL.
xdotool key ctrl+End Insert
xdotool type --delay 40 "9-99-01"
xdotool key Tab
xdotool type --delay 40 "Qwertyuk"
xdotool key Return
typed_row() { query "SELECT quote(\"Телефон\") || quote(\"Улица\") || quote(\"Дом\") || quote(\"Корпус\") || quote(\"Квартира\") || quote(\"Организация\") FROM \"Велирск\" WHERE \"Фамилия\" = 'Qwertyuk';"; }
row_saved() { ! no_box || [ -n "$(typed_row)" ]; }
wait_until 10 "the typed row saved" row_saved || fail "the typed row did not reach the file"
no_box || fail "saving the typed row gave a message box"
[ "$(typed_row)" = "'9-99-01'NULLNULLNULLNULLNULL" ] || fail "the typed row was saved as $(typed_row)"
[ "$(query 'SELECT COUNT(*) FROM "Велирск";')" = $((ROWS + 1)) ] || fail "the insert did not add exactly one row"

# It is found by its surname, typed in another case.
criteria=("" "qwertyuk" "" "" "" "" "")
[ "$(expected_count)" = 1 ] || fail "the shell finds $(expected_count) rows for the typed surname"
expect_search "" "qwertyuk" "" "" "" "" ""

# Over the NULLs: nothing typed finds every row; a prefix skips the rows
# whose field is NULL but keeps those with NULLs elsewhere, alone and with a
# second criterion; "%" typed is a criterion too and skips the NULL
# organisations.
[ "$(query "SELECT COUNT(*) FROM \"Велирск\" WHERE \"Фамилия\" LIKE 'smi%' AND (\"Улица\" IS NULL OR \"Организация\" IS NULL);")" -gt 0 ] ||
  fail "the sample has no found row with NULLs in other fields"
expect_search "" "" "" "" "" "" ""
expect_search "" "smi" "" "" "" "" ""
expect_search "" "" "LEN" "" "" "" ""
expect_search "" "" "" "" "" "" "%"
expect_search "5" "" "lenina" "" "" "" ""
