#!/usr/bin/env bash
# On a scaled screen the program keeps its layout and draws sharp: the main
# window is its outer size times the scale, and the search dialog's labels
# are letters of the scaled size, drawn at the screen's resolution rather
# than small letters spaced out or every pixel doubled.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display 1600x1000
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/velirsk.dat" 50 > /dev/null

fail() { echo "$*" >&2; cat "${PROGRAM_LOG:-/dev/null}" >&2 || true; cp "$work/shot.png" "$VELIRSK_BUILD_DIR/screen_scale_failure.png" 2>/dev/null || true; exit 1; }

# The label "по фамилии:" in the dialog's logical pixels, from its window's
# top-left corner: the dialog's frame and caption, then the label's place.
LABEL_X=24 LABEL_Y=60 LABEL_W=70 LABEL_H=18

# label_ink SCALE: opens the search dialog at that scale; sets INK_W and
# INK_H to the device size of the label's letters, DOUBLED to how many of
# its pixels differ from its own picture with every 2x2 block made one
# colour, and MAIN_W and MAIN_H to the main window's size.
label_ink() {
  local scale=$1 main dialog x y w h
  QT_SCALE_FACTOR=$scale start_program_in "$work"
  main=$(wait_for_window "$MAIN_TITLE") || fail "no main window at scale $scale"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  MAIN_W=$WIDTH MAIN_H=$HEIGHT
  xdotool windowfocus --sync "$main"
  xdotool key --delay 100 alt Right Return Return
  dialog=$(wait_for_window "$(regex "$DIALOG_TITLE")" 10) || fail "no search dialog at scale $scale"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  # Blocks of the canvas start at the window's corner: an even offset.
  x=$((X + $(scale_by "$scale" $LABEL_X) / 2 * 2)) y=$((Y + $(scale_by "$scale" $LABEL_Y) / 2 * 2))
  w=$(scale_by "$scale" $LABEL_W) h=$(scale_by "$scale" $LABEL_H)
  wait_for_still_screen "$work/shot.png" 10 > /dev/null || true
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop "${w}x${h}+${x}+${y}" +repage "$work/label.png"
  read -r INK_W INK_H <<< "$(convert "$work/label.png" -fuzz 25% -trim -format "%w %h" info:)"
  convert "$work/label.png" -sample 50% -sample 200% "$work/blocks.png"
  DOUBLED=$(compare -metric AE "$work/label.png" "$work/blocks.png" null: 2>&1 || true)
  stop_program
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=
}

scale_by() { awk -v s="$1" -v n="$2" 'BEGIN { printf "%d", s * n + 0.5 }'; }
within() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a - b <= d && b - a <= d) }'; }

label_ink 1
w1=$INK_W h1=$INK_H
echo "scale 1: the label's letters are ${w1} x ${h1}"
[ "$MAIN_W" = 699 ] && [ "$MAIN_H" = 411 ] || fail "the main window is ${MAIN_W} x ${MAIN_H} at scale 1"
for scale in 2 1.5; do
  label_ink "$scale"
  w=$INK_W h=$INK_H doubled=$DOUBLED
  echo "scale $scale: the label's letters are ${w} x ${h}, ${doubled} pixels unlike their doubled picture; main window ${MAIN_W} x ${MAIN_H}"
  within "$MAIN_W" "$(scale_by "$scale" 699)" 1 && within "$MAIN_H" "$(scale_by "$scale" 411)" 1 ||
    fail "at scale $scale the main window is ${MAIN_W} x ${MAIN_H}"
  # The face that stands in for the bitmap one reaches a little further above
  # and below the line in some letters (ф).
  [ "$h" -ge "$(($(scale_by "$scale" "$h1") - 1))" ] && [ "$h" -le "$(scale_by "$scale" "$((h1 * 4 / 3 + 1))")" ] ||
    fail "at scale $scale the label's letters are $h pixels high, not about $(scale_by "$scale" "$h1")"
  within "$w" "$(scale_by "$scale" "$w1")" "$(scale_by "$scale" "$((w1 / 8))")" ||
    fail "at scale $scale the label is $w pixels wide, not about $(scale_by "$scale" "$w1")"
  if [ "$scale" = 2 ]; then
    [ "$doubled" -gt 40 ] || fail "at scale 2 the label's pixels are doubled ($doubled differ from doubling)"
  fi
done
