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
