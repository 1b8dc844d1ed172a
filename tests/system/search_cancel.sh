#!/usr/bin/env bash
# A long search can be stopped: with all seven edits empty, a search over a
# million rows sorts every row, a tenth of a second or more. Escape pressed
# meanwhile ends it without results and leaves the search dialog up, and
# Enter then runs the search to its end.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT

mkdir "$work/dir"
"$VELIRSK_BUILD_DIR/tools/make_directory" "$work/dir/velirsk.dat" 1000000 > /dev/null

fail() { echo "$*" >&2; import -window root "$VELIRSK_BUILD_DIR/search_cancel_failure.png" 2>/dev/null || true; exit 1; }

start_program_in "$work/dir"
MAIN=$(wait_for_window "$MAIN_TITLE" 60)
open_search_dialog "$MAIN" || fail "no search dialog with the keys"

# Enter starts the search, Escape right after it stops it.
xdotool windowfocus --sync "$DIALOG" key --delay 20 Return Escape
sleep 2
visible_window "^$(regex "$RESULTS_PREFIX")" > /dev/null && fail "the results were shown after Escape"
visible_window "^$(regex "$DIALOG_TITLE")\$" > /dev/null || fail "the dialog went away with Escape"
kill -0 "$PROGRAM_PID" || fail "the program ended"

xdotool windowfocus --sync "$DIALOG" key Return
wait_for_window_matching "^$(regex "$RESULTS_PREFIX")" 60 > /dev/null || fail "no results window after Enter"
kill -0 "$PROGRAM_PID" || fail "the program ended"
