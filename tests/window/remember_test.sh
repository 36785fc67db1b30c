#!/usr/bin/env bash
# What the program remembers, for real: the game chosen on the menu is written to settings.conf,
# keeping the lines of a newer version, and is chosen at the next start; --game wins for its run
# only; a game's result is written to the scores; a replay in the window writes neither file.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/env_lib.sh"

conf=$XDG_CONFIG_HOME/tandrel/settings.conf
scores=$XDG_STATE_HOME/tandrel/scores
yarn='242 89 153'  # yarnball's title
white='255 255 255'

recorded_game() { sed -n 's/^game //p' "$RECORD"; }

# Waits up to $3 seconds for file $1 to hold the line $2.
wait_for_line() {
  for _ in $(seq $(( $3 * 10 ))); do
    grep -qxF "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# The menu shows the title of the game in colour $1.
menu_title_in() { [ "$("$PROBE" near "$SHOT" 30 88 130 98 $1)" -ge 40 ]; }
yarnball_menu() { menu_title_in "$yarn"; }
cat_menu() { menu_title_in "$white"; }

# A key, then pictures until check $2 holds of one.
key_until() {
  key "$1"
  shoot_until 10 "$1 did not bring $2" "$2"
}

mkdir -p "$(dirname "$conf")"
printf '# written by hand\nwindowed = no\nshader = crt\n' >"$conf"
start_game --record "$RECORD"
shoot_until 10 "no cat game menu at the start" cat_menu
key_until Right yarnball_menu
wait_for_line "$conf" "game = yarnball" 10 || fail "settings.conf was not written: $(cat "$conf")"
kept=$'# written by hand\nwindowed = no\nshader = crt\ndisplay = auto\nvolume = 100\ngame = yarnball'
[ "$(cat "$conf")" = "$kept" ] || fail "settings.conf reads"$'\n'"$(cat "$conf")"
begin_game
[ "$(recorded_game)" = yarnball ] || fail "the game started is $(recorded_game)"
leave_and_quit
wait_for_line "$scores" "yarnball.last = 0:0" 1 || fail "the scores read: $(cat "$scores" 2>&1)"
echo "remember: yarnball chosen on the menu and written, a newer version's lines kept, its result kept"

rm -f "$RECORD"
start_game --record "$RECORD" --game whiskerwaltz
begin_game
[ "$(recorded_game)" = whiskerwaltz ] || fail "--game whiskerwaltz started $(recorded_game)"
leave_and_quit
[ "$(cat "$conf")" = "$kept" ] || fail "--game changed settings.conf: $(cat "$conf")"

rm -f "$RECORD"
start_game --record "$RECORD"
begin_game
[ "$(recorded_game)" = yarnball ] || fail "the second start chose $(recorded_game), not the file's game"
leave_and_quit
echo "remember: --game won for its run only; the next start chose yarnball again"
cp "$RECORD" "$WORK/yarnball.replay"

# A replay of yarnball: left, the cat game chosen on the menu, quit; neither file changes.
before=$(cat "$conf" "$scores" | md5sum)
SHOTS=0
rm -f screen*.png
start_game --replay "$WORK/yarnball.replay"
next_shot
key_until Escape yarnball_menu
key_until Right cat_menu
key Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "the replay's run exited with $STATUS"
[ "$(cat "$conf" "$scores" | md5sum)" = "$before" ] || fail "a replay's run changed the files"
[ "$(find "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" -type f | wc -l)" = 2 ] || fail "files appeared: $(find "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" -type f)"
echo "remember: a replay's run switched the game and wrote nothing"
