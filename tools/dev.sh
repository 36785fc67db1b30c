#!/usr/bin/env bash
# Sets up a Debian or Ubuntu machine for tandrel, builds it, then plays it or runs the test suite.
#   bash tools/dev.sh play [ARGS...]  install what a player needs, build, start the game with ARGS
#   bash tools/dev.sh play --sdl2 [ARGS...]
#                                     the same on SDL 2 instead of SDL 1.2, built in a directory of
#                                     its own, build-sdl2 (TANDREL_BUILD_DIR-sdl2), so that going
#                                     from one to the other rebuilds nothing
#   bash tools/dev.sh test            install what the tests need too, build both programs, run
#                                     every test (the window tests on the system's SDL 1.2, again
#                                     on sdl12-compat where the system's is the classic library,
#                                     and on SDL 2), then the sanitizer builds and the fuzzer
#                                     (tests/hardening.sh)
#   bash tools/dev.sh package         install what a player needs and the packaging tools, build,
#                                     make the Debian package build/tandrel_VERSION_ARCH.deb
set -euo pipefail

build_dir=${TANDREL_BUILD_DIR:-build}

# The same names on Debian 12 and 13 and Ubuntu 22.04 and 24.04. A minimal system lacks make:
# cmake only recommends it, and recommends are not installed.
player_packages=(g++ make cmake pkg-config libglew-dev libogg-dev libvorbis-dev libpng-dev libx11-dev libxrandr-dev
                 libenet-dev libgl1-mesa-dri)
# dpkg-dev brings dpkg-shlibdeps, which finds the package's dependencies; CPack picks the programs
# to give it with file.
package_packages=(dpkg-dev file)
# SDL 2's development files, for the program on SDL 2; they bring SDL 2's library, which
# sdl12-compat runs on.
sdl2_packages=(libsdl2-dev)
# llvm brings llvm-symbolizer, without which a sanitizer's report names no function or line;
# iproute2 gives the net tests their namespaces and netem; debootstrap is for tools/distro_check.sh; the package's test checks it with lintian and, as a
# user, installs it under fakeroot.
test_packages=(libgtest-dev xvfb xauth xdotool x11-xkb-utils x11-xserver-utils xkb-data desktop-file-utils appstream
               man-db clang llvm "${sdl2_packages[@]}" iproute2 debootstrap "${package_packages[@]}" lintian fakeroot)
# Where the names differ, the first one a system has installed or offers is taken.
# SDL 1.2: the classic library, or sdl12-compat where it has taken its place.
sdl_dev_choices=(libsdl1.2-dev libsdl1.2-compat-dev)
# The sanitizer and fuzzer runtimes; where there is no such package (Ubuntu 22.04) clang has them.
clang_runtime_choices=(libclang-rt-dev)

# On systems without apt, in the order: Fedora, Arch. The player's SDL comes apart: SDL 1.2 or SDL 2.
fedora_player="gcc-c++ make cmake pkgconf-pkg-config glew-devel libogg-devel libvorbis-devel libpng-devel libX11-devel libXrandr-devel enet-devel mesa-dri-drivers"
fedora_sdl1=sdl12-compat-devel
fedora_sdl2=SDL2-devel
fedora_test="$fedora_sdl2 gtest-devel iproute iproute-tc xorg-x11-server-Xvfb xorg-x11-xauth xdotool setxkbmap xrandr xkeyboard-config desktop-file-utils appstream man-db clang compiler-rt llvm"
arch_player="gcc make cmake pkgconf glew libogg libvorbis libpng libx11 libxrandr enet mesa"
arch_sdl1=sdl12-compat
arch_sdl2=sdl2
arch_test="$arch_sdl2 gtest iproute2 xorg-server-xvfb xorg-xauth xdotool xorg-setxkbmap xorg-xrandr xkeyboard-config desktop-file-utils appstream man-db clang compiler-rt llvm"

# The package tools, in functions of their own so that a test can give their answers.
apt_cache() { apt-cache "$@"; }
# grep reads to the end: a grep -q that leaves at the first match can kill a writer that is not
# done with SIGPIPE, and pipefail then turns the match into a failure.
is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep "install ok installed" >/dev/null; }
offered() { apt_cache policy "$1" 2>/dev/null | grep '^ *Candidate: [^(]' >/dev/null; }

# Prints the first of the names given that is installed, else the first that can be installed.
first_available() {
  local p
  for p in "$@"; do is_installed "$p" && { echo "$p"; return 0; }; done
  for p in "$@"; do offered "$p" && { echo "$p"; return 0; }; done
  return 1
}

# Prints the packages mode $1 (play, package or test) needs, one a line; with $2 = 2, those of
# the program on SDL 2, which needs no SDL 1.2 (play --sdl2).
packages_for() {
  if [ "${2:-1}" = 2 ]; then
    printf '%s\n' "${player_packages[@]}" "${sdl2_packages[@]}"
    return 0
  fi
  local sdl
  sdl=$(first_available "${sdl_dev_choices[@]}") || {
    echo "tools/dev.sh: no package offers SDL 1.2's development files (${sdl_dev_choices[*]})" >&2
    return 1
  }
  printf '%s\n' "${player_packages[@]}" "$sdl"
  [ "$1" = package ] && printf '%s\n' "${package_packages[@]}"
  [ "$1" = test ] || return 0
  printf '%s\n' "${test_packages[@]}"
  first_available "${clang_runtime_choices[@]}" || true
}

without_apt() {
  if [ "$1" = package ]; then
    echo "tools/dev.sh package makes a Debian package, on Debian or Ubuntu (apt-get), which this system is not." >&2
    exit 1
  fi
  local fedora="$fedora_player $fedora_sdl1" arch="$arch_player $arch_sdl1"
  [ "$2" = 2 ] && { fedora="$fedora_player $fedora_sdl2"; arch="$arch_player $arch_sdl2"; }
  [ "$1" = test ] && { fedora+=" $fedora_test"; arch+=" $arch_test"; }
  echo "tools/dev.sh installs packages with apt-get (Debian, Ubuntu), which this system lacks.
Install these yourself, then build as README.md says under \"Building and installing by hand\":
  Fedora: $fedora
  Arch:   $arch" >&2
  exit 1
}

as_root() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

refresh_package_lists() { as_root apt-get update -qq; }

install_packages() {
  local missing=() p
  for p in "$@"; do is_installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  refresh_package_lists
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Unpacks Debian's sdl12-compat into directory $1 (not installed: it conflicts with the classic
# library) and prints the directory that holds its libSDL-1.2.so.0. Where sdl12-compat is itself the
# system's SDL 1.2 (Debian 13), the package only holds links to the system's library, which lead
# nowhere once unpacked: nothing is printed, and the build's window tests run on the system's.
unpack_sdl12_compat() {
  local dir=$1
  if [ ! -d "$dir/root" ]; then
    mkdir -p "$dir"
    rm -f "$dir"/*.deb
    (cd "$dir" && { apt-get download -qq libsdl1.2-compat || { refresh_package_lists && apt-get download -qq libsdl1.2-compat; }; })
    dpkg-deb -x "$dir"/libsdl1.2-compat_*.deb "$dir/root.part"
    mv "$dir/root.part" "$dir/root"
  fi
  local library
  library=$(find "$dir/root" -name libSDL-1.2.so.0 | head -n1)
  [ -e "$library" ] && dirname "$library"
  return 0
}

# Configures quietly but for the build's own notes ("-- tandrel: ..."), then builds.
build() {
  mkdir -p "$build_dir"
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$build_dir/configure.log" ||
    { cat "$build_dir/configure.log"; return 1; }
  grep '^-- tandrel: ' "$build_dir/configure.log" || true
  cmake --build "$build_dir" -j"$(nproc)"
}

# Builds the player's program and makes the Debian package from it.
make_package() {
  build -DTANDREL_TESTS=OFF
  cmake --build "$build_dir" --target package
  local deb
  deb=$build_dir/tandrel_$("$build_dir/tandrel" --version | sed -n 's/^tandrel //p')_$(dpkg --print-architecture).deb
  [ -f "$deb" ] || { echo "tools/dev.sh: the package $deb was not made" >&2; return 1; }
  # apt reads a relative path without ./ as a package name and release (name/release).
  [[ "$deb" == /* ]] || deb=./$deb
  echo "Made $deb; install it with: sudo apt install $deb"
}

main() {
  local mode=${1:-play} sdl=1
  [ $# -gt 0 ] && shift
  case "$mode" in
    play | test | package) ;;
    *)
      echo "usage: bash tools/dev.sh play [--sdl2] [ARGS...] | test | package  (--sdl2 right after play)" >&2
      exit 2
      ;;
  esac
  # Only here, so that the program's own options can never be taken for it.
  [ "$mode" = play ] && [ "${1:-}" = --sdl2 ] && { sdl=2; shift; }
  command -v apt-get >/dev/null || without_apt "$mode" "$sdl"
  cd "$(dirname "${BASH_SOURCE[0]}")/.."
  local packages
  # A fresh machine may have no package lists yet.
  packages=$(packages_for "$mode" "$sdl" 2>/dev/null) ||
    { refresh_package_lists && packages=$(packages_for "$mode" "$sdl"); }
  # shellcheck disable=SC2086
  install_packages $packages
  if [ "$mode" = play ]; then
    [ "$sdl" = 2 ] && build_dir+=-sdl2
    build -DTANDREL_SDL="$sdl" -DTANDREL_TESTS=OFF
    exec "$build_dir/tandrel" "$@"
  fi
  if [ "$mode" = package ]; then
    make_package
    return 0
  fi
  local compat
  mkdir -p "$build_dir"
  compat=$(unpack_sdl12_compat "$(cd "$build_dir" && pwd)/sdl12-compat")
  build -DTANDREL_TESTS=ON -DTANDREL_SDL12_COMPAT_DIR="$compat"
  (cd "$build_dir" && ctest --output-on-failure -j2)
  # The unit suite again under sanitizers, the sample loader fuzzed, the threads checked.
  bash tests/hardening.sh .
}

# Sourced by its test, which only calls the functions.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then main "$@"; exit; fi
