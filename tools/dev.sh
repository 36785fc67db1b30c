#!/usr/bin/env bash
# Sets up a Debian machine for tandrel, builds it, then plays it or runs the test suite.
#   bash tools/dev.sh play    install what a player needs, build, start the game
#   bash tools/dev.sh test    install what the tests need too, build, run every test, then the
#                             sanitizer builds and the fuzzer (tests/hardening.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-play}
build_dir=${TANDREL_BUILD_DIR:-build}

player_packages=(g++ cmake pkg-config libsdl1.2-dev libglew-dev libogg-dev libvorbis-dev
                 libvorbisenc2 libpng-dev libgl1-mesa-dri)
test_packages=(libgtest-dev xvfb xauth xdotool x11-xkb-utils xkb-data desktop-file-utils appstream clang libclang-rt-14-dev)

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: $missing"
  "${sudo[@]}" apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

build() {
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build_dir" -j"$(nproc)"
}

case "$mode" in
  play)
    install_packages "${player_packages[@]}"
    build -DTANDREL_TESTS=OFF
    exec "$build_dir/tandrel"
    ;;
  test)
    install_packages "${player_packages[@]}" "${test_packages[@]}"
    build -DTANDREL_TESTS=ON
    (cd "$build_dir" && ctest --output-on-failure -j2)
    # The unit suite again under sanitizers, the sample loader fuzzed, the threads checked.
    bash tests/hardening.sh .
    ;;
  *)
    echo "usage: bash tools/dev.sh play|test" >&2
    exit 2
    ;;
esac
