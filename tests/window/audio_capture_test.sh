#!/usr/bin/env bash
# The sound that comes out: starting a game from the menu plays the meow, and it starts exactly
# on a beat of the 2756-frame rhythm grid counted from the first frame the device produced. At
# --volume 0 the same start is silent.
AUDIO_PROBE=$4
export SDL_AUDIODRIVER=disk
source "$(dirname "$0")/lib.sh"
export SDL_DISKAUDIOFILE="$WORK/capture.raw" SDL_DISKAUDIODELAY=46

# Starts a game from the menu, lets the meow play and quits.
play_meow() {
  start_game "$@"
  start_from_menu
  sleep 2.5
  key Escape
  sleep 0.3
  key Escape
  wait_exit 5
  [ "$STATUS" = 0 ] || fail "exit status $STATUS"
}

play_meow
result=$("$AUDIO_PROBE" "$WORK/capture.raw" "$SOURCE_DIR/dat/samples/meow.ogg" 2>/dev/null) ||
  fail "meow not found on a beat: $result"
echo "audio capture: $result"

play_meow --volume 0
[ -s "$WORK/capture.raw" ] || fail "nothing captured at --volume 0"
[ "$(tr -d '\0' <"$WORK/capture.raw" | wc -c)" = 0 ] || fail "--volume 0 is not silent"
echo "audio capture: --volume 0 gives $(stat -c %s "$WORK/capture.raw") bytes of silence"
