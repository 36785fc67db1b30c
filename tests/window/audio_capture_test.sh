#!/usr/bin/env bash
# The sound that comes out: starting a game from the menu plays the meow, and it starts exactly
# on a beat of the 2756-frame rhythm grid counted from the first frame the device produced.
AUDIO_PROBE=$4
export SDL_AUDIODRIVER=disk
source "$(dirname "$0")/lib.sh"
export SDL_DISKAUDIOFILE="$WORK/capture.raw" SDL_DISKAUDIODELAY=46

start_game
start_from_menu
sleep 2.5
key Escape
sleep 0.3
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
result=$("$AUDIO_PROBE" "$WORK/capture.raw" "$SOURCE_DIR/dat/samples/meow.ogg" 2>/dev/null) ||
  fail "meow not found on a beat: $result"
echo "audio capture: $result"
