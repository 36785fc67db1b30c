#!/usr/bin/env bash
# settings.conf and the scores where they cannot be written: a read-only home and a full disk.
# Each save that fails says so in one line, "tandrel: could not save FILE: REASON"; a corrupt
# file that cannot be moved aside says so and is not written over; the files that were there
# stay whole, no temporary file is left beside them, and the program plays on and quits with 0.
# The mounts are made in the program's own user and mount namespaces, as for the screenshots.
HERE=$(cd "$(dirname "$0")" && pwd)
# Skipped (status 77) where user namespaces are refused: some containers, a chroot.
if ! reason=$(unshare --map-root-user --mount true 2>&1); then
  echo "SKIP: the read-only home and the full disk need a user namespace: $reason"
  exit 77
fi
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

HOMEDIR=$WORK/home
SEED=$WORK/seed
export XDG_CONFIG_HOME=$HOMEDIR/config XDG_STATE_HOME=$HOMEDIR/state
settings=$XDG_CONFIG_HOME/tandrel/settings.conf
scores=$XDG_STATE_HOME/tandrel/scores
mkdir -p "$SEED/config/tandrel" "$SEED/state/tandrel" "$HOMEDIR"
printf 'yarnball.last = 5:3\n' >"$SEED/state/tandrel/scores"

start_in_mounted_home() { start_in_mounted "$HOMEDIR" "$1"; }

ours() { grep '^tandrel: ' "$WORK/stderr" || true; }

# Waits for the program's own lines on stderr to be $1.
expect_lines() {
  for _ in $(seq 100); do
    [ "$(ours)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the program's lines were"$'\n'"$(ours)"$'\n'"  instead of"$'\n'"$1"
}

# The home as the program sees it holds the seed's files, whole, and nothing else.
expect_seed_in_home() {
  local seen="/proc/$GAME_PID/root$HOMEDIR"
  diff -r --exclude=filler "$SEED" "$seen" >/dev/null || fail "the home changed: $(diff -r "$SEED" "$seen")"
}

# Yarnball chosen on the menu, played a little and left (a new result), then quit.
switch_play_and_quit() {
  shoot_until 10 "no menu at the start" title_shown
  key Right
  begin_game
  play_a_little
  key Escape
  wait_for_lines "$RECORD" "end " 10 || fail "Escape in the game did not end it"
  expect_lines "$1"
  expect_seed_in_home
  key Escape
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "exit status $STATUS"
}

# A read-only home holding a corrupt settings.conf: it cannot be moved aside, so it is left
# alone all run long.
printf 'windowed\n' >"$SEED/config/tandrel/settings.conf"
rm -rf "$HOMEDIR" && cp -a "$SEED" "$HOMEDIR"
start_in_mounted_home 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0"'
switch_play_and_quit "tandrel: $settings:1: expected 'key = value'
tandrel: could not move $settings aside: Read-only file system
tandrel: could not save $scores: Read-only file system"

# A full disk under well-formed files.
printf 'game = whiskerwaltz\n' >"$SEED/config/tandrel/settings.conf"
start_in_mounted_home 'mount -t tmpfs -o size=64k tmpfs "$0" && cp -a "$0/../seed/." "$0/" &&
  { cat /dev/zero >"$0/filler" 2>/dev/null; true; }'
switch_play_and_quit "tandrel: could not save $settings: No space left on device
tandrel: could not save $scores: No space left on device"

echo "remember: read-only home and full disk: one line a failed save, files whole, quit 0"
