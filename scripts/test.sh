#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest:
# unit and widget tests offscreen, system tests under Xvfb, the tests of the
# PostgreSQL engine against a private server that lives as long as this script.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/pg_server.sh"

ensure_packages
# The sources keep the one layout .clang-format describes.
mapfile -t sources < <(cd "$ROOT" && find app bench components data forms fuzz tests toolkit tools \( -name '*.cpp' -o -name '*.h' \))
(cd "$ROOT" && clang-format --dry-run --Werror "${sources[@]}") || {
  echo "Sources differ from the layout of .clang-format: run clang-format -i on them." >&2
  exit 1
}
build_tree -DVELIRSK_TESTS=ON
start_test_server
# The search is compared with its reference on a generated directory too,
# big enough for the planner's choices of a real one.
export VELIRSK_SEARCH_FILE="$BUILD_DIR/search_equivalence.dat"
[ -f "$VELIRSK_SEARCH_FILE" ] || "$BUILD_DIR/tools/make_directory" "$VELIRSK_SEARCH_FILE" 100000 > /dev/null
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"

# The data layer, the search, the grid and the skin once more under the
# address and undefined-behaviour sanitizers and the standard library's own
# checks.
if [ "${VELIRSK_SKIP_SANITIZERS:-0}" != 1 ]; then
  SAN_DIR="$ROOT/build-sanitize"
  cmake -S "$ROOT" -B "$SAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELIRSK_SANITIZE=ON $(compiler_launcher) >/dev/null
  targets=()
  for t in test_data test_db test_search test_grid test_skin; do
    grep -q "^build $t:" "$SAN_DIR/build.ninja" 2>/dev/null && targets+=("$t")
  done
  if [ ${#targets[@]} -gt 0 ]; then
    # The data layer's server tests fill their databases with the transfer tool.
    cmake --build "$SAN_DIR" -j "$(nproc)" --target "${targets[@]}" transfer_directory
    cd "$SAN_DIR"
    ctest --output-on-failure -R "^($(IFS='|'; echo "${targets[*]#test_}"))\$"
  fi
fi

# The SQL dialect translator, the search statement builder, the LIKE, the
# connection-string parser, the opening of a database file of any content and
# the search's rows against the reference under clang's libFuzzer with the
# address and undefined-behaviour sanitizers: each for a bounded time,
# starting from its seed corpus in fuzz/corpus/; what a run learns stays in
# the build folder.
if [ "${VELIRSK_SKIP_FUZZ:-0}" != 1 ]; then
  FUZZ_DIR="$ROOT/build-fuzz"
  FUZZ_SECONDS=${VELIRSK_FUZZ_SECONDS:-11}
  cmake -S "$ROOT" -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DVELIRSK_FUZZ=ON $(compiler_launcher) >/dev/null
  fuzzers=(FuzzDialect FuzzSearchStatement FuzzLike FuzzConnectionString FuzzDatabaseFile FuzzSearchRows FuzzTablePages)
  cmake --build "$FUZZ_DIR" -j "$(nproc)" --target "${fuzzers[@]}"
  mkdir -p "$FUZZ_DIR/artifacts"
  for fuzzer in "${fuzzers[@]}"; do
    mkdir -p "$FUZZ_DIR/corpus/$fuzzer"
    if ! "$FUZZ_DIR/fuzz/$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=5 -rss_limit_mb=2048 \
      -artifact_prefix="$FUZZ_DIR/artifacts/$fuzzer-" "$FUZZ_DIR/corpus/$fuzzer" "$ROOT/fuzz/corpus/$fuzzer" \
      2> "$FUZZ_DIR/$fuzzer.log"; then
      tail -n 40 "$FUZZ_DIR/$fuzzer.log" >&2
      echo "$fuzzer found a fault; the input is in $FUZZ_DIR/artifacts" >&2
      exit 1
    fi
    echo "$fuzzer: $(grep -h '^Done' "$FUZZ_DIR/$fuzzer.log")"
  done
fi
