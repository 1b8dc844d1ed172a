#!/usr/bin/env bash
# The real program starts under Xvfb: the splash window comes first and is
# gone before the main window is first shown; the main window has its outer
# size and its classic frame.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_watching; stop_program; stop_display; rm -rf "$work"' EXIT
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" > /dev/null

watch_windows "$work/windows.log"
start_program_in "$work"
main=$(wait_for_window "$MAIN_TITLE")
main_map_recorded() {
  local id
  id=$(window_of_size 699x411)
  [ -n "$id" ] && [ -n "$(event_line map "$id")" ]
}
wait_until 10 "the main window's mapping in the record" main_map_recorded || true
stop_watching
eval "$(xdotool getwindowgeometry --shell "$main")"
# The classic frame is painted: a light outer edge.
wait_for_screen "$work/screen.png" 10 "the painted frame" pixel_is "$X" "$((Y + 200))" "$work/screen.png" "212,208,200" || true

splash=$(window_of_size 392x227)
main_native=$(window_of_size 699x411)
[ -n "$splash" ] || { echo "no splash window of 392 x 227 was created"; window_events; exit 1; }
[ -n "$main_native" ] || { echo "no main window of 699 x 411 was created"; window_events; exit 1; }
splash_mapped=$(event_line map "$splash")
splash_destroyed=$(event_line destroy "$splash")
main_mapped=$(event_line map "$main_native")
if ! [ -n "$splash_mapped" ] || ! [ -n "$splash_destroyed" ] || ! [ "$splash_mapped" -lt "$splash_destroyed" ] \
   || ! [ "$splash_destroyed" -lt "$main_mapped" ]; then
  echo "expected: splash shown, splash destroyed, main window shown; got:"
  window_events
  exit 1
fi

eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 699 ] && [ "$HEIGHT" = 411 ] || { echo "main window is ${WIDTH}x$HEIGHT"; exit 1; }
# The classic frame: a light outer edge, a white inner edge, the caption bar.
[ "$(pixel "$X" "$((Y + 200))" "$work/screen.png")" = "212,208,200" ]
[ "$(pixel "$((X + 1))" "$((Y + 200))" "$work/screen.png")" = "255,255,255" ]
caption=$(pixel "$((X + 4))" "$((Y + 12))" "$work/screen.png")
[ "$caption" = "10,36,106" ] || [ "$caption" = "128,128,128" ] || { echo "caption bar starts with $caption"; exit 1; }

# Dragging the caption moves the window, dragging its corner sizes it, and
# its close box ends the program normally.
drag() {
  xdotool mousemove "$1" "$2" mousedown 1 mousemove "$(($1 + $3 / 2))" "$(($2 + $4 / 2))" sleep 0.2 \
    mousemove "$(($1 + $3))" "$(($2 + $4))" sleep 0.2 mouseup 1
}
# geometry_is X,Y,WIDTHxHEIGHT: the main window's place and size.
geometry_is() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  [ "$X,$Y,${WIDTH}x$HEIGHT" = "$1" ]
}
x0=$X y0=$Y
drag "$((X + 200))" "$((Y + 10))" 50 40
wait_until 10 "moving" geometry_is "$((x0 + 50)),$((y0 + 40)),699x411" 2> /dev/null \
  || { echo "dragging the caption moved the window to $X,$Y"; exit 1; }
drag "$((X + 698))" "$((Y + 410))" 40 30
wait_until 10 "sizing" geometry_is "$X,$Y,739x441" 2> /dev/null \
  || { echo "dragging the corner sized the window to ${WIDTH}x$HEIGHT"; exit 1; }
# The close box: 16 x 14, 2 pixels inside the caption's right end.
xdotool mousemove "$((X + WIDTH - 4 - 2 - 8))" "$((Y + 4 + 2 + 7))" click 1
wait_for_exit 10
[ "$PROGRAM_STATUS" = 0 ] || { echo "closing the main window gave exit code $PROGRAM_STATUS"; exit 1; }
