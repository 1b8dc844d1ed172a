#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
# The program reads velirsk.dat from its working directory: the current
# directory when it holds one, otherwise a sample directory under build/demo.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build_tree

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

ensure_display
SHOT="$BUILD_DIR/screenshot.png"
"$BUILD_DIR/velirsk" &
APP_PID=$!
sleep "${VELIRSK_SHOT_DELAY:-4}"
import -window root "$SHOT" && echo "No display was set: the program runs on the virtual display $DISPLAY; a screenshot is in $SHOT"
wait "$APP_PID" || true
kill "$XVFB_PID" 2>/dev/null || true
