#!/usr/bin/env bash
# The real program opens full screen at the display's size; its screenshot shows the picture on
# screen (mostly palette entry 0, near black, with the menu drawn over it, never a blank read of
# the front buffer); Escape quits through the fade with status 0.
source "$(dirname "$0")/lib.sh"

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
start=$(date +%s%N)
key Escape
wait_exit 5
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Escape"
echo "frame: Escape quit with status 0 after $(( ($(date +%s%N) - start) / 1000000 )) ms"
