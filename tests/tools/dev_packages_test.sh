#!/usr/bin/env bash
# tools/dev.sh's choice of packages, with apt-cache and dpkg answering as on each distribution,
# and its message on a system without apt.
set -uo pipefail
SOURCE_DIR=$1
source "$SOURCE_DIR/tools/dev.sh"
set +e  # dev.sh sets -e; the checks below read statuses
fail() { echo "FAIL: $*" >&2; exit 1; }

OFFERED=()    # packages with an installation candidate
VIRTUAL=()    # names only provided by other packages
INSTALLED=()
apt_cache() {
  [ "$1" = policy ] || fail "unexpected apt-cache $*"
  local candidate
  if [[ " ${OFFERED[*]} " == *" $2 "* ]]; then candidate=1.0
  elif [[ " ${VIRTUAL[*]} " == *" $2 "* ]]; then candidate="(none)"
  else return 0
  fi
  printf '%s:\n  Installed: (none)\n  Candidate: %s\n  Version table:\n' "$2" "$candidate"
}
is_installed() { [[ " ${INSTALLED[*]} " == *" $1 "* ]]; }

# The packages of mode $2 beyond the common ones must be exactly $3, on the system named $1.
expect_choice() {
  local chosen
  chosen=$(packages_for "$2" | grep -v -x -F -f <(printf '%s\n' "${player_packages[@]}" "${test_packages[@]}") | tr '\n' ' ')
  [ "$chosen" = "$3" ] || fail "$1, $2: chose '$chosen', expected '$3'"
}

OFFERED=(libsdl1.2-dev libsdl1.2-compat-dev libclang-rt-dev)
expect_choice "Debian 12" play "libsdl1.2-dev "
expect_choice "Debian 12" test "libsdl1.2-dev libclang-rt-dev "
INSTALLED=(libsdl1.2-compat-dev)
expect_choice "Debian 12 with sdl12-compat's files installed" test "libsdl1.2-compat-dev libclang-rt-dev "
INSTALLED=()

OFFERED=(libsdl1.2-compat-dev libclang-rt-dev) VIRTUAL=(libsdl1.2-dev)
expect_choice "Debian 13" test "libsdl1.2-compat-dev libclang-rt-dev "

OFFERED=(libsdl1.2-dev) VIRTUAL=()
expect_choice "Ubuntu 22.04" test "libsdl1.2-dev "

OFFERED=()
packages_for play >/dev/null 2>&1 && fail "packages were chosen with no SDL 1.2 on offer"
[ "$(packages_for play 2 | tr '\n' ' ')" = "${player_packages[*]} libsdl2-dev " ] ||
  fail "play --sdl2 with no SDL 1.2 on offer chose: $(packages_for play 2 | tr '\n' ' ')"
OFFERED=(libsdl1.2-dev)
packages_for test | grep -x libsdl2-dev >/dev/null || fail "the tests lack SDL 2's development files"

# apt-cache goes on writing after the candidate (its version table): the answer must not depend on
# whether the reader is still there.
apt_cache() { printf '  Candidate: 1.0\n'; sleep 0.2; printf '  Version table:\n'; }
offered libsdl1.2-dev || fail "a candidate followed by more output was not taken"

# sdl12-compat's package as Debian 12 has it (a library and its link), and as Debian 13 has it,
# where sdl12-compat is the system's SDL 1.2: only a link to the system's library, which leads
# nowhere once unpacked, and then there is no directory for a second pass.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
compat_dir=$unpacked/root/lib/sdl12-compat
mkdir -p "$compat_dir"
touch "$compat_dir/libSDL-1.2.so.1.2.60"
ln -s libSDL-1.2.so.1.2.60 "$compat_dir/libSDL-1.2.so.0"
[ "$(unpack_sdl12_compat "$unpacked")" = "$compat_dir" ] || fail "the unpacked library was not found"
ln -sf ../libSDL-1.2.so.0 "$compat_dir/libSDL-1.2.so.0"
[ -z "$(unpack_sdl12_compat "$unpacked")" ] || fail "a link that leads nowhere was taken for sdl12-compat"

without_apt_message() { { env PATH=/nonexistent /bin/bash "$SOURCE_DIR/tools/dev.sh" "$@" >/dev/null; } 2>&1; }
err=$(without_apt_message test); status=$?
[ "$status" = 1 ] || fail "without apt: status $status"
[[ "$err" == *"Fedora: gcc-c++ "*"sdl12-compat-devel"*"SDL2-devel"*"gtest-devel"* &&
   "$err" == *"Arch: "*"sdl12-compat"*" sdl2 "* ]] || fail "without apt, the message was: $err"
err=$(without_apt_message play --sdl2)
[[ "$err" == *"Fedora: gcc-c++ "*"SDL2-devel"* && "$err" == *"Arch: "*" sdl2"* && "$err" != *sdl12-compat* ]] ||
  fail "without apt, play --sdl2's message was: $err"
echo "dev.sh: Debian 12 and 13, Ubuntu 22.04 choices, SDL 2's, the unpacked sdl12-compat and the messages without apt as expected"
