# Shared by scripts/run.sh and scripts/test.sh: installs what is missing and
# builds the tree. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VELIRSK_BUILD_DIR:-$ROOT/build}"

# What building and running the program needs; the tests need the rest.
RUN_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n libgl-dev
  libsqlite3-dev libpq-dev libjpeg-dev libxcb1-dev
  fonts-wine xvfb xauth x11-utils imagemagick
)
REQUIRED_PACKAGES=(
  g++ clang libclang-rt-14-dev cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-translations-l10n libgl-dev
  libsqlite3-dev sqlite3 libjpeg-dev libxcb1-dev postgresql libpq-dev
  libgtest-dev libbenchmark-dev qt6-base-private-dev clang-format
  fonts-wine xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick
  dbus at-spi2-core python3-pyatspi
)

# ensure_packages [PACKAGE...]: installs those of the packages (by default
# all the tests need) that are missing.
ensure_packages() {
  local wanted=("$@") missing=()
  [ ${#wanted[@]} -gt 0 ] || wanted=("${REQUIRED_PACKAGES[@]}")
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A compiler cache, when the machine has one, makes rebuilds of other
# checkouts of the tree cheap; the build never needs it.
compiler_launcher() {
  command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  return 0
}

# build_tree [CMAKE OPTION...]: configures and builds the targets named in
# BUILD_TARGETS, or all of them.
build_tree() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release $(compiler_launcher) "$@" >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$BUILD_DIR" -j "$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
}

# Starts a virtual display when none is set; exports DISPLAY and XVFB_PID.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      sleep 0.1
    done
    return 0
  done
  echo "no free display number for Xvfb" >&2
  return 1
}
