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

MAIN_TITLE="Телефонный справочник г. Велирск v. 1.0"
DIALOG_TITLE="Телефонный справочник г. Велирск | Поиск в базе данных"
RESULTS_PREFIX="Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) "
mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 3000 > /dev/null
DB="$work/dir/velirsk.dat"

# xdotool takes window names as extended regular expressions.
regex() { printf '%s' "$1" | sed 's/[][().|*+?{}^$\\]/\\&/g'; }

fail() { echo "$*" >&2; import -window root "$work/failure.png" || true; cp "$work/failure.png" "$VELIRSK_BUILD_DIR/search_failure.png" 2>/dev/null || true; exit 1; }

# Every case variant of a three-letter Cyrillic prefix, for the shell's
# comparison (its own LIKE folds only Latin letters).
variants() {
  local a b c out=()
  for a in и И; do for b in в В; do for c in а А; do out+=("'$a$b$c'"); done; done; done
  local IFS=,
  echo "${out[*]}"
}
all_present="\"Телефон\" IS NOT NULL AND \"Фамилия\" IS NOT NULL AND \"Улица\" IS NOT NULL AND \"Дом\" IS NOT NULL AND \"Корпус\" IS NOT NULL AND \"Квартира\" IS NOT NULL AND \"Организация\" IS NOT NULL"
expected=$(sqlite3 "$DB" "SELECT COUNT(*) FROM \"Велирск\" WHERE $all_present AND substr(\"Фамилия\", 1, 3) IN ($(variants));")

open_dialog() {
  xdotool windowfocus --sync "$MAIN"
  xdotool key alt; sleep 0.2
  xdotool key Right; sleep 0.2
  xdotool key Return; sleep 0.2
  xdotool key Return
  DIALOG=$(wait_for_window "$(regex "$DIALOG_TITLE")" 5) || fail "no search dialog"
  sleep 0.5
}

# Tab from the focused "Найти" past "Отмена" to the surname field, type, Enter.
search_surname() {
  xdotool windowfocus --sync "$DIALOG"
  xdotool key Tab Tab Tab
  xdotool type --delay 60 "$1"
  sleep 0.2
  xdotool key Return
}

results_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

close_window() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
  sleep 0.5
}

start_program_in "$work/dir"
MAIN=$(wait_for_window "$MAIN_TITLE")
sleep 0.8

open_dialog
import -window root "$work/dialog.png"
cp "$work/dialog.png" "$VELIRSK_BUILD_DIR/search_dialog.png" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
for point in "$X $((Y + HEIGHT / 2))" "$((X + WIDTH / 2)) $Y" "$((X + WIDTH - 1)) $((Y + HEIGHT / 2))" \
             "$((X + WIDTH / 2)) $((Y + HEIGHT - 1))"; do
  # shellcheck disable=SC2086
  [ "$(pixel $point "$work/dialog.png")" = "0,0,255" ] || fail "no blue frame at $point"
done

search_surname "ива"
RESULTS=$(results_window) || fail "no results window"
sleep 0.5
import -window root "$work/results.png"
cp "$work/results.png" "$VELIRSK_BUILD_DIR/search_results.png" 2>/dev/null || true
title=$(xdotool getwindowname "$RESULTS")
[ "$title" = "${RESULTS_PREFIX}${expected} запись(ей)" ] || fail "caption '$title', the shell counts $expected"
[ -z "$(xdotool search --onlyvisible --name "^$(regex "$DIALOG_TITLE")\$" 2>/dev/null || true)" ] || fail "the dialog stayed"
close_window "$RESULTS"
[ -z "$(xdotool search --onlyvisible --name "^$(regex "$RESULTS_PREFIX")" 2>/dev/null || true)" ] || fail "results stayed open"

# Texts that an SQL statement could trip over find nothing and raise no error.
open_dialog
search_surname "\"'%_\\x"
RESULTS=$(results_window) || fail "the strange text gave no results window"
title=$(xdotool getwindowname "$RESULTS")
[ "$title" = "${RESULTS_PREFIX}0 запись(ей)" ] || fail "caption '$title' for the strange text"
close_window "$RESULTS"

kill -0 "$PROGRAM_PID" || fail "the program ended"
