#!/usr/bin/env bash
# Screenshots that cannot be written: a read-only working directory, a full disk, and a directory
# where a screenshot's file should go. Each failed print-screen gives one line,
# "tandrel: could not save screenN.png: REASON", the count goes on past it, the next writable
# screenshot is saved, and the game plays on and quits with status 0.
# The read-only directory and the full disk are mounts in the program's own user and mount
# namespaces (root's writes are not stopped by file modes, and no privilege is needed); they
# vanish with the program.
HERE=$(cd "$(dirname "$0")" && pwd)
# Skipped (status 77) where user namespaces are refused: some containers, a chroot.
if ! reason=$(unshare --map-root-user --mount true 2>&1); then
  echo "SKIP: the read-only directory and the full disk need a user namespace: $reason"
  exit 77
fi
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

SHOTS="$WORK/shots"

start_in_mounted_shots() { start_in_mounted "$SHOTS" "$1" inside; }

failure_lines() { grep '^tandrel: could not save ' "$WORK/stderr" || true; }

# Presses print-screen and waits for its failure line, the $1th of the run.
failed_screenshot() {
  key Print
  for _ in $(seq 100); do
    [ "$(failure_lines | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  fail "no line on stderr for failed screenshot $1"
}

# The failure lines must be exactly those for screenshots $2..., each with reason $1.
expect_failures() {
  local reason=$1 expected="" n
  shift
  for n in "$@"; do expected+="tandrel: could not save screen$n.png: $reason"$'\n'; done
  [ "$(failure_lines)" = "${expected%$'\n'}" ] || fail "the failure lines were
$(failure_lines)
  instead of
${expected%$'\n'}"
  [ "$(grep -c '^tandrel: ' "$WORK/stderr")" = "$#" ] || fail "further lines of the program's own"
}

# Two on the menu, one in a game, then the game plays on; no half-written file is left in the
# program's working directory (seen through /proc, in its own mount namespace).
three_failures() {
  failed_screenshot 1
  failed_screenshot 2
  begin_game
  failed_screenshot 3
  play_a_little
  local left
  left=$(find "/proc/$GAME_PID/cwd/" -mindepth 1 -maxdepth 1 ! -name filler -printf '%f ')
  [ -z "$left" ] || fail "left in the working directory: $left"
  leave_and_quit
}

mkdir "$SHOTS"
start_in_mounted_shots 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0"'
three_failures
expect_failures "Read-only file system" 0 1 2

start_in_mounted_shots 'mount -t tmpfs -o size=64k tmpfs "$0" && { cat /dev/zero >"$0/filler" 2>/dev/null; true; }'
three_failures
expect_failures "No space left on device" 0 1 2

# A directory in the way of one screenshot: that one fails, the ones before and after are saved.
cd "$SHOTS"
mkdir screen1.png
start_game --record "$RECORD"
screenshot 0 >/dev/null
failed_screenshot 1
screenshot 2 >/dev/null
begin_game
play_a_little
leave_and_quit
expect_failures "Is a directory" 1
for saved in screen0.png screen2.png; do
  [ "$("$PROBE" size "$saved")" = "1024 768" ] || fail "$saved is not a 1024x768 picture"
done
[ -d screen1.png ] || fail "the directory in the way is gone"
cd "$WORK"

echo "screenshots: read-only, full disk, a directory in the way: one line each, count went on, quit 0"
