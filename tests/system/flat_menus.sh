#!/usr/bin/env bash
# The main window's menus in the flat look, opened with the mouse and with
# the keyboard: the bar item selected with its shadow, the popup's icon
# column starting at LightenColor(IconBarColor, 1) of the gradient inside
# the flat frame, the selected item filled with LightenColor(highlight, 68)
# inside a highlight frame, and glyphs dimmed towards white.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 20 > /dev/null

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/flat_menus_failure.png" 2>/dev/null || true; exit 1; }

# The classic scheme: button face (212, 208, 200), highlight (10, 36, 106).
ICON_START="219,216,209"   # IconBarColor = LightenColor(button face, 16), lightened 1 %
SELECT_FILL="177,185,207"  # LightenColor(highlight, 68), popup item and bar item alike
HIGHLIGHT="10,36,106"
FLAT_FRAME="122,120,110"

start_program_in "$work/dir"
WIN=$(wait_for_window "$MAIN_TITLE")
eval "$(xdotool getwindowgeometry --shell "$WIN")"
xdotool windowfocus --sync "$WIN"
# The menu bar lies below the 4-pixel frame and the 19-pixel caption; "Файл"
# is its first item. Its popup opens just below the bar, and the popup's
# first item starts inside the 3-pixel frame.
BAR_X=$((X + 4)); BAR_Y=$((Y + 4 + 19))
POP_X=$BAR_X; POP_Y=$((BAR_Y + 19))
ITEM_X=$((POP_X + 3)); ITEM_Y=$((POP_Y + 3))
FILE_X=$((BAR_X + 8))

expect() { # NAME X Y FILE COLOUR
  local got
  got=$(pixel "$2" "$3" "$4")
  [ "$got" = "$5" ] || fail "$1 at ($2, $3) of $(basename "$4") is $got, not $5"
}

# The bar item is selected with its frame and fill; the popup's left edge is
# the one-pixel flat frame, DarkenColor(button face, 90).
check_open_menu() {
  local shot=$1
  expect "bar frame" "$BAR_X" "$BAR_Y" "$shot" "$HIGHLIGHT"
  expect "bar fill" $((BAR_X + 2)) $((BAR_Y + 5)) "$shot" "$SELECT_FILL"
  expect "flat frame" "$POP_X" $((ITEM_Y + 5)) "$shot" "$FLAT_FRAME"
}
# wait_for_menu FILE: a screenshot in FILE once the popup's frame shows.
wait_for_menu() {
  wait_for_screen "$1" 10 "the popup" pixel_is "$POP_X" $((ITEM_Y + 5)) "$1" "$FLAT_FRAME" || fail "no popup came up"
}

xdotool mousemove "$FILE_X" $((BAR_Y + 9)) click 1
wait_for_menu "$work/mouse.png"
cp "$work/mouse.png" "$VELIRSK_BUILD_DIR/flat_menus_mouse.png" 2>/dev/null || true
check_open_menu "$work/mouse.png"
# Opened with the mouse, no popup item is selected: the gradient runs on.
expect "icon column" "$ITEM_X" $((ITEM_Y + 5)) "$work/mouse.png" "$ICON_START"
[ "$(pixel $((ITEM_X + 30)) $((ITEM_Y + 5)) "$work/mouse.png")" != "$SELECT_FILL" ] || fail "an item is selected"
# The next keys wait for the popup to be gone: keys typed in a row right
# after the one that closes a popup still get lost now and then under load.
xdotool key Escape
wait_for_pixel_not "$POP_X" $((ITEM_Y + 5)) "$FLAT_FRAME" || fail "Escape left the popup up"
xdotool key Escape alt Down
wait_for_menu "$work/keyboard.png"
# The popup may show before it draws the item that Down selected.
wait_for_screen "$work/keyboard.png" 10 "the selected item" pixel_is "$ITEM_X" $((ITEM_Y + 5)) "$work/keyboard.png" "$HIGHLIGHT" || true
cp "$work/keyboard.png" "$VELIRSK_BUILD_DIR/flat_menus_keyboard.png" 2>/dev/null || true
check_open_menu "$work/keyboard.png"
# Down selects "Выход": filled, framed from its second row.
expect "item frame" "$ITEM_X" $((ITEM_Y + 5)) "$work/keyboard.png" "$HIGHLIGHT"
expect "item frame top" $((ITEM_X + 30)) $((ITEM_Y + 1)) "$work/keyboard.png" "$HIGHLIGHT"
expect "item fill" $((ITEM_X + 30)) $((ITEM_Y + 5)) "$work/keyboard.png" "$SELECT_FILL"
xdotool key Escape
