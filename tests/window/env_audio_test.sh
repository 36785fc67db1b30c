#!/usr/bin/env bash
# Without a usable sound device the game runs in silence: with an audio driver that does not
# exist, and with one that starts but cannot open its device, a game is started and played, left,
# and the program quits with status 0 without a complaint of its own.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
source "$HERE/env_lib.sh"

silent_run() {
  local what=$1
  shift
  TANDREL_LAUNCH=(env "$@")
  play_and_quit
  ! grep -q '^tandrel: ' "$WORK/stderr" || fail "$what: the program complained"
}

silent_run "no such driver" SDL_AUDIODRIVER=nosuch
# SDL's disk driver writes the sound to a file; in a directory that does not exist it cannot.
silent_run "a device that cannot open" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/none/sound.raw"

echo "audio: no such driver, a device that cannot open: played a game and quit with status 0"
