#!/usr/bin/env bash
# What a clerk with a screen reader hears, over AT-SPI on a private session
# bus with the accessibility bus started first: the main window's tree (the
# menu bar and its items, the navigator's buttons by their hints, the grid as
# a table and the status text where they are exposed), a keyboard session
# (Down in the grid, F10 and the arrows through the menus, Tab in the search
# dialog) and the delete question read out before its buttons. Prints the
# size of the main window's tree beside a stock Qt window of the same shape.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"

PROBE="$VELIRSK_SOURCE_DIR/tests/system/atspi_probe.py"
# pyatspi comes with the system's Python, not with one a user put first.
PYTHON=/usr/bin/python3
BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher
command -v dbus-run-session > /dev/null || { echo "no dbus-run-session"; exit 77; }
[ -x "$BUS_LAUNCHER" ] || { echo "no AT-SPI bus launcher"; exit 77; }
"$PYTHON" -c "import pyatspi" 2> /dev/null || { echo "no pyatspi"; exit 77; }

# Everything runs on a session bus of its own, which ends with the script.
if [ -z "${SCREEN_READER_BUS:-}" ]; then
  export SCREEN_READER_BUS=1
  exec dbus-run-session -- bash "$0" "$@"
fi

start_display
work=$(mktemp -d)
STOCK_PID=
stop_started() {
  stop_program
  [ -n "$STOCK_PID" ] && kill "$STOCK_PID" 2> /dev/null
  stop_display
  rm -rf "$work"
}
trap stop_started EXIT
fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/screen_reader_failure.png" 2>/dev/null || true; exit 1; }

# Asking the session bus for the accessibility bus starts it, before any
# program looks for it.
bus_up() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress > /dev/null 2>&1; }
wait_until 15 "the accessibility bus" bus_up || fail "the accessibility bus did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 40 > /dev/null

if [ -x "$VELIRSK_BUILD_DIR/tests/stock_qt_window" ]; then
  "$VELIRSK_BUILD_DIR/tests/stock_qt_window" > "$work/stock.log" 2>&1 &
  STOCK_PID=$!
  stock=$("$PYTHON" "$PROBE" count "Stock Qt window") || fail "the stock window's tree could not be read"
  echo "stock Qt main window: $stock"
  kill "$STOCK_PID"; STOCK_PID=
fi

start_program_in "$work/dir"
WIN=$(wait_for_window "$MAIN_TITLE")
xdotool windowfocus --sync "$WIN"
wait_for_focus "$WIN" || fail "the main window did not get the keys"
ours=$("$PYTHON" "$PROBE" count "$MAIN_TITLE") || fail "the main window's tree could not be read"
echo "directory main window: $ours"
"$PYTHON" "$PROBE" session || fail "the session over AT-SPI failed"
