#!/usr/bin/env bash
# Displays that cannot be used: a display with no server behind it, a name that is no display,
# and a running server that refuses us (access control, no cookie). Each time the program says
# so in one line of its own, the last on stderr, and exits with status 1; a refusing server's
# reason, printed by Xlib, appears once. (No DISPLAY at all: no_display_test.sh.)
set -uo pipefail
TANDREL=$1
DIR=$(mktemp -d)
SERVER_PID=
trap '[ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null; rm -rf "$DIR"' EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$DIR/stderr" ] && sed 's/^/  game stderr: /' "$DIR/stderr" >&2
  exit 1
}

# Runs the program on display $1 (with any further VAR=value settings); checks status and stderr.
expect_refusal() {
  local display=$1 what=$2
  shift 2
  local status=0
  env DISPLAY="$display" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$@" \
    timeout 20 "$TANDREL" >/dev/null 2>"$DIR/stderr" || status=$?
  [ "$status" = 1 ] || fail "$what: exit status $status, expected 1"
  local ours others
  ours=$(grep -c '^tandrel: ' "$DIR/stderr")
  others=$(grep -v '^tandrel: ' "$DIR/stderr" | grep -c -v '^$')
  [ "$ours" = 1 ] || fail "$what: $ours lines of the program's own on stderr"
  tail -n1 "$DIR/stderr" | grep -q '^tandrel: ' || fail "$what: the program's line is not the last"
  [ "$others" -le "${MAX_OTHER_LINES:-0}" ] || fail "$what: $others further lines on stderr"
}

free_display_number() {
  local n
  for n in $(seq 97 199); do
    [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && { echo "$n"; return 0; }
  done
  fail "no free display number between 97 and 199"
}

source "$(dirname "$0")/sdl_check.sh"
expect_sdl_resolved "$TANDREL" || exit 1
unused=$(free_display_number) || exit 1
expect_refusal ":$unused" "a display with no server"
expect_refusal "not-a-display" "a malformed display name"

# A server that lets in only clients holding its cookie.
cookie=$(mcookie)
xauth -q -f "$DIR/server.auth" add :0 . "$cookie" 2>/dev/null
Xvfb -displayfd 3 -auth "$DIR/server.auth" -nolisten tcp -screen 0 640x480x24 3>"$DIR/number" 2>/dev/null &
SERVER_PID=$!
for _ in $(seq 100); do
  [ -s "$DIR/number" ] && break
  kill -0 "$SERVER_PID" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
number=$(cat "$DIR/number") && [ -n "$number" ] || fail "Xvfb gave no display number within 10 s"
xauth -q -f "$DIR/client.auth" add ":$number" . "$cookie" 2>/dev/null
DISPLAY=":$number" XAUTHORITY="$DIR/client.auth" xdotool getdisplaygeometry >/dev/null 2>&1 ||
  fail "the server does not let in a client holding its cookie"
MAX_OTHER_LINES=1 expect_refusal ":$number" "a server refusing the connection" XAUTHORITY=/dev/null

echo "display: no server, malformed name, refusing server: status 1 and '$(tail -n1 "$DIR/stderr")'"
