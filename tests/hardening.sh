#!/usr/bin/env bash
# Runs the unit suite under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, fuzzes
# the sample loader and the net message decoder for a minute each, and runs the two tests with a
# real audio thread (the hand-over and the soak) under ThreadSanitizer.
#   bash tests/hardening.sh <source dir>
# Builds with clang in <source dir>/build-hardening (or $TANDREL_HARDENING_DIR): asan/ and tsan/.
# Exits non-zero on the first finding. TANDREL_FUZZ_SECONDS sets the fuzzing time (default 60).
set -euo pipefail

source_dir=$(cd "${1:?usage: bash tests/hardening.sh <source dir>}" && pwd)
build_root=${TANDREL_HARDENING_DIR:-$source_dir/build-hardening}
fuzz_seconds=${TANDREL_FUZZ_SECONDS:-60}
jobs=$(nproc)

command -v clang++ >/dev/null || { echo "hardening: clang++ is missing (packages clang, libclang-rt-dev)" >&2; exit 2; }

# Every finding ends the program at once with a report; leaks are reported at exit.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

step() { printf '\n== hardening: %s\n' "$*"; }

configure() {
  local dir=$1
  shift
  CC=clang CXX=clang++ cmake -S "$source_dir" -B "$dir" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DTANDREL_TESTS=ON -DTANDREL_BENCH=OFF -DTANDREL_WINDOW_TESTS=OFF "$@" >/dev/null
}

asan=$build_root/asan
step "AddressSanitizer + UndefinedBehaviorSanitizer build"
configure "$asan" -DTANDREL_SANITIZE=address,undefined -DTANDREL_FUZZ=ON
cmake --build "$asan" -j"$jobs"

step "unit suite under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer"
(cd "$asan" && ctest -L unit -j"$jobs" --output-on-failure --no-tests=error)

step "sample loader fuzzed for $fuzz_seconds s"
mkdir -p "$asan/fuzz-corpus" "$asan/fuzz-artifacts"
"$asan/tests/fuzz/sample_loader_fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -close_fd_mask=2 \
  -print_final_stats=1 -dict="$source_dir/tests/fuzz/ogg.dict" -artifact_prefix="$asan/fuzz-artifacts/" \
  "$asan/fuzz-corpus" "$asan/tests/fuzz/seed_corpus"

step "net message decoder fuzzed for $fuzz_seconds s"
mkdir -p "$asan/net-fuzz-corpus"
"$asan/tests/fuzz/net_message_fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$asan/fuzz-artifacts/" "$asan/net-fuzz-corpus" "$asan/tests/fuzz/net_seed_corpus"

tsan=$build_root/tsan
step "audio hand-over and soak under ThreadSanitizer"
configure "$tsan" -DTANDREL_SANITIZE=thread
cmake --build "$tsan" -j"$jobs" --target audio_handover_test soak_test
"$tsan/tests/audio/audio_handover_test"
"$tsan/tests/soak/soak_test"

step "no findings"
