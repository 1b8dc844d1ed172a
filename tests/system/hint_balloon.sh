#!/usr/bin/env bash
# A navigator button's hint in the main window, as a person sees it: the
# pointer rests on the first button and a balloon appears below it, its
# rounded body framed in the faded hint colour with the hint colour inside;
# a key press takes it away.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

HINT_COLOUR="255,255,225"
FRAME_COLOUR="178,178,158"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 20 > /dev/null
fail() { echo "$*" >&2; cp "$work/hint.png" "$VELIRSK_BUILD_DIR/hint_balloon_failure.png" 2>/dev/null || true; exit 1; }

start_program_in "$work"
win=$(wait_for_window "$MAIN_TITLE")
wait_for_focus "$win" || fail "the main window did not get the keys"
eval "$(xdotool getwindowgeometry --shell "$win")"
# The first navigator button, inside the client area (4 in, 42 down).
px=$((X + 4 + 20))
py=$((Y + 42 + 12))
# The balloon's window starts one pixel left of and 19 below the pointer;
# its body begins 20 rows further down, its frame on the window's column 1.
body_row=$((py + 19 + 30))
xdotool mousemove "$((px - 3))" "$((py - 2))"
xdotool mousemove "$px" "$py"
wait_for_screen "$work/hint.png" 10 "the balloon" pixel_is "$px" "$body_row" "$work/hint.png" "$FRAME_COLOUR" \
  || fail "no balloon frame left of the body"
cp "$work/hint.png" "$VELIRSK_BUILD_DIR/hint_balloon.png" 2>/dev/null || true
# A key press takes it away, well before its own time (2.5 s) is over.
xdotool key shift
wait_for_pixel_not "$px" "$body_row" "$FRAME_COLOUR" 1 || fail "a key press leaves the balloon up"

[ "$(pixel "$((px + 1))" "$body_row" "$work/hint.png")" = "$HINT_COLOUR" ] || fail "no hint colour inside the body"
[ "$(pixel "$((px - 1))" "$body_row" "$work/hint.png")" != "$FRAME_COLOUR" ] || fail "the frame is wider than one pixel"
# The tail rises towards the pointer above the body.
tail=$(convert "$work/hint.png" -crop "150x16+$((px - 1))+$((py + 19 + 2))" +repage txt:- | grep -ci "#FFFFE1" || true)
[ "$tail" -gt 20 ] || fail "no tail above the body ($tail pixels)"

