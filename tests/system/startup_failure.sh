#!/usr/bin/env bash
# A missing or broken velirsk.dat: the splash goes away, exactly one
# "Application Error" box appears, no main window is ever created, Enter
# dismisses the box, the exit code is 1, and the folder is left as it was.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_watching; stop_program; stop_display; rm -rf "$work"' EXIT

check_failed_start() {
  local folder=$1 name=$2
  local before
  before=$(cd "$folder" && find . -type f -exec md5sum {} + | sort)
  watch_windows "$work/$name.log"
  start_program_in "$folder"
  local box
  box=$(wait_for_window "Application Error")
  import -window root "$work/$name.png"
  local boxes
  boxes=$(xdotool search --onlyvisible --name "^Application Error\$" | wc -l)
  [ "$boxes" = 1 ] || { echo "$name: $boxes error boxes"; exit 1; }
  if xdotool search --name "^SplashForm\$" > /dev/null 2>&1; then
    echo "$name: the splash window is still there"; exit 1
  fi
  if xdotool search --name "^$MAIN_TITLE\$" > /dev/null 2>&1; then
    echo "$name: a main window exists"; exit 1
  fi

  xdotool windowfocus --sync "$box" key Return
  wait_for_exit 10
  stop_watching
  [ "$PROGRAM_STATUS" = 1 ] || { echo "$name: exit code $PROGRAM_STATUS"; exit 1; }
  [ -z "$(window_of_size 699x411)" ] || { echo "$name: a main window was created"; exit 1; }
  [ -n "$(window_of_size 392x227)" ] || { echo "$name: no splash window"; exit 1; }
  local after
  after=$(cd "$folder" && find . -type f -exec md5sum {} + | sort)
  [ "$before" = "$after" ] || { echo "$name: the folder changed"; diff <(echo "$before") <(echo "$after"); exit 1; }
}

mkdir "$work/missing"
check_failed_start "$work/missing" missing

mkdir "$work/broken"
printf 'This is not a database, only some text.\n' > "$work/broken/velirsk.dat"
check_failed_start "$work/broken" broken
