#!/usr/bin/env bash
# The flat skin on the standard controls, as a person sees it: the search
# dialog's idle edits have a grey line inside their plain border that turns
# to the light selection colour when the edit has the focus, its group box is
# a flat one-pixel frame, and a navigator button of the main window and of
# the results window lights up under the pointer.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

# The classic scheme: button face 212,208,200, highlight 10,36,106.
IDLE_EDIT="152,150,140"        # the button face darkened by 60
FOCUSED_EDIT="157,167,195"     # the highlight lightened by 60 %
BOX_LIGHT="238,236,233"        # the button face lightened by 60 %
BOX_DARK="152,150,140"
HOT_FRAME="#0A246A"            # the highlight
HOT_FILL="#B1B9CF"             # the highlight lightened by 68 %

"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 50 > /dev/null
fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/skin_controls_failure.png" 2>/dev/null || true; exit 1; }

# count_colour FILE X Y W H COLOUR: pixels of that colour in the area.
count_colour() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage txt:- | grep -ci "$6" || true
}
# at_rest FILE X Y / lit FILE X Y: the navigator button at (X, Y) shows no
# outline in the highlight / its outline and selection fill.
at_rest() { [ "$(count_colour "$1" $(($2 - 30)) $(($3 - 20)) 60 40 "$HOT_FRAME")" -eq 0 ]; }
lit() {
  [ "$(count_colour "$1" $(($2 - 30)) $(($3 - 20)) 60 40 "$HOT_FRAME")" -ge 40 ] \
    && [ "$(count_colour "$1" $(($2 - 30)) $(($3 - 20)) 60 40 "$HOT_FILL")" -ge 100 ]
}

# expect_hot_button NAME X Y: the pointer over (X, Y) lights the navigator
# button beneath it: an outline in the highlight around the selection fill.
expect_hot_button() {
  local name=$1 x=$2 y=$3 frame fill
  xdotool mousemove 5 5
  wait_for_screen "$work/$name-rest.png" 10 "$name at rest" at_rest "$work/$name-rest.png" "$x" "$y" \
    || fail "$name: a navigator button looks hot without the pointer"
  xdotool mousemove $((x - 2)) $((y - 1))
  xdotool mousemove "$x" "$y"
  wait_for_screen "$work/$name-hot.png" 10 "$name lit" lit "$work/$name-hot.png" "$x" "$y" || true
  cp "$work/$name-hot.png" "$VELIRSK_BUILD_DIR/skin_controls_$name.png" 2>/dev/null || true
  frame=$(count_colour "$work/$name-hot.png" $((x - 30)) $((y - 20)) 60 40 "$HOT_FRAME")
  fill=$(count_colour "$work/$name-hot.png" $((x - 30)) $((y - 20)) 60 40 "$HOT_FILL")
  [ "$frame" -ge 40 ] || fail "$name: no outline in the highlight around the hot button ($frame pixels)"
  [ "$fill" -ge 100 ] || fail "$name: no selection fill on the hot button ($fill pixels)"
}

start_program_in "$work"
MAIN=$(wait_for_window "$MAIN_TITLE")
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
# The third navigator button ("next"; the first two are disabled on the first
# record), in the client area below the menu bar: ten buttons of 69 pixels.
expect_hot_button main $((X + 4 + 2 * 69 + 34)) $((Y + 42 + 12))

xdotool mousemove 5 5
open_search_dialog "$MAIN" || fail "no search dialog with the keys"
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
# Client area inside the three-pixel frame and the caption; the group box at
# its origin, 433 x 193; the phone edit at (96, 16) in the group box, 21 high.
cx=$((X + 3))
cy=$((Y + 3 + 19))
ex=$((cx + 96))
ey=$((cy + 16 + 10))
wait_for_screen "$work/dialog.png" 10 "the dialog's group box" pixel_is "$cx" $((cy + 100)) "$work/dialog.png" "$BOX_LIGHT" \
  || fail "group box: left edge not light"
cp "$work/dialog.png" "$VELIRSK_BUILD_DIR/skin_controls_dialog.png" 2>/dev/null || true
[ "$(pixel "$ex" "$ey" "$work/dialog.png")" = "0,0,0" ] || fail "no plain border around the idle edit"
[ "$(pixel $((ex + 1)) "$ey" "$work/dialog.png")" = "$IDLE_EDIT" ] || fail "idle edit line is not $IDLE_EDIT"
[ "$(pixel $((ex + 2)) "$ey" "$work/dialog.png")" = "255,255,255" ] || fail "the idle edit line is wider than a pixel"
[ "$(pixel "$cx" $((cy + 100)) "$work/dialog.png")" = "$BOX_LIGHT" ] || fail "group box: left edge not light"
[ "$(pixel $((cx + 1)) $((cy + 100)) "$work/dialog.png")" = "212,208,200" ] || fail "group box: a second frame line"
[ "$(pixel $((cx + 432)) $((cy + 100)) "$work/dialog.png")" = "$BOX_DARK" ] || fail "group box: right edge not dark"
[ "$(pixel $((cx + 200)) $((cy + 192)) "$work/dialog.png")" = "$BOX_DARK" ] || fail "group box: bottom edge not dark"
[ "$(pixel $((cx + 200)) $((cy + 191)) "$work/dialog.png")" = "212,208,200" ] || fail "group box: a second bottom line"
[ "$(pixel $((cx + 3)) $((cy + 7)) "$work/dialog.png")" = "$BOX_LIGHT" ] || fail "group box: top edge not light"

# From the focused "Найти" past "Отмена" to the phone edit.
xdotool key Tab Tab
wait_for_screen "$work/focused.png" 10 "the focused edit" pixel_is $((ex + 1)) "$ey" "$work/focused.png" "$FOCUSED_EDIT" \
  || fail "focused edit line is not $FOCUSED_EDIT"
[ "$(pixel $((ex + 1)) $((ey + 24)) "$work/focused.png")" = "$IDLE_EDIT" ] || fail "the next edit lit up too"

# Empty criteria find every row.
xdotool key Return
RESULTS=$(wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15) || fail "no results window"
eval "$(xdotool getwindowgeometry --shell "$RESULTS")"
# The results window has no menu bar: its navigator of four buttons, 173
# pixels each, starts below the caption. The last button ("last") is enabled.
expect_hot_button results $((X + 4 + 3 * 173 + 86)) $((Y + 23 + 12))

kill -0 "$PROGRAM_PID" || fail "the program ended"
