#!/usr/bin/env bash
# What a player does to the window and the game mid-play, on a recorded yarnball game replayed in
# a window: F11 makes it full screen and Alt+Enter brings it back, each picture of the new size
# and still showing the game; P pauses it, showing the dimmed picture with the notice, and P again
# resumes it; F9 shows the volume bar. Through all of it the replay ends on its recorded line.
source "$(dirname "$0")/lib.sh"

recording=$SOURCE_DIR/tests/data/replays/22_yarnball_rally
orange_fill='255 153 77'  # the players' scores
blue_fill='115 179 255'
yarn='242 89 153'  # the ball, the halfway line and the notice's title

near() { "$PROBE" near "$SHOT" "$@"; }
sized() { [ "$("$PROBE" size "$1")" = "$2" ]; }
# Both scores at the top and the dotted halfway line: the game is on screen.
game_at() {
  sized "$1" "$2" &&
    [ $(( $("$PROBE" near "$1" 72 94 79 99 $orange_fill) + $("$PROBE" near "$1" 82 94 88 99 $blue_fill) )) -ge 8 ] &&
    [ "$("$PROBE" near "$1" 78 8 82 93 $yarn)" -ge 6 ]
}
window_game() { game_at "$1" "1024 768"; }
full_screen_game() { game_at "$1" "1280 800"; }
# "paused" stands in the middle, and the halfway line below the notice is dimmed out of its colour.
paused() { [ "$("$PROBE" near "$1" 40 52 120 62 $yarn)" -ge 30 ] && [ "$("$PROBE" near "$1" 78 8 82 36 $yarn)" = 0 ]; }
running() { ! paused "$1" && window_game "$1"; }
volume_bar() { [ "$("$PROBE" region "$1" 300 700 720 760)" -ge 150 ]; }

start_game --replay "$recording.replay" --windowed
shoot_until 20 "the replay shows no game in a 1024 x 768 window" window_game
key F11
shoot_until 20 "F11 did not make the game full screen at 1280 x 800" full_screen_game
key alt+Return
shoot_until 20 "Alt+Enter did not bring the game back into the window" window_game
key p
shoot_until 20 "P did not show the paused picture" paused
sleep 1
key p
shoot_until 20 "P again did not bring back the running game" running
key F9
shoot_until 20 "F9 showed no volume bar" volume_bar
live=$(game_over_line 60 "the replayed game did not end")
[ "$live" = "$(cat "$recording.expected")" ] || fail "toggled and paused, the replay ended differently: $live"
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "toggle: window, full screen, window; paused and resumed; the volume bar; the replay's line: $live"
