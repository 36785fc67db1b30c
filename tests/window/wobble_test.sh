#!/usr/bin/env bash
# After some seconds the picture wobbles: cells have left their resting squares, yet only a
# little, so nearly every pixel still shows the cell it shows at rest.
source "$(dirname "$0")/lib.sh"

start_game
sleep 4
shot=$(screenshot 0)
off=$("$PROBE" offgrid "$shot")
read -r width height < <("$PROBE" size "$shot")
total=$(( width * height ))
echo "wobble: $off of $total pixels off their resting cell"
[ "$off" -gt 0 ] || fail "the grid is exactly at rest"
[ $(( off * 100 / total )) -lt 5 ] || fail "cells moved far from their resting place"
key Escape
wait_exit 5
