#!/usr/bin/env bash
# Every tool answers --help and -h with its usage and exit code 0, refuses an
# unknown option or a wrong count of arguments with exit code 2, and writes
# nothing in either case; none needs a display.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work" "$work.out" "$work.err"' EXIT
unset DISPLAY
cd "$work"

fail() { echo "$*" >&2; exit 1; }
nothing_written() { [ -z "$(ls -A "$work")" ] || fail "$1 wrote $(ls -A "$work")"; }
# exits CODE TOOL ARGS...: the tool ends with CODE and leaves the folder empty.
exits() {
  local code=$1 status=0
  shift
  "$VELIRSK_BUILD_DIR/tools/$1" "${@:2}" > "$work.out" 2> "$work.err" || status=$?
  [ "$status" = "$code" ] || fail "$* ended with $status, not $code: $(cat "$work.err")"
  nothing_written "$*"
}

for tool in make_directory make_flatbtn_glyphs make_menu_images make_nav_glyphs make_splash transfer_directory clerk_load; do
  exits 0 "$tool" --help
  grep -q "^usage: $tool" "$work.out" || fail "$tool --help printed no usage"
  exits 0 "$tool" -h
  exits 2 "$tool" --no-such-option
  grep -q "usage: $tool" "$work.err" || fail "$tool gave no usage for a wrong option"
done
exits 2 make_directory
exits 2 make_directory x.dat ''
exits 2 make_directory x.dat 12x
exits 2 make_splash
exits 2 make_nav_glyphs a b
exits 2 transfer_directory a.dat
exits 2 clerk_load

# Drawing needs no display.
"$VELIRSK_BUILD_DIR/tools/make_menu_images" "$work/menu" > /dev/null
[ "$(ls "$work/menu" | wc -l)" = 3 ] || fail "make_menu_images drew $(ls "$work/menu") without a display"
rm -rf "$work/menu"
"$VELIRSK_BUILD_DIR/tools/make_splash" "$work/splash.jpg" > /dev/null
[ -s "$work/splash.jpg" ] || fail "make_splash drew nothing without a display"
