#!/usr/bin/env bash
# A packager's plain configure needs neither GoogleTest nor vorbisenc: with both out of reach it
# succeeds and plans no test and no sound tool, while asking for the tests there fails.
# GoogleTest is put out of reach by CMake's own switch, vorbisenc by a pkg-config directory that
# holds every other package's file: no privilege or namespace is needed.
set -uo pipefail
SOURCE_DIR=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

BUILD=$(mktemp -d)
trap 'rm -rf "$BUILD"' EXIT
mkdir "$BUILD/pc"
IFS=: read -r -a pc_dirs <<<"${PKG_CONFIG_PATH:+$PKG_CONFIG_PATH:}$(pkg-config --variable=pc_path pkg-config)"
for dir in "${pc_dirs[@]}"; do
  for pc in "$dir"/*.pc; do
    [ -e "$pc" ] && [ ! -e "$BUILD/pc/${pc##*/}" ] && ln -s "$pc" "$BUILD/pc/"
  done
done
rm -f "$BUILD/pc/vorbisenc.pc"
export PKG_CONFIG_LIBDIR=$BUILD/pc
unset PKG_CONFIG_PATH
pkg-config --exists vorbisenc && fail "vorbisenc is still visible"
pkg-config --exists vorbis || fail "the overlay lost the other packages"
no_gtest=-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON

cmake -S "$SOURCE_DIR" -B "$BUILD/plain" "$no_gtest" >"$BUILD/log" 2>&1 || fail "plain configure failed: $(cat "$BUILD/log")"
targets=$(cmake --build "$BUILD/plain" --target help)
grep -q '\.\.\. tandrel$' <<<"$targets" && grep -q '\.\.\. make_icon$' <<<"$targets" ||
  fail "the plain build lacks the program or its icon"
for target in make_samples tandrel_ogg_encoder graphics_bench; do
  ! grep -q "\.\.\. $target\$" <<<"$targets" || fail "the plain build has $target"
done
[ ! -f "$BUILD/plain/CTestTestfile.cmake" ] || fail "the plain build has tests"
cmake -S "$SOURCE_DIR" -B "$BUILD/tests" "$no_gtest" -DTANDREL_TESTS=ON >/dev/null 2>&1 &&
  fail "the tests configured with GoogleTest and vorbisenc out of reach"
echo "plain build: configured without GoogleTest and vorbisenc; tests, benchmarks and sound tools left out"
