#!/usr/bin/env bash
# A hint near the bottom of the screen: the balloon is moved back up inside
# the desktop, over the pointer, and must stay up there as it does anywhere
# else, not vanish and come back while the pointer rests on the button.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_wm; stop_display; rm -rf "$work"' EXIT

HINT_COLOUR="#FFFFE1"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 20 > /dev/null
fail() { echo "$*" >&2; cp "$work/shot.png" "$VELIRSK_BUILD_DIR/hint_screen_edge_failure.png" 2>/dev/null || true; exit 1; }
start_wm

start_program_in "$work"
win=$(wait_for_window "$MAIN_TITLE")
wait_for_focus "$win" || fail "the main window did not get the keys"
# The navigator bar 20 pixels above the screen's bottom edge (768).
xdotool windowmove --sync "$win" 100 $((768 - 42 - 25 + 5))
eval "$(xdotool getwindowgeometry --shell "$win")"
px=$((X + 4 + 20))
py=$((Y + 42 + 12))

# The balloon lies over the pointer at the bottom of the screen.
balloon_up() {
  shown=$(convert "$work/shot.png" -crop "400x250+$((px - 50))+$((768 - 250))" +repage -format %c histogram:info:- \
    | awk -v c="$HINT_COLOUR" 'toupper($0) ~ c { gsub(":", "", $1); n += $1 } END { print n + 0 }')
  [ "$shown" -gt 300 ]
}
balloon_maps() { window_events | grep -c "^map " || true; }

watch_windows "$work/windows.log"
xdotool mousemove "$((px - 3))" "$((py - 2))"
xdotool mousemove "$px" "$py"
wait_for_screen "$work/shot.png" 10 "the balloon" balloon_up || fail "the balloon did not come up ($shown hint-coloured pixels)"

# While the pointer rests past the balloon's own time (2.5 s), its window is
# shown once: a balloon that vanishes and comes back is shown again. Counting
# the showings, not looking at the screen at given times, keeps a busy
# machine's slow screenshots from passing for a vanished balloon.
sleep 3
stop_watching
[ "$(balloon_maps)" = 1 ] || fail "the balloon was shown $(balloon_maps) times while the pointer rested"
