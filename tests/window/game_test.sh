#!/usr/bin/env bash
# Played for real: the menu shows, a key starts a game, a held paw key moves that paw, Escape
# goes back to the menu and Escape again quits.
source "$(dirname "$0")/lib.sh"

start_game
start_from_menu
at_start=$("$PROBE" paw "$SHOT" 42 44 58 60)
[ "$at_start" -ge 500 ] || fail "no left paw at its starting place ($at_start paw pixels)"

hold_until a 10 "the left paw did not arrive on the left" left_paw_far_left
left_behind=$("$PROBE" paw "$SHOT" 50 44 58 60)
arrived=$("$PROBE" paw "$SHOT" 8 44 30 60)
echo "game: paw pixels at start $at_start, right half after moving $left_behind, far left $arrived"
[ "$left_behind" -lt "$at_start" ] || fail "the left paw did not leave its starting place"

key Escape
shoot_until 10 "Escape in a game did not bring back the menu" title_shown
kill -0 "$GAME_PID" || fail "the program ended on Escape in a game"

key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "game: menu, play, paw moved, menu again, quit"
