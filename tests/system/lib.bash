# Helpers for the system tests: a private Xvfb display, the program under
# test, and waiting for its windows. Sourced by each test script.

start_display() {
  local n
  for n in $(seq 140 200); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      sleep 0.05
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; true; }

start_program() {
  "$VELIRSK_BUILD_DIR/velirsk" "$@" > program.log 2>&1 &
  PROGRAM_PID=$!
}

stop_program() { [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null; true; }

# wait_for_window TITLE [SECONDS]: prints the window id once a visible window
# with exactly that title exists.
wait_for_window() {
  local title=$1 limit=${2:-15} id
  for _ in $(seq $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window titled '$title' within ${limit}s" >&2
  return 1
}

# start_program_in DIR [ARGS...]: starts the program with DIR as its working
# folder; its output goes to $PROGRAM_LOG, outside that folder.
start_program_in() {
  local dir=$1
  shift
  PROGRAM_LOG=${PROGRAM_LOG:-$(mktemp)}
  (cd "$dir" && exec "$VELIRSK_BUILD_DIR/velirsk" "$@") > "$PROGRAM_LOG" 2>&1 &
  PROGRAM_PID=$!
}

# wait_for_exit [SECONDS]: waits for the program and sets PROGRAM_STATUS to
# its exit code; fails when it is still running after the limit.
wait_for_exit() {
  local limit=${1:-15}
  for _ in $(seq $((limit * 10))); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      PROGRAM_STATUS=0
      wait "$PROGRAM_PID" || PROGRAM_STATUS=$?
      PROGRAM_PID=
      return 0
    fi
    sleep 0.1
  done
  echo "the program is still running after ${limit}s" >&2
  return 1
}

# watch_windows FILE: records the creation, mapping and destruction of
# top-level windows in FILE until stop_watching.
watch_windows() {
  WATCH_FILE=$1
  xev -root -event substructure > "$WATCH_FILE" 2>&1 &
  WATCH_PID=$!
  sleep 0.3
}

stop_watching() { [ -n "${WATCH_PID:-}" ] && kill "$WATCH_PID" 2>/dev/null; WATCH_PID=; true; }

# window_events: the recorded events, one a line, in order:
#   create ID WIDTHxHEIGHT | map ID | unmap ID | destroy ID
window_events() {
  awk 'BEGIN { RS = "" } { gsub(/\n/, " "); print }' "$WATCH_FILE" | sed -nE \
    -e 's/^CreateNotify .*parent 0x[0-9a-f]+, window (0x[0-9a-f]+), \([-0-9]+,[-0-9]+\), width ([0-9]+), height ([0-9]+).*/create \1 \2x\3/p' \
    -e 's/^MapNotify .*synthetic NO.*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/map \1/p' \
    -e 's/^UnmapNotify .*synthetic NO.*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/unmap \1/p' \
    -e 's/^DestroyNotify .*event 0x[0-9a-f]+, window (0x[0-9a-f]+).*/destroy \1/p'
}

# event_line KIND ID: the line number of the first such event, empty if none.
event_line() { window_events | grep -n -m1 "^$1 $2\b" | cut -d: -f1; }

# window_of_size WIDTHxHEIGHT: the first window created with that size.
window_of_size() { window_events | awk -v size="$1" '$1 == "create" && $3 == size { print $2; exit }'; }

# pixel X Y FILE: the colour of a pixel of a screenshot as "r,g,b".
pixel() {
  convert "$3" -format "%[fx:int(255*u.p{$1,$2}.r)],%[fx:int(255*u.p{$1,$2}.g)],%[fx:int(255*u.p{$1,$2}.b)]" info:
}

# start_wm: starts the window manager that VELIRSK_WM names (for example
# openbox) on the test's display; without VELIRSK_WM the test runs with none.
start_wm() {
  WM_PID=
  [ -n "${VELIRSK_WM:-}" ] || return 0
  command -v "$VELIRSK_WM" > /dev/null || { echo "no window manager '$VELIRSK_WM' installed" >&2; return 1; }
  "$VELIRSK_WM" > /dev/null 2>&1 &
  WM_PID=$!
  sleep 1
}

stop_wm() { [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null; true; }
