#!/usr/bin/env bash
# No window manager, so the keyboard's focus follows the pointer: player 1's up (w), let go while
# the pointer is off the window, reaches no window of ours, and the classic library reports no
# change of focus. Once the pointer is back the game is told of the release: the recording holds
# it after the press, and the paw is no longer pushed up (s alone brings it down).
source "$(dirname "$0")/lib.sh"

# Keys through XTEST, to wherever the pointer is, as a keyboard's: lib.sh's --window sends them to
# the window itself, which is not where a real key goes without a focus.
key() { xdotool key "$@"; }

recording=$WORK/game.replay
"$TANDREL" --windowed --record "$recording" >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
find_window
expect_sdl_in_process "$GAME_PID" || fail "not the SDL library of this pass"

read -r X Y WIDTH HEIGHT < <(xdotool getwindowgeometry --shell "$WINDOW" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | paste -sd ' ')
read -r screen_width screen_height < <(xdotool getdisplaygeometry)
inside_x=$((X + WIDTH / 2)) inside_y=$((Y + HEIGHT / 2))
# A point beside the window, to its right or, failing room there, below it.
if ((X + WIDTH + 8 <= screen_width)); then
  outside_x=$(((X + WIDTH + screen_width) / 2)) outside_y=$inside_y
elif ((Y + HEIGHT + 8 <= screen_height)); then
  outside_x=$inside_x outside_y=$(((Y + HEIGHT + screen_height) / 2))
else
  fail "the ${WIDTH}x$HEIGHT window at $X,$Y leaves no room for the pointer on a ${screen_width}x$screen_height screen"
fi
xdotool mousemove "$inside_x" "$inside_y"
start_from_menu

# The game has the press before the pointer leaves.
start=$SECONDS
xdotool keydown w
until grep -qE '^event [0-9]+ 0 -?[0-9]+ 3 0$' "$recording"; do
  ((SECONDS - start < window_seconds)) || fail "holding w recorded no press of button 0"
  sleep 0.1
done
# One client, so the X server takes the three in this order.
xdotool mousemove "$outside_x" "$outside_y" sleep 0.3 keyup w sleep 0.3 mousemove "$inside_x" "$inside_y"
# Each picture is taken in a pass after the pointer came back, so after the keyboard's state was
# read anew.
next_shot
next_shot

# Button 0's presses (3) and releases (4) in order: the last must be a release.
changes=$(awk '$1 == "event" && $3 == 0 && $6 == 0 { printf "%s", $5 }' "$recording")
[[ "$changes" == 3*4 ]] || fail "button 0 went $changes (3 press, 4 release): w let go off the window stayed held"

left_paw_low() { [ "$("$PROBE" paw "$1" 40 0 60 26)" -ge 300 ]; }
xdotool keydown s
shoot_until 20 "s did not bring the left paw down: w still holds it up" left_paw_low
xdotool keyup s

# Back to the menu (a game that ended of itself is there too), then quit.
key Escape
start=$SECONDS
until grep -q '^end ' "$recording" || grep -q '^game over:' "$WORK/stdout"; do
  ((SECONDS - start < window_seconds)) || fail "Escape did not leave the game"
  sleep 0.1
done
key Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "pointer focus: w let go off the window was released ($changes), and s brought the paw down"
