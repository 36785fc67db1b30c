#!/usr/bin/env bash
# A packager's plain configure needs neither GoogleTest nor vorbisenc: with both hidden (in a
# mount namespace of its own) it succeeds and plans no test and no sound tool, while asking for
# the tests there fails.
set -uo pipefail
SOURCE_DIR=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
if [ -z "${TANDREL_HIDDEN_DEPS:-}" ]; then
  exec unshare --map-root-user --mount --propagation private env TANDREL_HIDDEN_DEPS=1 bash "$0" "$@"
fi

hide() {
  local path
  for path in "$@"; do
    if [ -d "$path" ]; then mount -t tmpfs tmpfs "$path"; else mount --bind /dev/null "$path"; fi ||
      fail "cannot hide $path"
  done
}
vorbisenc_pc="$(pkg-config --variable=pcfiledir vorbisenc)/vorbisenc.pc"
gtest_headers=$(dirname "$(echo '#include <gtest/gtest.h>' | c++ -E -M -x c++ - | grep -o '[^ ]*/gtest/gtest\.h' | head -n1)")
hide "$vorbisenc_pc" "$gtest_headers" /usr/lib/*/cmake/GTest
pkg-config --exists vorbisenc && fail "vorbisenc is still visible"

BUILD=$(mktemp -d)
trap 'rm -rf "$BUILD"' EXIT
cmake -S "$SOURCE_DIR" -B "$BUILD/plain" >"$BUILD/log" 2>&1 || fail "plain configure failed: $(cat "$BUILD/log")"
targets=$(cmake --build "$BUILD/plain" --target help)
grep -q '\.\.\. tandrel$' <<<"$targets" && grep -q '\.\.\. make_icon$' <<<"$targets" ||
  fail "the plain build lacks the program or its icon"
for target in make_samples tandrel_ogg_encoder graphics_bench; do
  ! grep -q "\.\.\. $target\$" <<<"$targets" || fail "the plain build has $target"
done
[ ! -f "$BUILD/plain/CTestTestfile.cmake" ] || fail "the plain build has tests"
cmake -S "$SOURCE_DIR" -B "$BUILD/tests" -DTANDREL_TESTS=ON >/dev/null 2>&1 &&
  fail "the tests configured with GoogleTest and vorbisenc hidden"
echo "plain build: configured without GoogleTest and vorbisenc; tests, benchmarks and sound tools left out"
