#!/usr/bin/env bash
# Makes the README's pictures with the program's own print-screen under Xvfb:
#   bash tools/readme_screenshots.sh build/tandrel    writes doc/menu.png, doc/game.png and doc/yarnball.png
set -euo pipefail
if [ -z "${TANDREL_IN_XVFB:-}" ]; then
  export TANDREL_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 800x500x24 -noreset" bash "$0" "$@"
fi
binary=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
ln -s "$source_dir/dat" dat
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$binary" 2>/dev/null &
pid=$!
window=$(timeout 30 xdotool search --sync --name '^tandrel$' | head -n1)
hold() { xdotool keydown --window "$window" "$1" 2>/dev/null; sleep "$2"; xdotool keyup --window "$window" "$1" 2>/dev/null; }
sleep 2
xdotool key --window "$window" Print 2>/dev/null
sleep 0.5
xdotool key --window "$window" Return 2>/dev/null
hold d 0.5
hold Left 0.4
hold w 0.3
sleep 0.3
xdotool key --window "$window" Print 2>/dev/null
sleep 0.5
kill "$pid"
wait "$pid" 2>/dev/null || true
# yarnball: the left paw comes forward to meet the serve, the right one moves up.
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$binary" --game yarnball 2>/dev/null &
pid=$!
window=$(timeout 30 xdotool search --sync --name '^tandrel$' | head -n1)
sleep 2
xdotool key --window "$window" Return 2>/dev/null
hold d 0.4
hold Up 0.3
sleep 0.8
xdotool key --window "$window" Print 2>/dev/null
sleep 0.5
kill "$pid"
mkdir -p "$source_dir/doc"
cp screen0.png "$source_dir/doc/menu.png"
cp screen1.png "$source_dir/doc/game.png"
cp screen2.png "$source_dir/doc/yarnball.png"
echo "wrote doc/menu.png, doc/game.png and doc/yarnball.png"
