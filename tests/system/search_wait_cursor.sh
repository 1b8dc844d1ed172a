#!/usr/bin/env bash
# A slow search shows the wait cursor: with all seven edits empty, a search
# over a million rows keeps the program busy for longer than the wait
# cursor's delay. The pointer rests over the dialog; its cursor changes while
# the search runs and is the plain one again once the results are shown.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
PROBE="$VELIRSK_BUILD_DIR/tests/cursor_probe"
[ -x "$PROBE" ] || { echo "no cursor probe (the X fixes library is missing)"; exit 77; }
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 1000000 > /dev/null

fail() { echo "$*" >&2; import -window root "$VELIRSK_BUILD_DIR/wait_cursor_failure.png" 2>/dev/null || true; exit 1; }

start_program_in "$work/dir"
MAIN=$(wait_for_window "$MAIN_TITLE" 60)
open_search_dialog "$MAIN" || fail "no search dialog with the keys"
# Between the two buttons, where no control asks for a cursor of its own.
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 16))
# The program sets the cursor of the place once it handles the pointer's
# arrival: the plain cursor is the one that then stays for half a second.
steady_cursor() {
  local looks
  looks=$("$PROBE" 0.5)
  [ "$(echo "$looks" | grep -c .)" = 1 ] && plain=$(echo "$looks" | cut -d' ' -f2)
}
wait_until 10 "a steady cursor over the dialog" steady_cursor || fail "the probe saw no steady cursor"

"$PROBE" 60 > "$work/cursors.log" &
probe=$!
# The probe's first line is the cursor it found on starting.
wait_until 10 "the probe's first look" test -s "$work/cursors.log" || fail "the probe did not start"
xdotool windowfocus --sync "$DIALOG" key Return
wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 30 > /dev/null || fail "no results window"
plain_again() { [ "$(tail -1 "$work/cursors.log" | cut -d' ' -f2)" = "$plain" ]; }
wait_until 10 "the plain cursor after the search" plain_again || true
kill "$probe" 2>/dev/null || true
wait "$probe" 2>/dev/null || true

# Every picture the pointer showed, in order, the plain one included.
pictures=$(cut -d' ' -f2 "$work/cursors.log")
busy=$(echo "$pictures" | grep -v -x "$plain" | head -1 || true)
[ -n "$busy" ] || { cat "$work/cursors.log" >&2; fail "the cursor never changed during the search"; }
# A cursor theme names its cursors (an animated one only its first picture).
name=$(grep -m1 " $busy " "$work/cursors.log" | cut -d' ' -f3)
case "$name" in -|wait|watch) ;; *) cat "$work/cursors.log" >&2; fail "the cursor during the search is '$name'" ;; esac
[ "$(echo "$pictures" | tail -1)" = "$plain" ] || { cat "$work/cursors.log" >&2; fail "the wait cursor stayed after the search"; }
kill -0 "$PROGRAM_PID" || fail "the program ended"
