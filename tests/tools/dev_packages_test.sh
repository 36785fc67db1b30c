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

# apt-cache goes on writing after the candidate (its version table): the answer must not depend on
# whether the reader is still there.
apt_cache() { printf '  Candidate: 1.0\n'; sleep 0.2; printf '  Version table:\n'; }
offered libsdl1.2-dev || fail "a candidate followed by more output was not taken"

# sdl12-compat's package where sdl12-compat is the system's SDL 1.2 holds only links to the
# system's library, which lead nowhere once unpacked: no directory for a second pass.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
mkdir -p "$unpacked/root/lib/sdl12-compat"
ln -s ../libSDL-1.2.so.0 "$unpacked/root/lib/sdl12-compat/libSDL-1.2.so.0"
[ -z "$(unpack_sdl12_compat "$unpacked")" ] || fail "a dangling link was taken for sdl12-compat"
touch "$unpacked/root/lib/libSDL-1.2.so.0"
[ "$(unpack_sdl12_compat "$unpacked")" = "$unpacked/root/lib/sdl12-compat" ] || fail "the unpacked library was not found"

err=$(env PATH=/nonexistent /bin/bash "$SOURCE_DIR/tools/dev.sh" test 2>&1 >/dev/null); status=$?
[ "$status" = 1 ] || fail "without apt: status $status"
[[ "$err" == *"Fedora: gcc-c++ "*"sdl12-compat-devel"*"gtest-devel"* && "$err" == *"Arch: "*"sdl12-compat"* ]] ||
  fail "without apt, the message was: $err"
echo "dev.sh: Debian 12 and 13, Ubuntu 22.04 choices, the unpacked sdl12-compat and the message without apt as expected"
