#!/usr/bin/env bash
# A search as a person makes it: "Поиск" / "Найти" opens the dialog in its
# blue frame, a criterion typed in lower case and Enter open the results
# window with the same count as the sqlite3 shell gives for a case-blind
# prefix match; texts with quotes, wildcards and a backslash search without
# an error box.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 3000 > /dev/null
DB="$work/dir/velirsk.dat"

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/search_failure.png" 2>/dev/null || true; exit 1; }

# Every case variant of a three-letter Cyrillic prefix, for the shell's
# comparison (its own LIKE folds only Latin letters).
variants() {
  local a b c out=()
  for a in и И; do for b in в В; do for c in а А; do out+=("'$a$b$c'"); done; done; done
  local IFS=,
  echo "${out[*]}"
}
# The fields left empty impose nothing, so rows with empty fields count too.
expected=$(sqlite3 "$DB" "SELECT COUNT(*) FROM \"Велирск\" WHERE substr(\"Фамилия\", 1, 3) IN ($(variants));")

# The dialog comes up with the keys: the program activates it.
open_dialog() {
  open_search_dialog "$MAIN" || fail "no search dialog with the keys"
}

# Tab from the focused "Найти" past "Отмена" to the surname field, type, Enter.
search_surname() {
  xdotool key Tab Tab Tab
  xdotool type --delay 60 "$1"
  xdotool key Return
}

results_window() { wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 15; }

# expect_caption WINDOW TEXT: the window's caption is TEXT once the program
# has set it.
caption_is() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }
expect_caption() {
  wait_until 5 "caption" caption_is "$1" "$2" 2> /dev/null || fail "caption '$(xdotool getwindowname "$1")', not '$2'"
}

close_window() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
}

framed_in_blue() {
  local point
  for point in "$X $((Y + HEIGHT / 2))" "$((X + WIDTH / 2)) $Y" "$((X + WIDTH - 1)) $((Y + HEIGHT / 2))" \
               "$((X + WIDTH / 2)) $((Y + HEIGHT - 1))"; do
    # shellcheck disable=SC2086
    [ "$(pixel $point "$1")" = "0,0,255" ] || { echo "no blue frame at $point"; return 1; }
  done
}

start_program_in "$work/dir"
MAIN=$(wait_for_window "$MAIN_TITLE")

open_dialog
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
wait_for_screen "$work/dialog.png" 10 "the dialog's blue frame" framed_in_blue "$work/dialog.png" > /dev/null \
  || fail "$(framed_in_blue "$work/dialog.png")"
cp "$work/dialog.png" "$VELIRSK_BUILD_DIR/search_dialog.png" 2>/dev/null || true

search_surname "ива"
RESULTS=$(results_window) || fail "no results window"
expect_caption "$RESULTS" "${RESULTS_PREFIX}${expected} запись(ей)"
import -window root "$work/results.png"
cp "$work/results.png" "$VELIRSK_BUILD_DIR/search_results.png" 2>/dev/null || true
wait_for_no_window "^$(regex "$DIALOG_TITLE")\$" || fail "the dialog stayed"
close_window "$RESULTS"
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "results stayed open"

# Texts that an SQL statement could trip over find nothing and raise no error.
open_dialog
search_surname "\"'%_\\x"
RESULTS=$(results_window) || fail "the strange text gave no results window"
expect_caption "$RESULTS" "${RESULTS_PREFIX}0 запись(ей)"
close_window "$RESULTS"
wait_for_no_window "^$(regex "$RESULTS_PREFIX")" || fail "results stayed open"

kill -0 "$PROGRAM_PID" || fail "the program ended"
