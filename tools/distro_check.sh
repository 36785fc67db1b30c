#!/usr/bin/env bash
# Runs one of the README's two commands on a fresh minimal Debian, as a new user would.
#   bash tools/distro_check.sh SUITE [play|test]     SUITE: bookworm (Debian 12) or trixie (13)
# It makes a minimal root with debootstrap (kept pristine under $TANDREL_DISTRO_CACHE, default
# /var/cache/tandrel-distro-check, and copied for each run), adds only git and ca-certificates,
# clones this tree's committed HEAD into it and runs `bash tools/dev.sh MODE` there as root.
# The root is pivot_root-ed in mount and PID namespaces of its own rather than chroot-ed, so that
# the tests' own namespaces work; everything mounted for it goes with the namespace, whatever way
# the run ends. `play` shows the game on an Xvfb of this machine, and passes when the game's window
# opens and Escape quits it with status 0. Needs root, debootstrap, and for play Xvfb and xdotool.
set -euo pipefail

usage() { echo "usage: bash tools/distro_check.sh bookworm|trixie [play|test]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
suite=$1 mode=${2:-test}
case "$suite" in bookworm | trixie) ;; *) usage ;; esac
case "$mode" in play | test) ;; *) usage ;; esac
[ "$(id -u)" -eq 0 ] || { echo "tools/distro_check.sh: must run as root (debootstrap, namespaces)" >&2; exit 1; }

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=${TANDREL_DISTRO_CACHE:-/var/cache/tandrel-distro-check}
mirror=${TANDREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
pristine=$cache/$suite.pristine
root=$cache/$suite-$mode.root
log=$cache/$suite-$mode.log
# The game's window goes to an X server of this machine whose socket the root is given.
play_display=
play_window_seconds=3600

make_pristine() {
  [ -d "$pristine" ] && return 0
  mkdir -p "$cache"
  rm -rf "$pristine.part"
  echo "distro_check: debootstrap --variant=minbase $suite (once; kept in $pristine)"
  debootstrap --variant=minbase --include=git,ca-certificates "$suite" "$pristine.part" "$mirror" \
    >"$cache/$suite.debootstrap.log" 2>&1 || {
    tail -n 20 "$cache/$suite.debootstrap.log" >&2
    exit 1
  }
  mv "$pristine.part" "$pristine"
}

fresh_root() {
  rm -rf "$root"
  cp -a "$pristine" "$root"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  git clone -q "$source_dir" "$root/src/tandrel"
}

# Runs in the new namespaces: mounts the root's file systems, swaps roots, runs the command.
inside() {
  local root=$1 command=$2
  mount --bind "$root" "$root"
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/tmp"
  if [ -n "${X_SOCKET_DIR:-}" ]; then
    mkdir -p "$root/tmp/.X11-unix"
    mount --bind "$X_SOCKET_DIR" "$root/tmp/.X11-unix"
  fi
  mkdir -p "$root/.old-root"
  cd "$root"
  pivot_root . .old-root
  umount -l /.old-root
  rmdir /.old-root
  cd /src/tandrel
  exec env -i HOME=/root TERM="${TERM:-dumb}" PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 ${DISPLAY:+DISPLAY=$DISPLAY} ${SDL_AUDIODRIVER:+SDL_AUDIODRIVER=$SDL_AUDIODRIVER} \
    bash -c "$command"
}

# Runs in a subshell of its own, which becomes unshare: the pid to kill.
run_in_root() {
  exec unshare --mount --propagation private --pid --fork --kill-child \
    bash -c "$(declare -f inside); inside \"\$@\"" inside "$root" "$1"
}

# What runs beside this script. unshare ignores SIGINT and SIGTERM while it waits, so it is
# killed outright; --kill-child then kills the namespace's every process, and its mounts go with it.
xvfb_pid=
runner_pid=
root_pid=
clean_up() {
  [ -n "$root_pid" ] && kill -KILL "$root_pid" 2>/dev/null || true
  local pid
  for pid in "$runner_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
}
trap clean_up EXIT
trap 'echo "distro_check: interrupted" >&2; exit 130' INT TERM

start_display() {
  command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
    { echo "tools/distro_check.sh: play needs Xvfb and xdotool on this machine" >&2; exit 1; }
  local number=87
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  play_display=:$number
  # Xvfb puts its socket in /tmp/.X11-unix; the root gets that directory.
  Xvfb "$play_display" -screen 0 1024x768x24 -noreset -nolisten tcp >"$cache/$suite-play.xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -S "/tmp/.X11-unix/X${play_display#:}" ] && break
    sleep 0.1
  done
  export X_SOCKET_DIR=/tmp/.X11-unix DISPLAY=$play_display SDL_AUDIODRIVER=dummy
}

# The program's window on screen now. The program may replace the window it opened first, so the
# window is looked up before each key.
shown_window() { DISPLAY=$play_display xdotool search --onlyvisible --name '^tandrel$' 2>/dev/null | tail -n1; }
press() { DISPLAY=$play_display xdotool key --window "$(shown_window)" "$1" 2>/dev/null; }

# While play builds and runs in the root: waits for the game's window, saves a picture of it with
# Print Screen (kept as $cache/SUITE-play.png), then presses Escape until the game has gone.
quit_game_when_shown() {
  DISPLAY=$play_display timeout "$play_window_seconds" xdotool search --sync --onlyvisible --name '^tandrel$' \
    >/dev/null || return 0
  echo "distro_check: the game's window is open" >>"$log"
  local picture=$root/src/tandrel/screen0.png
  for _ in $(seq 20); do
    press Print
    sleep 2
    [ -s "$picture" ] && { sleep 1; cp "$picture" "$cache/$suite-play.png"; break; }
  done
  echo "distro_check: a picture of the game's window: $([ -s "$cache/$suite-play.png" ] && echo "$cache/$suite-play.png" || echo none); pressing Escape" >>"$log"
  for _ in $(seq 30); do
    press Escape
    sleep 2
  done
}

# All in one function, so that bash has read the whole script before it runs: an edit to this file
# during a run must not change the run.
main() {
  rm -f "$cache/$suite-play.png"
  make_pristine
  echo "distro_check: $suite, bash tools/dev.sh $mode, from a fresh minimal root ($root)"
  fresh_root
  command="bash tools/dev.sh $mode"
  [ "$mode" = play ] && { start_display; command="bash tools/dev.sh play --windowed"; }

  start=$SECONDS
  status=0
  if [ "$mode" = play ]; then
    quit_game_when_shown &
    runner_pid=$!
  fi
  # In the background, so that a signal to this script is handled at once.
  run_in_root "$command" >"$log" 2>&1 &
  root_pid=$!
  wait "$root_pid" || status=$?
  root_pid=
  elapsed=$((SECONDS - start))
  tail -n 15 "$log"
  echo "distro_check: $suite $mode: exit status $status after $((elapsed / 60)) min $((elapsed % 60)) s; log: $log"
  if [ "$status" -eq 0 ]; then rm -rf "$root"; else echo "distro_check: the root is kept for a look: $root"; fi
  return "$status"
}

main "$@"
exit
