#!/usr/bin/env bash
# Played for real: the menu shows, a key starts a game, a held paw key moves that paw, Escape
# goes back to the menu and Escape again quits.
source "$(dirname "$0")/lib.sh"

title_pixels() { "$PROBE" region "$1" 300 10 724 90; }

start_game
sleep 1
menu=$(screenshot 0)
[ "$(title_pixels "$menu")" -ge 200 ] || fail "no bright title on the menu"

key Return
sleep 0.5
game=$(screenshot 1)
[ "$(title_pixels "$game")" -lt 200 ] || fail "the title is still shown after starting a game"
# The left paw starts centred on cell (50, 52), 16 cells wide.
at_start=$("$PROBE" paw "$game" 42 44 58 60)
[ "$at_start" -ge 500 ] || fail "no left paw at its starting place ($at_start paw pixels)"

hold a 0.6
moved=$(screenshot 2)
left_behind=$("$PROBE" paw "$moved" 50 44 58 60)
arrived=$("$PROBE" paw "$moved" 8 44 30 60)
echo "game: paw pixels at start $at_start, right half after moving $left_behind, far left $arrived"
[ "$arrived" -ge 300 ] || fail "the left paw did not arrive on the left"
[ "$left_behind" -lt "$at_start" ] || fail "the left paw did not leave its starting place"

key Escape
sleep 0.5
back=$(screenshot 3)
[ "$(title_pixels "$back")" -ge 200 ] || fail "Escape in a game did not bring back the menu"
kill -0 "$GAME_PID" || fail "the program ended on Escape in a game"

key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "game: menu, play, paw moved, menu again, quit"
