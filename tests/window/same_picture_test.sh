#!/usr/bin/env bash
# SDL 1.2's program and SDL 2's draw the same scene to the same pixels, in the same X server.
#   bash same_picture_test.sh PRESENT_PATHS_SDL1 PRESENT_PATHS_SDL2
set -euo pipefail
if [ -z "${TANDREL_IN_XVFB:-}" ]; then
  export TANDREL_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$1" "$WORK/sdl1.rgba" >/dev/null
"$2" "$WORK/sdl2.rgba" >/dev/null
[ -s "$WORK/sdl1.rgba" ] || { echo "FAIL: no picture" >&2; exit 1; }
cmp -s "$WORK/sdl1.rgba" "$WORK/sdl2.rgba" ||
  { echo "FAIL: the pictures differ in $(cmp -l "$WORK/sdl1.rgba" "$WORK/sdl2.rgba" | wc -l) bytes, first at" \
      "$(cmp "$WORK/sdl1.rgba" "$WORK/sdl2.rgba" | sed 's/.*differ: //')" >&2; exit 1; }
echo "same picture: $(stat -c %s "$WORK/sdl1.rgba") bytes alike on SDL 1.2 and SDL 2"
