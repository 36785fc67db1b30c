#!/usr/bin/env bash
# The second game for real. On the menu the sideways keys switch between the cat game and
# yarnball, colours and all, with "<" and ">" four cells in from either edge beside the title;
# --game yarnball starts on it; a live game shows both paws, the ball and the scores, and a paw
# moves. A recorded yarnball game replayed in the window shows a goal and the win text and ends
# on the line its headless replay prints.
source "$(dirname "$0")/lib.sh"

# Palette entries as 8-bit colours (png_probe near allows for their drift).
black='0 0 0'
white='255 255 255'
felt='8 41 28'
yarn='242 89 153'
orange='217 77 38'        # player 1's outline
orange_fill='255 153 77'  # player 1's fill: the score, the win text
blue='51 89 230'          # player 2's outline
blue_fill='115 179 255'

near() { "$PROBE" near "$SHOT" "$@"; }
# Every cell of the box is near the colour.
all_near() {
  local count
  count=$(near "$@")
  [ "$count" = $(( ($3 - $1) * ($4 - $2) )) ]
}

# The title in its colour, both arrows' middle rows (row 92, columns 4 to 13 and 146 to 155) in
# it too with the background just outside them, and the background below the title.
menu_shows() {
  local colour=$1 background=$2
  all_near 4 92 14 93 $colour && all_near 146 92 156 93 $colour && all_near 3 92 4 93 $background &&
    all_near 156 92 157 93 $background && [ "$(near 30 88 130 98 $colour)" -ge 40 ] &&
    [ "$(near 20 25 140 40 $background)" -ge 1700 ]
}
cat_menu() { menu_shows "$white" "$black"; }
yarnball_menu() { menu_shows "$yarn" "$felt"; }

start_game
shoot_until 10 "the cat game's menu is not shown in white on black with its arrows" cat_menu
key Right
shoot_until 10 "the right arrow key did not switch the menu to yarnball's pink on felt" yarnball_menu
key a
shoot_until 10 "a did not switch the menu back to the cat game" cat_menu
key Escape
wait_exit 5
echo "yarnball: menu switched to yarnball and back, arrows at columns 4 and 146"

# A live game: both paws at their places, the ball in yarn (six cells of it at least beside the
# halfway line, which is dotted in yarn too), 0 and 0 at the top.
game_shown() {
  [ "$(near 30 40 50 60 $orange)" -ge 30 ] && [ "$(near 110 40 130 60 $blue)" -ge 30 ] &&
    [ $(( $(near 0 8 80 93 $yarn) + $(near 81 8 160 93 $yarn) )) -ge 6 ] &&
    [ "$(near 72 94 79 99 $orange_fill)" -ge 10 ] && [ "$(near 82 94 88 99 $blue_fill)" -ge 10 ]
}
left_paw_moved_right() { [ "$(near 56 40 85 60 $orange)" -ge 30 ]; }

start_game --game yarnball
shoot_until 10 "--game yarnball did not start on yarnball's menu" yarnball_menu
key Return
shoot_until 10 "no paws, ball and scores at the start of a yarnball game" game_shown
hold_until d 10 "holding d did not move the left paw right" left_paw_moved_right
key Escape
shoot_until 10 "Escape did not bring back yarnball's menu" yarnball_menu
key Escape
wait_exit 5
echo "yarnball: --game, both paws, ball and scores, the left paw moved"

# A recorded game in the window: player 2 wins it 5 to 1.
recording=$SOURCE_DIR/tests/data/replays/21_yarnball_rally
score_shown() { [ "$(near 82 94 88 99 $blue_fill)" -ge "$1" ]; }
goal_shown() { ! score_shown 10; }  # player 2's 0 (12 cells) has become a 1 (6 cells)
win_shown() { [ "$(near 24 66 136 76 $blue_fill)" -ge 60 ]; }

start_game --replay "$recording.replay"
shoot_until 10 "the replayed game shows no score 0 for player 2" score_shown 10
shoot_until 90 "the replayed game shows no goal" goal_shown
shoot_until 90 "the replayed game shows no 'player 2 wins'" win_shown
live=$(game_over_line 30 "the replayed game did not end")
expected=$(cat "$recording.expected")
echo "yarnball: replayed in the window: $live"
[ "$live" = "$expected" ] || fail "the window's replay ended differently from the recording: $expected"
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
echo "yarnball: a goal and the win text shown, the recording's line reached"
