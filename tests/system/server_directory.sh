#!/usr/bin/env bash
# The directory on a PostgreSQL server, with VELIRSK_DATABASE naming a
# database of the test's own: a database without the table and a server that
# cannot be reached each end the program with one "Application Error" box and
# the exit code 1; the directory copied there shows exactly as the file it
# was copied from; a search by a lower-case Cyrillic prefix counts what the
# server counts with lower() LIKE, NULLs and empty criteria included; the main
# window and the results window follow other programs' commits with nobody
# touching them, the main window coming to show what a fresh start shows; an
# edit typed into a cell reaches that row on the server and no other.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
need_server_and_shells

# Every call to the server ends by itself, whatever the server does; the
# program's libpq reads the same limit.
export PGCONNECT_TIMEOUT=10
SERVER_CALL_SECONDS=30

DB=velirsk_server_$$
# VELIRSK_TEST_SERVER is a key=value string, in which a later key wins.
CONN="$VELIRSK_TEST_SERVER dbname=$DB"
work=$(mktemp -d)
FRESH_PID=
cleanup() {
  stop_fresh
  stop_program
  stop_display
  timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -d "$VELIRSK_TEST_SERVER" \
    -c "DROP DATABASE IF EXISTS $DB WITH (FORCE)" > /dev/null 2>&1 || echo "could not drop the database $DB" >&2
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "$*" >&2
  cat "${PROGRAM_LOG:-/dev/null}" >&2 || true
  import -window root "$work/failure.png" || true
  cp "$work/failure.png" "$VELIRSK_BUILD_DIR/server_directory_failure.png" 2>/dev/null || true
  exit 1
}
server() { timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -At -v ON_ERROR_STOP=1 -d "$CONN" "$@"; }
# change SQL: another program commits SQL to the server's table.
change() { server -c "BEGIN; $1 COMMIT;" > /dev/null; CHANGED_AT=$(now_ms); }
table_dump() {
  server -c "SELECT rowid, quote_nullable(\"Телефон\"), quote_nullable(\"Фамилия\"), quote_nullable(\"Улица\"),
               quote_nullable(\"Дом\"), quote_nullable(\"Корпус\"), quote_nullable(\"Квартира\"),
               quote_nullable(\"Организация\") FROM \"Велирск\" ORDER BY rowid"
}
# The search's rule: the empty criteria impose nothing, the typed one is a
# case-blind prefix that NULL never matches.
surname_count() { server -c "SELECT count(*) FROM \"Велирск\" WHERE lower(\"Фамилия\") LIKE '$1%'"; }

# start_on_server CONNECTION: the program, in a folder without velirsk.dat,
# on the server that CONNECTION names.
mkdir "$work/empty" "$work/file"
start_on_server() {
  PROGRAM_LOG=$work/program.log
  (cd "$work/empty" && VELIRSK_DATABASE="$1" exec "$VELIRSK_BUILD_DIR/velirsk") > "$PROGRAM_LOG" 2>&1 &
  PROGRAM_PID=$!
}
end_program() {
  stop_program
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=
}


# The status bar's record count is at (2, 348) of the client area.
# shot WINDOW FILE: that main window's client area as on the screen now.
shot() { import -window root "$work/screen.png" && client "$1" "$work/screen.png" "$2"; }
# still WINDOW FILE: two pictures one after the other agree; the last one
# is left in FILE.
still() {
  shot "$1" "$work/next.png"
  local same=1
  same_in "$2" "$work/next.png" "$CLIENT_W" "$CLIENT_H" || same=0
  cp "$work/next.png" "$2"
  [ "$same" = 1 ]
}
counted() { [ "$(convert "$1" -crop "140x15+2+348" +repage txt:- | grep -c "#000000")" -gt 10 ]; }
# settled_shot WINDOW FILE: the window, given the keys, once it shows a
# record count and has stopped changing.
settled_shot() {
  xdotool windowfocus --sync "$1"
  wait_for_focus "$1" || fail "the main window did not get the keys"
  shot "$1" "$2"
  wait_until 10 "the main window settled" settled still_and_counted "$1" "$2" || fail "the main window did not settle"
  no_box || fail "a message box came over the main window"
}
still_and_counted() { still "$1" "$2" && counted "$2"; }
# live_differs FILE W H [X Y]: the live window no longer agrees with FILE there.
live_differs() { shot "$WIN" "$work/live.png" && ! same_in "$work/live.png" "$@"; }
main_windows() { xdotool search --onlyvisible --name "^$(regex "$MAIN_TITLE")\$" 2>/dev/null || true; }
other_window() { local id; id=$(main_windows | grep -vx "${WIN:-none}" | head -1); [ -n "$id" ] && echo "$id"; }
no_other_window() { ! other_window > /dev/null; }
stop_fresh() {
  [ -n "${FRESH_PID:-}" ] || return 0
  kill "$FRESH_PID" 2>/dev/null || true
  wait "$FRESH_PID" 2>/dev/null || true
  FRESH_PID=
}
# fresh_start: a second program started on the server, beside the live one;
# its client area goes to fresh.png and it ends again.
fresh_start() {
  (cd "$work/empty" && VELIRSK_DATABASE="$CONN" exec "$VELIRSK_BUILD_DIR/velirsk") > "$work/fresh.log" 2>&1 &
  FRESH_PID=$!
  wait_until 15 "the fresh start's window" other_window > /dev/null || fail "no window of the fresh start"
  settled_shot "$(other_window)" "$work/fresh.png"
  stop_fresh
  wait_until 10 "the fresh start's window gone" no_other_window || fail "the fresh start's window stayed"
}

# --- Start-up failures. check_failed_start NAME CONNECTION: one box, no
# main window, Enter ends the program with the code 1.
check_failed_start() {
  local name=$1 box boxes
  start_on_server "$2"
  box=$(wait_for_window "Application Error" 15) || fail "$name: no error box"
  import -window root "$work/$name.png"
  cp "$work/$name.png" "$VELIRSK_BUILD_DIR/server_directory_$name.png" 2>/dev/null || true
  boxes=$(xdotool search --onlyvisible --name "^Application Error\$" | wc -l)
  [ "$boxes" = 1 ] || fail "$name: $boxes error boxes"
  [ -z "$(main_windows)" ] || fail "$name: a main window is shown"
  xdotool windowfocus --sync "$box" key Return
  wait_for_exit 10 || fail "$name: the program did not end"
  [ "$PROGRAM_STATUS" = 1 ] || fail "$name: exit code $PROGRAM_STATUS"
}

timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -v ON_ERROR_STOP=1 -d "$VELIRSK_TEST_SERVER" \
  -c "CREATE DATABASE $DB" > /dev/null
start_display
# The new database holds no table yet.
check_failed_start no_table "$CONN"
# A socket folder that does not exist: nothing to connect to.
check_failed_start unreachable "host=$work/no-such-folder port=5432 user=postgres dbname=$DB"

# --- The directory on the server shows as the file it came from. Surnames
# in every case, NULLs among them and beside them, on both sides alike.
FILE="$work/file/velirsk.dat"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$FILE" 600 > /dev/null
timeout "$SERVER_CALL_SECONDS" "$VELIRSK_BUILD_DIR/tools/transfer_directory" "$FILE" "$CONN" > /dev/null ||
  fail "the copy to the server failed"
nulls="UPDATE \"Велирск\" SET \"Фамилия\" = 'ИВАНЕНКО' WHERE rowid = 2;
  UPDATE \"Велирск\" SET \"Фамилия\" = 'иванцова', \"Улица\" = NULL, \"Дом\" = NULL WHERE rowid = 6;
  UPDATE \"Велирск\" SET \"Фамилия\" = NULL WHERE rowid IN (4, 9, 10);
  UPDATE \"Велирск\" SET \"Телефон\" = NULL, \"Организация\" = NULL, \"Квартира\" = NULL WHERE \"Фамилия\" LIKE 'Ива%' AND rowid % 2 = 0;"
sqlite3 "$FILE" "$nulls"
server -c "$nulls" > /dev/null
[ "$(surname_count ива)" -ge 5 ] || fail "too few surnames to search for: $(surname_count ива)"

(cd "$work/file" && exec "$VELIRSK_BUILD_DIR/velirsk") > "$work/file.log" 2>&1 &
PROGRAM_PID=$!
WIN=$(wait_for_window "$MAIN_TITLE") || fail "no main window on the file"
settled_shot "$WIN" "$work/on_file.png"
end_program
wait_for_no_window "^$(regex "$MAIN_TITLE")\$" || fail "the file's window stayed"

start_on_server "$CONN"
WIN=$(wait_for_window "$MAIN_TITLE") || fail "no main window on the server"
settled_shot "$WIN" "$work/on_server.png"
cp "$work/on_server.png" "$VELIRSK_BUILD_DIR/server_directory_main.png" 2>/dev/null || true
same_in "$work/on_file.png" "$work/on_server.png" "$CLIENT_W" "$CLIENT_H" ||
  fail "the server's directory does not show as the file's: $work/on_file.png, $work/on_server.png"

# --- The main window follows deletes, inserts and a change on the server,
# row 1 staying, and comes to show what a fresh start shows.
change "DELETE FROM \"Велирск\" WHERE rowid IN (3, 5, 7);
  UPDATE \"Велирск\" SET \"Фамилия\" = 'Изменённый', \"Улица\" = NULL WHERE rowid = 8;
  INSERT INTO \"Велирск\" (\"Телефон\", \"Фамилия\") VALUES ('1-11-11', 'Добавленный'), (NULL, NULL);"
await 3 "the main window showing the server's change" live_differs "$work/on_server.png" "$CLIENT_W" "$CLIENT_H"
report "main window followed deletes, a change and inserts"
settled_shot "$WIN" "$work/live.png"
fresh_start
settled_shot "$WIN" "$work/live.png"
same_in "$work/live.png" "$work/fresh.png" "$CLIENT_W" "$CLIENT_H" ||
  fail "the main window does not show what a fresh start shows: $work/live.png, $work/fresh.png"

# --- A search by keys: "Поиск" / "Найти", the surname field, a lower-case
# prefix and Enter; the results caption counts what the server counts.
open_search_dialog "$WIN" || fail "no search dialog with the keys"
# From the focused "Найти" past "Отмена" and the phone field.
xdotool key Tab Tab Tab
xdotool type --delay 60 "ива"
xdotool key Return
RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window"
caption_is() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }
found=$(surname_count ива)
CHANGED_AT=$(now_ms)
await 5 "the results caption counting $found" caption_is "$RESULTS" "${RESULTS_PREFIX}${found} запись(ей)"

# The results window follows: three matching rows come, one with nothing
# but the surname; a matching row goes; one stops matching by a NULL
# surname; a row that does not match comes.
change "INSERT INTO \"Велирск\" (\"Фамилия\") VALUES ('ИВАШОВ');
  INSERT INTO \"Велирск\" (\"Телефон\", \"Фамилия\", \"Улица\") VALUES ('1-11-12', 'Иваськова', 'Мира'),
    ('1-11-13', 'ивакин', NULL), ('1-11-14', 'Сиваков', 'Ива');
  DELETE FROM \"Велирск\" WHERE rowid = 2;
  UPDATE \"Велирск\" SET \"Фамилия\" = NULL WHERE rowid = 6;"
[ "$(surname_count ива)" = $((found + 1)) ] || fail "the server counts $(surname_count ива), not $((found + 1))"
await 3 "the results caption following the server" caption_is "$RESULTS" "${RESULTS_PREFIX}$((found + 1)) запись(ей)"
report "results caption followed the server ($found to $((found + 1)))"
eval "$(xdotool getwindowgeometry --shell "$RESULTS")"
xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "the results window stayed open"

# --- An edit: the fifth row's surname typed over and Enter; the server
# holds the new text in that row and nothing else changed.
settled_shot "$WIN" "$work/browsing.png"
xdotool key --repeat 4 --repeat-delay 20 Down
wait_until 10 "the move down" live_differs "$work/browsing.png" 200 15 152 348 ||
  fail "the record number did not move"
settled_shot "$WIN" "$work/browsing.png"
edited_rowid=$(server -c "SELECT rowid FROM \"Велирск\" ORDER BY rowid OFFSET 4 LIMIT 1")
before_post=$(table_dump)
xdotool key Tab
xdotool type --delay 40 "Правкин"
wait_until 10 "the edit begun" live_differs "$work/browsing.png" "$CLIENT_W" 25 ||
  fail "typing began no edit"
xdotool key Return
CHANGED_AT=$(now_ms)
posted() { [ "$(server -c "SELECT \"Фамилия\" FROM \"Велирск\" WHERE rowid = $edited_rowid")" = Правкин ]; }
await 5 "the typed surname on the server" posted
expected=$(printf '%s\n' "$before_post" | awk -F'|' -v OFS='|' -v id="$edited_rowid" '$1 == id { $3 = "'"'Правкин'"'" } 1')
[ "$(table_dump)" = "$expected" ] || fail "Enter changed more than row $edited_rowid's surname: $(diff <(echo "$expected") <(table_dump))"

# The program ends by its menu, cleanly.
xdotool windowfocus --sync "$WIN"
xdotool key --delay 100 alt Return Return
wait_for_exit 10 || fail "the program did not end"
[ "$PROGRAM_STATUS" = 0 ] || fail "exit code $PROGRAM_STATUS"
[ "$(table_dump)" = "$expected" ] || fail "the exit wrote to the server"
echo "server_directory: shown, searched, followed and edited on the server"
