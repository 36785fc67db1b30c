#!/usr/bin/env bash
# One X screen of two RandR monitors side by side, and Xvfb's own monitor for the whole screen
# listed after them: full screen covers the smallest monitor holding the pointer, or the one
# --display names in xrandr's order, and --windowed opens on it too. The window lies inside that
# monitor and the screenshot has its size.
source "$(dirname "$0")/lib.sh"

xrandr --setmonitor tandrel-left 1280/338x720/190+0+0 none >/dev/null
xrandr --setmonitor tandrel-right 1280/338x720/190+1280+0 none >/dev/null
[ "$(xrandr --listmonitors | head -n1)" = "Monitors: 3" ] || fail "xrandr lists: $(xrandr --listmonitors)"

# Monitor $1 as xrandr lists it: its width, height, x and y.
monitor() {
  xrandr --listmonitors | sed -n "s|^ *$1: [^ ]* \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*+\([0-9]*\)+\([0-9]*\).*|\1 \2 \3 \4|p"
}

point_at() {
  xdotool mousemove "$1" "$2"
  [ "$(xdotool getmouselocation --shell | head -n2 | tr '\n' ' ')" = "X=$1 Y=$2 " ] || fail "the pointer is not at $1,$2"
}

# The window's place and size, as "X Y WIDTH HEIGHT".
window_geometry() {
  xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | tr '\n' ' '
}

inside() {  # window x y w h, monitor w h x y
  (($1 >= $7 && $2 >= $8 && $1 + $3 <= $7 + $5 && $2 + $4 <= $8 + $6))
}

# With the pointer at $1,$2 and the program's options after $5: the window lies inside monitor $3
# and the screenshot is $4 pixels.
expect_on_monitor() {
  local x=$1 y=$2 index=$3 size=$4 geometry start
  shift 4
  read -r -a bounds < <(monitor "$index")
  [ ${#bounds[@]} = 4 ] || fail "xrandr lists no monitor $index"
  rm -f screen*.png
  point_at "$x" "$y"
  start_game "$@"
  start=$SECONDS
  until geometry=$(window_geometry) && [ -n "$geometry" ] && inside $geometry "${bounds[@]}"; do
    ((SECONDS - start < window_seconds)) || fail "$*: window at '$geometry', not inside monitor $index (${bounds[*]})"
    sleep 0.2
    find_window
  done
  # Keys then reach the window as in the other tests, wherever the pointer chose.
  point_at $((bounds[2] + bounds[0] / 2)) $((bounds[3] + bounds[1] / 2))
  read -r width height < <("$PROBE" size "$(screenshot 0)")
  [ "${width}x$height" = "$size" ] || fail "$*: screenshot ${width}x$height, not $size"
  echo "monitors: pointer $x,$y ${*:-(no options)}: window ${geometry% } on monitor $index, screenshot $size"
  key Escape
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "$*: exit status $STATUS after Escape"
  # The server may show the window a moment after the program ended: never take it for the next.
  start=$SECONDS
  while [ -n "$(xdotool search --onlyvisible --name '^tandrel$' 2>/dev/null)" ]; do
    ((SECONDS - start < window_seconds)) || fail "$*: the window stayed after the program ended"
    sleep 0.1
  done
}

if [ "${TANDREL_SDL_MAJOR:-1}" = 2 ]; then
  # SDL 2 lists the X screen's outputs, not the monitors --setmonitor adds (nor Xinerama's heads):
  # Xvfb's one output is the whole screen, the display of xrandr's last monitor.
  expect_on_monitor 1900 300 2 2560x720
  expect_on_monitor 300 300 2 2560x720 --display 1
  grep -qx "tandrel: no display 1 among the 1 monitors the display lists" "$WORK/stderr" ||
    fail "--display 1 on SDL 2's one display was not said"
  expect_on_monitor 1900 300 2 1024x720 --windowed
else
  expect_on_monitor 1900 300 1 1280x720
  expect_on_monitor 300 300 0 1280x720
  expect_on_monitor 300 300 1 1280x720 --display 1
  expect_on_monitor 1900 300 1 1024x720 --windowed
fi
