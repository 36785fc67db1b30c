#!/usr/bin/env bash
# The real program opens full screen at the display's size; its screenshot shows the picture on
# screen (mostly palette entry 0, near black, with the menu drawn over it, never a blank read of
# the front buffer). Print Screen held past the key repeat's start saves one picture, under the
# next number whose file is not there (an earlier run's is kept). Escape quits through the fade
# with status 0.
source "$(dirname "$0")/lib.sh"

echo "an earlier run's" >screen1.png
start_game
sleep 1
shot=$(screenshot 0)
read -r width height < <("$PROBE" size "$shot")
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "screenshot is ${width}x${height}, not 1024x768"
dark=$("$PROBE" dark "$shot")
brightest=$("$PROBE" max "$shot")
echo "frame: screenshot ${width}x${height}, ${dark}% near black, brightest channel $brightest"
[ "$dark" -ge 85 ] || fail "only ${dark}% of the screenshot is near black"
[ "$brightest" -ge 200 ] || fail "the screenshot is blank"
hold Print 1.5
screenshot_saved screen2.png
sleep 0.5
[ "$(cat screen1.png)" = "an earlier run's" ] || fail "screen1.png of an earlier run was overwritten"
[ -s screen2.png ] && [ ! -e screen3.png ] || fail "holding Print Screen saved: $(echo screen*.png)"
start=$(date +%s%N)
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Escape"
echo "frame: Escape quit with status 0 after $(( ($(date +%s%N) - start) / 1000000 )) ms"
