#!/usr/bin/env bash
# Twenty clerks at once on one directory of 100,000 rows, editing, inserting,
# deleting and searching through the program's data sets: on the file for a
# while, and on the test server for a minute when there is one. No committed
# change may be lost or overwritten unseen, and every refused post must be
# reported as a conflict or a lock (clerk_load checks it and says so).
set -euo pipefail
work=$(mktemp -d)
database="velirsk_load_$$"
drop_database() {
  [ -n "${VELIRSK_TEST_SERVER:-}" ] && psql -X -q -d "$VELIRSK_TEST_SERVER" -c "DROP DATABASE IF EXISTS $database WITH (FORCE)" 2>/dev/null
  rm -rf "$work"
}
trap drop_database EXIT

"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 100000 > /dev/null
cp "$work/velirsk.dat" "$work/source.dat"
"$VELIRSK_BUILD_DIR/tools/clerk_load" --clerks 20 --seconds 15 "$work/velirsk.dat"

if [ -z "${VELIRSK_TEST_SERVER:-}" ]; then
  echo "no test server: the server's part is skipped"
  exit 77
fi
psql -X -q -d "$VELIRSK_TEST_SERVER" -c "CREATE DATABASE $database"
"$VELIRSK_BUILD_DIR/tools/transfer_directory" "$work/source.dat" "$VELIRSK_TEST_SERVER dbname=$database" > /dev/null
"$VELIRSK_BUILD_DIR/tools/clerk_load" --clerks 20 --seconds 60 --server "$VELIRSK_TEST_SERVER dbname=$database" "$work/source.dat"
