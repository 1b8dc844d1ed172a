#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
# The program reads velirsk.dat from its working directory: the current
# directory when it holds one, otherwise a sample directory under build/demo.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Only the program and the sample-directory maker, and only what they need.
ensure_packages "${RUN_PACKAGES[@]}"
BUILD_TARGETS="velirsk make_directory" build_tree -DVELIRSK_TESTS=OFF

WORKDIR="$PWD"
if [ ! -f "$WORKDIR/velirsk.dat" ]; then
  WORKDIR="$BUILD_DIR/demo"
  if [ ! -f "$WORKDIR/velirsk.dat" ]; then
    mkdir -p "$WORKDIR"
    if [ -x "$BUILD_DIR/tools/make_directory" ]; then
      "$BUILD_DIR/tools/make_directory" "$WORKDIR/velirsk.dat"
    fi
  fi
fi
cd "$WORKDIR"

if [ -n "${DISPLAY:-}" ]; then
  exec "$BUILD_DIR/velirsk"
fi

# Without a display: the program on a virtual one, long enough for a
# screenshot; then both end.
ensure_display
SHOT="$BUILD_DIR/screenshot.png"
"$BUILD_DIR/velirsk" &
APP_PID=$!
sleep "${VELIRSK_SHOT_DELAY:-4}"
import -window root "$SHOT"
kill "$APP_PID" 2>/dev/null || true
wait "$APP_PID" 2>/dev/null || true
kill "${XVFB_PID:-}" 2>/dev/null || true
echo "No display was set: the program ran on a virtual display; its screenshot is $SHOT"
