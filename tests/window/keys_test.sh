#!/usr/bin/env bash
# Player 1's keys for real: on a French (AZERTY) layout with no key file, the keys labelled
# z, q, s, d move the left paw and the menu names them; on a US layout, a key file moving
# player 1 to z, q, s, d does the same.
source "$(dirname "$0")/lib.sh"

export HOME=$WORK XDG_CONFIG_HOME=$WORK/config
# The menu's first instruction line, "zqsd" then a blank advance: cells 8 to 27, rows 73 to 77.
zqsd='###..#...##.##......
..#.#.#.#...#.#.....
.#..#.#.###.#.#.....
#...##....#.#.#.....
###..##.##..##......'

new_run() { stop_game; rm -f screen*.png; SHOTS=0; }

# The menu names player 1's keys; a drifting spark may cross them, so more looks until it has
# passed (a loaded machine moves it slowly).
zqsd_shown() { [ "$("$PROBE" cells "$1" 8 73 28 78)" = "$zqsd" ]; }
expect_zqsd_on_menu() {
  shoot_until "$window_seconds" "$1: the menu's key line does not read zqsd" zqsd_shown
}

# A game started with Return; holding q brings the left paw from cell 50 to the far left.
expect_q_moves_left_paw() {
  start_from_menu
  hold_until q 10 "$1: holding q did not move the left paw left" left_paw_far_left
  echo "keys: $1: $("$PROBE" paw "$SHOT" 8 44 30 60) paw pixels on the far left while q was held"
  key Escape
}

setxkbmap fr || fail "setxkbmap fr failed"
start_game
sleep 1
expect_zqsd_on_menu "French layout"
expect_q_moves_left_paw "French layout, built-in keys"
new_run

setxkbmap us || fail "setxkbmap us failed"
mkdir -p "$XDG_CONFIG_HOME/tandrel"
printf '# AZERTY cross on a QWERTY layout\nplayer1.up = z\nplayer1.left = q\nplayer1.down = s\nplayer1.right = d\n' \
  >"$XDG_CONFIG_HOME/tandrel/keys.conf"
start_game
sleep 1
expect_zqsd_on_menu "US layout with a key file"
expect_q_moves_left_paw "US layout, key file"

# A bad file stops the program before its window opens: one line, status 2.
printf 'player1.up = escape\n' >"$WORK/bad.conf"
status=0
err=$("$TANDREL" --keys "$WORK/bad.conf" 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] && [ "$err" = "tandrel: $WORK/bad.conf:1: 'escape' cannot be bound" ] || fail "bad key file: $status $err"
echo "keys: French layout and key file both give the left paw to z, q, s, d"
