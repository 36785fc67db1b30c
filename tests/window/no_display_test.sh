#!/usr/bin/env bash
# Without a display the program says so in one line and exits with status 1.
set -uo pipefail
TANDREL=$1
source "$(dirname "$0")/sdl_check.sh"
expect_sdl_resolved "$TANDREL" || exit 1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
env -u DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy timeout 20 "$TANDREL" 2>"$err" >/dev/null
status=$?
lines=$(wc -l <"$err")
if [ "$status" != 1 ] || [ "$lines" != 1 ] || ! grep -q '^tandrel: ' "$err"; then
  echo "FAIL: status $status, $lines lines on stderr:" >&2
  cat "$err" >&2
  exit 1
fi
echo "no display: $(cat "$err")"
