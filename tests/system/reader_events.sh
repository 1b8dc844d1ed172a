#!/usr/bin/env bash
# The in-process tests of what a screen reader is told (the grid's cells as
# the current cell moves, the status bar's texts, the editor as it moves) run
# offscreen with Qt's accessibility idle, and skip. Here they run on a private
# display with the AT-SPI bus up on a session bus of their own, where Qt's
# accessibility becomes active as under a real reader; none may skip.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"

BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher
command -v dbus-run-session > /dev/null || { echo "no dbus-run-session"; exit 77; }
[ -x "$BUS_LAUNCHER" ] || { echo "no AT-SPI bus launcher"; exit 77; }

if [ -z "${READER_EVENTS_BUS:-}" ]; then
  export READER_EVENTS_BUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi

start_display
BUS_PID=
stop_started() {
  if [ -n "$BUS_PID" ]; then kill "$BUS_PID" 2> /dev/null || true; fi
  stop_display
}
trap stop_started EXIT

"$BUS_LAUNCHER" --launch-immediately > /dev/null 2>&1 &
BUS_PID=$!
bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress > /dev/null 2>&1; }
wait_until 15 "the accessibility bus" bus_up || { echo "the accessibility bus did not start" >&2; exit 1; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb

run() {
  local binary=$1 filter=$2 log
  log=$(mktemp)
  if ! "$VELIRSK_BUILD_DIR/$binary" --gtest_filter="$filter" > "$log" 2>&1; then
    cat "$log"; rm -f "$log"; echo "$binary failed" >&2; exit 1
  fi
  if grep -q '^\[  SKIPPED \]' "$log"; then
    cat "$log"; rm -f "$log"; echo "$binary skipped tests with the bus up" >&2; exit 1
  fi
  grep '^\[  PASSED  \]' "$log"
  rm -f "$log"
}

run test_grid '*Accessible*'
run test_controls '*Accessible*'
run test_mainwin '*Reader*'
