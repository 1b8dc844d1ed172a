#!/usr/bin/env bash
# The real program starts under Xvfb and shows its main window.
set -euo pipefail
source "$VELIRSK_SOURCE_DIR/tests/system/lib.bash"
start_display
work=$(mktemp -d)
trap 'stop_program; stop_display; rm -rf "$work"' EXIT
cd "$work"
start_program
wait_for_window "Телефонный справочник г. Велирск v. 1.0"
