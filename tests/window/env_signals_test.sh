#!/usr/bin/env bash
# SIGTERM and SIGINT, on the menu and in a game, become a quit: the program shuts down in order
# (a running game is ended, which closes its recording with an "end" line) and exits with 0.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

# A script's background jobs start with SIGINT ignored; a terminal's Ctrl-C finds it at its default.
TANDREL_LAUNCH=(env --default-signal=INT)

# Sends signal $1 to the program on the menu ($2 = menu) or in a game ($2 = game).
quit_by_signal() {
  local signal=$1 place=$2
  rm -f "$RECORD"
  start_game --record "$RECORD"
  if [ "$place" = game ]; then
    begin_game
    play_a_little
  fi
  kill -s "$signal" "$GAME_PID"
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "SIG$signal $place: exit status $STATUS"
  ! grep -q '^tandrel: ' "$WORK/stderr" || fail "SIG$signal $place: the program complained"
  if [ "$place" = game ]; then
    [ "$(count_lines "$RECORD" "end ")" = 1 ] || fail "SIG$signal $place: the game was not ended at shutdown"
  else
    [ "$(count_lines "$RECORD" "seed ")" = 0 ] || fail "SIG$signal $place: a game was started"
  fi
}

for signal in TERM INT; do
  for place in menu game; do
    quit_by_signal "$signal" "$place"
  done
done
echo "signals: SIGTERM and SIGINT on the menu and in a game: orderly shutdown, status 0"
