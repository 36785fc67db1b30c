#!/usr/bin/env bash
# Whole-process CPU of the real program while its menu runs for 20 s under Xvfb.
#   bash bench/menu_cpu.sh build/tandrel [extra options]
set -euo pipefail
if [ -z "${TANDREL_IN_XVFB:-}" ]; then
  export TANDREL_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
binary=$(realpath "$1")
shift
cd "$(dirname "$0")/.."
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$binary" "$@" &
pid=$!
sleep 20
read -r -a stat <"/proc/$pid/stat"
ticks=$(( stat[13] + stat[14] ))
peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
kill "$pid"
wait "$pid" || true
hz=$(getconf CLK_TCK)
echo "menu for 20 s: $(( ticks * 1000 / hz )) ms CPU ($(( ticks * 100 / hz / 20 ))% of one core), peak resident ${peak} kB"
