#!/usr/bin/env bash
# The directory copied to a PostgreSQL server and back with
# tools/transfer_directory, in a database of its own on the test server:
# the server's table holds the rows as the program shows them (legacy
# Windows-1251 text read, numbers as their decimal text, NULL kept apart from
# the empty text, tabs, newlines and backslashes intact), under their rowids,
# with the identity column, the seven case-blind prefix indexes and the change
# notification; the copy back equals the original as shown; a target with
# rows is refused unless --replace, and a failed copy leaves its target as
# it was.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
need_server_and_shells

# Every call to the server or the tool ends by itself, whatever the server does.
export PGCONNECT_TIMEOUT=10
SERVER_CALL_SECONDS=60
LISTEN_SECONDS=10

DB=velirsk_transfer_$$
# VELIRSK_TEST_SERVER is a key=value string, in which a later key wins.
CONN="$VELIRSK_TEST_SERVER dbname=$DB"
work=$(mktemp -d)
LISTENER_PID=
cleanup() {
  exec 3>&-
  [ -z "$LISTENER_PID" ] || kill "$LISTENER_PID" 2>/dev/null || true
  timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -d "$VELIRSK_TEST_SERVER" \
    -c "DROP DATABASE IF EXISTS $DB WITH (FORCE)" > /dev/null 2>&1 || echo "could not drop the database $DB" >&2
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "$*" >&2; exit 1; }
server() { timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -At -v ON_ERROR_STOP=1 -d "$CONN" "$@"; }
transfer() { timeout "$SERVER_CALL_SECONDS" "$VELIRSK_BUILD_DIR/tools/transfer_directory" "$@"; }
# run_transfer ARGS...: OUTPUT and STATUS of one run of the tool.
run_transfer() {
  STATUS=0
  OUTPUT=$(transfer "$@" 2>&1) || STATUS=$?
}

timeout "$SERVER_CALL_SECONDS" "$PSQL" -X -q -v ON_ERROR_STOP=1 -d "$VELIRSK_TEST_SERVER" \
  -c "CREATE DATABASE $DB" > /dev/null

# The directory's searches are case-blind prefixes through lower(), which
# must fold Cyrillic on the server too.
[ "$(server -c "SELECT lower('ЁЛКИН Ivan')")" = "ёлкин ivan" ] ||
  fail "lower() on the server does not fold Cyrillic: $(server -c "SHOW lc_ctype")"

COLUMNS=("Телефон" "Фамилия" "Улица" "Дом" "Корпус" "Квартира" "Организация")
COLUMN_LIST=$(printf '"%s", ' "${COLUMNS[@]}")
COLUMN_LIST=${COLUMN_LIST%, }

# One line per row: the rowid and each value's UTF-8 bytes in hex, NULL as
# NULL; the same text from the sqlite3 shell and from the server.
file_hex_expression="rowid"
server_hex_expression="rowid::text"
for column in "${COLUMNS[@]}"; do
  # SQLite's hex() turns NULL into the empty text.
  file_hex_expression+=" || '|' || CASE WHEN \"$column\" IS NULL THEN 'NULL' ELSE lower(hex(\"$column\")) END"
  server_hex_expression+=" || '|' || coalesce(encode(convert_to(\"$column\", 'UTF8'), 'hex'), 'NULL')"
done
file_rows() { sqlite3 "$1" "SELECT $file_hex_expression FROM \"Велирск\" ORDER BY rowid;"; }
server_rows() { server -c "SELECT $server_hex_expression FROM \"Велирск\" ORDER BY rowid"; }
# The rows as stored, with each value's storage class: after a copy back
# every value is text.
file_values() {
  local quoted
  quoted=$(printf 'quote("%s"), ' "${COLUMNS[@]}")
  sqlite3 "$1" "SELECT rowid, ${quoted%, } FROM \"Велирск\" ORDER BY rowid;"
}
file_count() { sqlite3 "$1" 'SELECT count(*) FROM "Велирск";'; }
server_count() { server -c 'SELECT count(*) FROM "Велирск"'; }

# expected.dat holds the rows as the program shows them, in the generator's
# table; source.dat the same rows as an old directory may hold them, in a
# table without declared types, where numbers stay numbers: Windows-1251
# bytes ("Петров", "Ёлкина"), an integer, a real and a blob.
ROWS=300
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/expected.dat" "$ROWS" > /dev/null
sqlite3 "$work/expected.dat" "
  UPDATE \"Велирск\" SET \"Корпус\" = NULL WHERE rowid % 7 = 0;
  UPDATE \"Велирск\" SET \"Организация\" = NULL WHERE rowid % 5 = 1;
  DELETE FROM \"Велирск\" WHERE rowid BETWEEN 20 AND 25;
  INSERT INTO \"Велирск\" (rowid, $COLUMN_LIST) VALUES (100000, '9-99-99', 'Последний', 'Мира', '1', NULL, '', NULL);
  UPDATE \"Велирск\" SET \"Организация\" = 'Tab' || char(9) || 'new' || char(10) || 'line' || char(13) || ' back\\slash \\N'
    WHERE rowid = 12;"
cat > "$work/untyped.sql" <<EOF
CREATE TABLE "Велирск" ($COLUMN_LIST);
ATTACH '$work/expected.dat' AS shown;
INSERT INTO "Велирск" (rowid, $COLUMN_LIST) SELECT rowid, $COLUMN_LIST FROM shown."Велирск";
DETACH shown;
UPDATE "Велирск" SET "Фамилия" = CAST(X'CFE5F2F0EEE2' AS TEXT), "Улица" = CAST(X'A8EBEAE8EDE0' AS TEXT) WHERE rowid = 10;
UPDATE "Велирск" SET "Дом" = 17, "Квартира" = 2.5 WHERE rowid = 11;
UPDATE "Велирск" SET "Фамилия" = X'CCE8F0' WHERE rowid = 13;
EOF
sqlite3 "$work/source.dat" < "$work/untyped.sql"
sqlite3 "$work/expected.dat" "
  UPDATE \"Велирск\" SET \"Фамилия\" = 'Петров', \"Улица\" = 'Ёлкина' WHERE rowid = 10;
  UPDATE \"Велирск\" SET \"Дом\" = '17', \"Квартира\" = '2.5' WHERE rowid = 11;
  UPDATE \"Велирск\" SET \"Фамилия\" = 'Мир' WHERE rowid = 13;"
[ "$(sqlite3 "$work/source.dat" 'SELECT typeof("Дом") || typeof("Квартира") FROM "Велирск" WHERE rowid = 11;')" = integerreal ] ||
  fail "the source file does not hold the numbers as numbers"
COUNT=$(file_count "$work/expected.dat")

# A copy that fails leaves no file behind: the new database has no table yet.
run_transfer "$CONN" "$work/never.dat"
[ "$STATUS" = 1 ] || fail "a copy from a server without the table ended with $STATUS: $OUTPUT"
[ ! -e "$work/never.dat" ] || fail "a failed copy left the file it had created"

# --- To the server.
run_transfer "$work/source.dat" "$CONN"
[ "$STATUS" = 0 ] || fail "the copy to the server failed ($STATUS): $OUTPUT"
grep -q "\b$COUNT rows copied" <<< "$OUTPUT" || fail "the tool did not say it copied $COUNT rows: $OUTPUT"
[ "$(server_count)" = "$COUNT" ] || fail "the server holds $(server_count) rows, not $COUNT"
diff <(file_rows "$work/expected.dat") <(server_rows) > "$work/server.diff" ||
  { cat "$work/server.diff" >&2; fail "the server's rows differ from the rows as shown"; }
[ "$(server -c "SELECT rowid FROM \"Велирск\" WHERE lower(\"Улица\") LIKE 'ёлк%'")" = 10 ] ||
  fail "the legacy street is not found by its lower-case prefix"

# The identity column: copied rowids as they were, new rows past the highest.
[ "$(server -c "SELECT identity_generation FROM information_schema.columns
                 WHERE table_name = 'Велирск' AND column_name = 'rowid'")" = "BY DEFAULT" ] ||
  fail "rowid is not an identity generated by default"
[ "$(server -c "SELECT count(*) FROM pg_index WHERE indrelid = '\"Велирск\"'::regclass AND indisprimary")" = 1 ] ||
  fail "rowid is not the primary key"

# One prefix index per field, and the planner uses it for a case-blind prefix.
for column in "${COLUMNS[@]}"; do
  [ "$(server -c "SELECT count(*) FROM pg_indexes WHERE tablename = 'Велирск'
                   AND indexdef LIKE '%(lower(\"$column\") text_pattern_ops)'")" = 1 ] ||
    fail "no prefix index on lower(\"$column\")"
done
server -c "SET enable_seqscan = off" \
  -c "EXPLAIN (COSTS OFF) SELECT rowid FROM \"Велирск\" WHERE lower(\"Фамилия\") LIKE 'пет%'" > "$work/plan.txt"
grep -q "Index Cond" "$work/plan.txt" || { cat "$work/plan.txt" >&2; fail "a prefix search does not use the index"; }

# --- Back into a new file: the same rows as shown, all of them text, in
# the generator's table.
run_transfer "$CONN" "$work/back.dat"
[ "$STATUS" = 0 ] || fail "the copy back failed ($STATUS): $OUTPUT"
grep -q "\b$COUNT rows copied" <<< "$OUTPUT" || fail "the tool did not say it copied $COUNT rows back: $OUTPUT"
diff <(file_values "$work/expected.dat") <(file_values "$work/back.dat") > "$work/back.diff" ||
  { cat "$work/back.diff" >&2; fail "the rows copied back differ from the rows as shown"; }
table_columns() { sqlite3 "$1" "SELECT name || ' ' || type FROM pragma_table_info('Велирск');"; }
[ "$(table_columns "$work/back.dat")" = "$(table_columns "$work/expected.dat")" ] ||
  fail "the file made by the copy declares other columns than the generator: $(table_columns "$work/back.dat")"

# --- The change notification: a program listening on the channel hears
# another one's UPDATE. The listener reads its commands from a pipe, so that
# it can be asked to look for notifications after the UPDATE.
mkfifo "$work/listener.in"
"$PSQL" -X -q -At -d "$CONN" < "$work/listener.in" > "$work/listener.out" 2>&1 &
LISTENER_PID=$!
exec 3> "$work/listener.in"
echo "LISTEN velirsk_changed; SELECT 'listening';" >&3
wait_until "$LISTEN_SECONDS" "the listener did not start listening" grep -q '^listening$' "$work/listener.out"
! grep -q 'Asynchronous notification' "$work/listener.out" || fail "a notification came before any change"
server -c "UPDATE \"Велирск\" SET \"Квартира\" = '99' WHERE rowid = 1"
heard() {
  echo "SELECT 'polled';" >&3
  grep -q 'Asynchronous notification "velirsk_changed"' "$work/listener.out"
}
wait_until "$LISTEN_SECONDS" "no notification after an UPDATE" heard ||
  { cat "$work/listener.out" >&2; exit 1; }
exec 3>&-
listener_gone() { ! kill -0 "$LISTENER_PID" 2>/dev/null; }
wait_until "$LISTEN_SECONDS" "the listener did not end" listener_gone
LISTENER_PID=

# A row the program adds takes a rowid past the highest copied one.
[ "$(server -c "INSERT INTO \"Велирск\" (\"Фамилия\") VALUES ('Новый') RETURNING rowid")" = 100001 ] ||
  fail "a new row on the server does not take the rowid after the highest copied one"

# --- Targets with rows are refused and left as they were; the server named
# by a URI this time.
read -r SOCKET_FOLDER SERVER_PORT < <(server -c '\echo :HOST :PORT')
URI="postgresql:///$DB?host=$SOCKET_FOLDER&port=$SERVER_PORT&user=postgres"
server_before=$(server_rows)
run_transfer "$work/source.dat" "$URI"
[ "$STATUS" = 1 ] || fail "a server table with rows was not refused ($STATUS): $OUTPUT"
grep -q -- "--replace" <<< "$OUTPUT" || fail "the refusal does not name --replace: $OUTPUT"
[ "$(server_rows)" = "$server_before" ] || fail "the refused copy changed the server's rows"
file_before=$(md5sum < "$work/back.dat")
run_transfer "$URI" "$work/back.dat"
[ "$STATUS" = 1 ] || fail "a file table with rows was not refused ($STATUS): $OUTPUT"
[ "$(md5sum < "$work/back.dat")" = "$file_before" ] || fail "the refused copy changed the file"

# --- --replace: fewer rows than before, both ways.
sqlite3 "$work/source.dat" 'DELETE FROM "Велирск" WHERE rowid > 200;'
sqlite3 "$work/expected.dat" 'DELETE FROM "Велирск" WHERE rowid > 200;'
COUNT=$(file_count "$work/expected.dat")
run_transfer --replace "$work/source.dat" "$URI"
[ "$STATUS" = 0 ] || fail "--replace to the server failed ($STATUS): $OUTPUT"
diff <(file_rows "$work/expected.dat") <(server_rows) > "$work/replace.diff" ||
  { cat "$work/replace.diff" >&2; fail "after --replace the server's rows differ from the rows as shown"; }
[ "$(server -c "INSERT INTO \"Велирск\" (\"Фамилия\") VALUES ('Новый') RETURNING rowid")" = 201 ] ||
  fail "after --replace a new row does not take the rowid after the highest copied one"
server -c "DELETE FROM \"Велирск\" WHERE rowid = 201"
run_transfer "$CONN" "$work/back.dat" --replace
[ "$STATUS" = 0 ] || fail "--replace into the file failed ($STATUS): $OUTPUT"
grep -q "\b$COUNT rows copied" <<< "$OUTPUT" || fail "the tool did not say it replaced with $COUNT rows: $OUTPUT"
diff <(file_values "$work/expected.dat") <(file_values "$work/back.dat") > "$work/back-replace.diff" ||
  { cat "$work/back-replace.diff" >&2; fail "after --replace the file's rows differ from the rows as shown"; }

# --- A NUL character, which a server's text cannot hold, in the last row:
# the copy is refused by that row's rowid, and the server keeps every row it
# had although --replace had already deleted them and the rows before were sent.
cp "$work/source.dat" "$work/nul.dat"
LAST=$(sqlite3 "$work/nul.dat" 'SELECT max(rowid) FROM "Велирск";')
sqlite3 "$work/nul.dat" "UPDATE \"Велирск\" SET \"Улица\" = CAST(X'41004243' AS TEXT) WHERE rowid = $LAST;"
server_before=$(server_rows)
run_transfer --replace "$work/nul.dat" "$CONN"
[ "$STATUS" = 1 ] || fail "a value with a NUL character was not refused ($STATUS): $OUTPUT"
grep -q "rowid $LAST\b" <<< "$OUTPUT" || fail "the refusal does not name rowid $LAST: $OUTPUT"
[ "$(server_rows)" = "$server_before" ] || fail "the refused copy changed the server's rows"
echo "transfer_directory: file, server and back agree"
