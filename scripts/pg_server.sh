# A private PostgreSQL server for the tests that need one. Sourced, not run:
#
#   start_test_server   starts it and exports VELIRSK_TEST_SERVER, a libpq
#                       connection string to its "postgres" database; when it
#                       cannot start, says why and leaves the variable unset,
#                       so that the tests that need a server are skipped
#   stop_test_server    stops it at once and removes its folder; it is also
#                       the EXIT trap of the shell that started the server
#                       (replacing any earlier one), which bash runs on an
#                       error under set -e and on SIGINT or SIGTERM as well
#
# The server lives in a fresh folder: its data, its log and its Unix socket.
# It listens on no TCP address, trusts every local user, and keeps nothing
# through a crash (fsync off): it exists only for the length of one run.
# lower() must fold Cyrillic for the directory's case-blind searches, hence a
# UTF-8 database in the C.UTF-8 locale.

# Under /tmp whatever TMPDIR says: the socket's path must stay within the
# 107 bytes a Unix socket address holds, and the "postgres" user must be able
# to reach it.
PG_TEST_FOLDER_TEMPLATE=/tmp/velirsk-pg.XXXXXX
# Named in both the server's settings and the connection string, so that a
# PGPORT in the environment changes neither: nothing else listens on this
# folder's socket.
PG_TEST_PORT=5432
PG_TEST_START_SECONDS=60
PG_TEST_STOP_SECONDS=15

PG_TEST_FOLDER=
PG_TEST_BIN=

# as_server_owner COMMAND...: runs COMMAND as the owner of the server's files.
# PostgreSQL refuses to run as root, so under root that is the "postgres"
# system user; the working folder is the server's own, which that user can
# always enter.
as_server_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    (cd "$PG_TEST_FOLDER" && runuser -u postgres -- "$@")
  else
    (cd "$PG_TEST_FOLDER" && "$@")
  fi
}

start_test_server() {
  unset VELIRSK_TEST_SERVER
  PG_TEST_BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ -z "$PG_TEST_BIN" ] || [ ! -x "$PG_TEST_BIN/initdb" ] || [ ! -x "$PG_TEST_BIN/pg_ctl" ]; then
    echo "No PostgreSQL server is installed (no /usr/lib/postgresql/*/bin); the tests that need one are skipped." >&2
    return 0
  fi
  if [ "$(id -u)" -eq 0 ] && ! id -u postgres > /dev/null 2>&1; then
    echo "Running as root, but there is no 'postgres' user to run the server as; the tests that need a server are skipped." >&2
    return 0
  fi
  PG_TEST_FOLDER=$(mktemp -d "$PG_TEST_FOLDER_TEMPLATE")
  trap stop_test_server EXIT
  [ "$(id -u)" -eq 0 ] && chown postgres: "$PG_TEST_FOLDER"

  local data="$PG_TEST_FOLDER/data" log="$PG_TEST_FOLDER/server.log"
  if ! as_server_owner timeout "$PG_TEST_START_SECONDS" "$PG_TEST_BIN/initdb" --pgdata="$data" --auth=trust \
      --username=postgres --encoding=UTF8 --locale=C.UTF-8 > "$PG_TEST_FOLDER/initdb.log" 2>&1; then
    echo "The test server's database could not be created; the tests that need a server are skipped:" >&2
    tail -n 20 "$PG_TEST_FOLDER/initdb.log" >&2
    stop_test_server
    return 0
  fi
  cat >> "$data/postgresql.conf" <<EOF
listen_addresses = ''
port = $PG_TEST_PORT
unix_socket_directories = '$PG_TEST_FOLDER'
fsync = off
EOF
  if ! as_server_owner "$PG_TEST_BIN/pg_ctl" start --pgdata="$data" --log="$log" --wait \
      --timeout="$PG_TEST_START_SECONDS" --silent > /dev/null 2>&1; then
    echo "The test server did not start; the tests that need a server are skipped:" >&2
    tail -n 20 "$log" >&2 2>/dev/null || true
    stop_test_server
    return 0
  fi
  export VELIRSK_TEST_SERVER="host=$PG_TEST_FOLDER port=$PG_TEST_PORT user=postgres dbname=postgres"
  echo "PostgreSQL test server: $VELIRSK_TEST_SERVER"
}

stop_test_server() {
  [ -n "$PG_TEST_FOLDER" ] || return 0
  local data="$PG_TEST_FOLDER/data"
  if [ -f "$data/postmaster.pid" ]; then
    if ! as_server_owner "$PG_TEST_BIN/pg_ctl" stop --pgdata="$data" --mode=immediate --wait \
        --timeout="$PG_TEST_STOP_SECONDS" --silent > /dev/null 2>&1; then
      # The server's own process, by the id it wrote; a server that outlived
      # its folder would hold the port's shared memory key for nothing.
      local pid
      pid=$(head -n 1 "$data/postmaster.pid" 2>/dev/null || true)
      [ -z "$pid" ] || kill -KILL "$pid" 2>/dev/null || true
    fi
  fi
  rm -rf "$PG_TEST_FOLDER"
  PG_TEST_FOLDER=
  unset VELIRSK_TEST_SERVER
}
