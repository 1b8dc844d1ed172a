#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest:
# unit and widget tests offscreen, system tests under Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build_tree
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"

# The data layer, the search and the grid once more under the address and
# undefined-behaviour sanitizers and the standard library's own checks.
if [ "${VELIRSK_SKIP_SANITIZERS:-0}" != 1 ]; then
  SAN_DIR="$ROOT/build-sanitize"
  cmake -S "$ROOT" -B "$SAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELIRSK_SANITIZE=ON $(compiler_launcher) >/dev/null
  targets=()
  for t in test_data test_db test_search test_grid; do
    grep -q "^build $t:" "$SAN_DIR/build.ninja" 2>/dev/null && targets+=("$t")
  done
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$SAN_DIR" -j "$(nproc)" --target "${targets[@]}"
    cd "$SAN_DIR"
    ctest --output-on-failure -R "^($(IFS='|'; echo "${targets[*]#test_}"))\$"
  fi
fi
