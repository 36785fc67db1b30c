#!/usr/bin/env bash
# The real program opens full screen at the display's size, shows a near-black canvas in its
# screenshot, and quits with status 0 through the quit fade after Escape.
source "$(dirname "$0")/lib.sh"

start_game
sleep 1
shot=$(screenshot 0)
read -r width height < <("$PROBE" size "$shot")
[ "$width" = 1024 ] && [ "$height" = 768 ] || fail "screenshot is ${width}x${height}, not 1024x768"
echo "frame: screenshot ${width}x${height}"
key Escape
status=$(wait_exit 5)
[ "$status" = 0 ] || fail "exit status $status after Escape"
echo "frame: Escape quit with status 0"
