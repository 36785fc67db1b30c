#!/usr/bin/env bash
# Two instances on two X servers play a net game by their keys: the host starts it from its menu,
# each side taps its own player's key, the host pauses it (the guest's picture shows the pause)
# and resumes it, then both paws rest until the mouse dies of fright. Both print the same
# game-over line and record the same file, which replays to that line. Escape on
# the guest's menu, which offers no start, then ends the connection, and the host says so.
#   bash net_window_test.sh TANDREL PROBE SOURCE_DIR
set -euo pipefail
TANDREL=$1
PROBE=$2
SOURCE_DIR=$3
source "$(dirname "$0")/sdl_check.sh"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy

# Seconds for a loaded machine to show a window or connect, and for an idle game to end (about
# 1500 ticks, 27 s, when both paws rest near their start).
window_seconds=60
game_seconds=150

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  [ -n "${TANDREL_KEEP_NET:-}" ] && cp "$WORK"/*.replay "$WORK"/*.err "$TANDREL_KEEP_NET"/ 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state
ln -s "$SOURCE_DIR/dat" "$WORK/dat"
cd "$WORK"
PORT=$((28000 + $$ % 1000))

fail() {
  echo "FAIL: $*" >&2
  local f
  for f in host.err guest.err; do [ -f "$f" ] && grep -v -e '^TITLE=' -e '^Bitstream' -e '^Encoded' -e '^$' "$f" | sed "s/^/  $f: /" >&2; done
  exit 1
}

# An X server of its own for each side; its display in the variable named $1.
start_x() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$WORK/$1.display" >/dev/null 2>&1 &
  PIDS+=($!)
  disown
  local start=$SECONDS
  until [ -s "$WORK/$1.display" ]; do
    ((SECONDS - start < window_seconds)) || fail "no X server for the $1"
    sleep 0.1
  done
  printf -v "$1" ':%s' "$(cat "$WORK/$1.display")"
}

# Starts side $1 on its display with the options after it; its pid in ${1}_pid.
start_side() {
  local name=$1 display=${!1}
  shift
  DISPLAY=$display "$TANDREL" --windowed "$@" --record "$WORK/$name.replay" >"$name.out" 2>"$name.err" &
  PIDS+=($!)
  printf -v "${name}_pid" '%s' "$!"
  disown
  local start=$SECONDS
  until DISPLAY=$display xdotool search --onlyvisible --name '^tandrel$' >/dev/null 2>&1; do
    ((SECONDS - start < window_seconds)) || fail "no $name window within $window_seconds s"
    sleep 0.2
  done
}

# Sends xdotool command $2... to side $1's window, focused first: keys go where the focus is.
to_side() {
  local display=${!1} window
  window=$(DISPLAY=$display xdotool search --onlyvisible --name '^tandrel$' | tail -n1)
  DISPLAY=$display xdotool windowfocus --sync "$window" 2>/dev/null || true
  DISPLAY=$display xdotool "$2" "${@:3}"
}

tap() {
  to_side "$1" keydown "$2"
  sleep 0.15
  to_side "$1" keyup "$2"
}

# Side $1's pictures, taken with Print Screen until check $2 holds of one, for at most 20 s. Both
# sides save into this directory, each under the next free number.
SHOTS=0
picture_until() {
  local start=$SECONDS shot
  while ((SECONDS - start < 20)); do
    to_side "$1" key Print
    shot=screen$SHOTS.png
    until [ -s "$shot" ]; do
      ((SECONDS - start < 20)) || break
      sleep 0.1
    done
    sleep 0.3
    SHOTS=$((SHOTS + 1))
    [ -s "$shot" ] && "$2" "$shot" && return 0
  done
  return 1
}
# The notice in the middle, the rest dimmed: the left paw and the mouse are dark.
paused() { [ "$("$PROBE" region "$1" 420 330 860 470)" -ge 200 ] && [ "$("$PROBE" region "$1" 0 0 250 768)" -lt 120 ]; }
running() { ! paused "$1"; }

start_x host
start_x guest
start_side host --host "127.0.0.1:$PORT"
expect_sdl_in_process "$host_pid" || fail "not the SDL library of this pass"
start_side guest --join "127.0.0.1:$PORT"

# Return on the host's menu starts the game once the guest is there (before, it would start a game
# alone): then its recording begins.
start=$SECONDS
until grep -q '^tandrel: 127.0.0.1: joined$' host.err; do
  ((SECONDS - start < window_seconds)) || fail "the guest did not join"
  sleep 0.2
done
start=$SECONDS
until [ -s host.replay ]; do
  ((SECONDS - start < window_seconds)) || fail "the host started no game with its guest"
  to_side host key Return
  sleep 1
done
start=$SECONDS
until [ -s guest.replay ]; do
  ((SECONDS - start < window_seconds)) || fail "the guest's game did not start"
  sleep 0.2
done
# Each side moves its own paw with its own keys, the host up with w, the guest down with the arrow:
# paws moved apart leave the mouse to die of fright, paws moved together may trap it for good.
tap host w
tap guest Down
tap host p
picture_until guest paused || fail "P on the host did not pause the guest's game"
tap host p
picture_until guest running || fail "P again on the host did not resume the guest's game"
start=$SECONDS
until [ -s host.out ] && [ -s guest.out ]; do
  ((SECONDS - start < game_seconds)) || fail "no game over on both sides within $game_seconds s"
  sleep 0.5
done
[ "$(cat host.out)" = "$(cat guest.out)" ] || fail "the host printed '$(cat host.out)', the guest '$(cat guest.out)'"
grep -q '^game over: ' host.out || fail "the host printed '$(cat host.out)'"
events=$(grep -c '^event' host.replay || true)
grep -q '^event [0-9]* 0 ' host.replay && grep -q '^event [0-9]* 1 ' host.replay ||
  fail "the recording lacks one player's keys ($events events)"
cmp -s host.replay guest.replay || fail "the two recordings differ"
[ "$("$TANDREL" --headless --replay host.replay)" = "$(cat host.out)" ] || fail "the recording replays to another line"

# Back on the menus: the host's offers "start"; the guest's, whose games the host starts, does not.
start_item() { "$PROBE" cells "$1" 66 19 94 26 | tr -cd '#' | wc -c; }
start_shown() { [ "$(start_item "$1")" -ge 15 ]; }
start_gone() { [ "$(start_item "$1")" -le 3 ]; }
picture_until host start_shown || fail "the host's menu shows no start ($(start_item "screen$((SHOTS - 1)).png") lit cells)"
picture_until guest start_gone ||
  fail "the guest's menu shows start, which only the host can choose ($(start_item "screen$((SHOTS - 1)).png") lit cells)"

# Escape on the guest's menu ends the connection; the host says so and goes on alone.
sleep 1
to_side guest key Escape
start=$SECONDS
until grep -q '^tandrel: 127.0.0.1: the other side left$' host.err; do
  ((SECONDS - start < window_seconds)) || fail "the host did not say that its guest left"
  sleep 0.2
done
kill -0 "$host_pid" || fail "the host ended when its guest left"
echo "net window: $(cat host.out) on both sides after a pause, $events events of both players in identical recordings; the guest's Escape ended the connection"
