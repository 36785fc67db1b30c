#!/usr/bin/env bash
# A live game, recorded while two players press keys, and its headless replay report the same
# game-over line; a broken replay file is refused with its line named and status 2.
source "$(dirname "$0")/lib.sh"

start_game --record "$WORK/game.replay"
start_from_menu
# Both paws close in on the mouse from the start, so it dies of fright within seconds.
for k in w Up d Left s Down a Right; do
  hold "$k" 0.3
done
live=$(game_over_line 90 "the recorded game did not end within 90 s")
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
events=$(grep -c "^event " "$WORK/game.replay" || true)
[ "$events" -ge 10 ] || fail "only $events events recorded"

replayed=$("$TANDREL" --replay "$WORK/game.replay" --headless) || fail "the headless replay failed"
echo "replay: live     $live"
echo "replay: headless $replayed ($events events)"
[ "$replayed" = "$live" ] || fail "the headless replay ended differently"

printf 'tandrel-replay 1\nseed 12\nevent 3 0 1 9 0\n' >"$WORK/bad.replay"
status=0
err=$("$TANDREL" --replay "$WORK/bad.replay" --headless 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "a bad replay file gave status $status"
[[ "$err" == *"bad.replay:3: "* ]] || fail "the message does not name line 3: $err"
echo "replay: bad file refused: $err"
