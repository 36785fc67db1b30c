#!/usr/bin/env bash
# A process stopped for some seconds (kill -STOP, then -CONT) runs every tick it missed before
# it reads the next input: in the recording, a key pressed after the stop is stamped at least the
# stopped time's worth of ticks after a key pressed before it. Then it plays on and quits with 0.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

STOP_SECONDS=3
TICK_MS=18

# The tick of the $1th recorded event.
event_tick() { grep '^event ' "$RECORD" | sed -n "$1p" | cut -d' ' -f2; }

start_game --record "$RECORD"
begin_game
key w
wait_for_lines "$RECORD" "event " 5 2 || fail "the key before the stop was not recorded"
kill -STOP "$GAME_PID"
sleep "$STOP_SECONDS"
# Queued while stopped, this key is read by the first pass after the stop, whose ticks may come
# after it; the next key can only be read after them.
key s
kill -CONT "$GAME_PID"
wait_for_lines "$RECORD" "event " 10 4 || fail "the key queued during the stop was not recorded"
key d
wait_for_lines "$RECORD" "event " 10 6 || fail "the key after the stop was not recorded"

before=$(event_tick 1)
after=$(event_tick 5)
least=$(( STOP_SECONDS * 1000 / TICK_MS ))
[ $(( after - before )) -ge "$least" ] ||
  fail "only $(( after - before )) ticks between the keys around a ${STOP_SECONDS} s stop, expected $least or more"

play_a_little
leave_and_quit
echo "stop: ${STOP_SECONDS} s stopped, keys stamped $(( after - before )) ticks apart (at least $least), played on, quit 0"
