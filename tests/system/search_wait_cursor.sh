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

MAIN_TITLE="Телефонный справочник г. Велирск v. 1.0"
DIALOG_TITLE="Телефонный справочник г. Велирск | Поиск в базе данных"
RESULTS_PREFIX="Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) "
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 1000000 > /dev/null

regex() { printf '%s' "$1" | sed 's/[][().|*+?{}^$\\]/\\&/g'; }
fail() { echo "$*" >&2; import -window root "$VELIRSK_BUILD_DIR/wait_cursor_failure.png" 2>/dev/null || true; exit 1; }

start_program_in "$work/dir"
MAIN=$(wait_for_window "$MAIN_TITLE" 60)
sleep 0.8
xdotool windowfocus --sync "$MAIN"
xdotool key alt; sleep 0.2
xdotool key Right; sleep 0.2
xdotool key Return; sleep 0.2
xdotool key Return
DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 5) || fail "no search dialog"
sleep 0.5
# Between the two buttons, where no control asks for a cursor of its own.
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 16))
sleep 0.5
plain=$("$PROBE" 0.2 | head -1 | cut -d' ' -f2)
[ -n "$plain" ] || fail "the probe saw no cursor"

"$PROBE" 30 > "$work/cursors.log" &
probe=$!
sleep 0.3
xdotool windowfocus --sync "$DIALOG" key Return
for _ in $(seq 300); do
  [ -n "$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null || true)" ] && break
  sleep 0.1
done
[ -n "$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null || true)" ] || fail "no results window"
sleep 1
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
