# Helpers for the tests that run the real program in a real window under Xvfb.
# Each test script sources this file with: TANDREL PROBE SOURCE_DIR as its arguments.
set -euo pipefail

TANDREL=$1
PROBE=$2
SOURCE_DIR=$3
shift 3

# Re-run the calling script inside its own X server (-noreset: SDL connects twice), of the
# screen TANDREL_XVFB_SCREEN where a test asks for another.
if [ -z "${TANDREL_IN_XVFB:-}" ]; then
  export TANDREL_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 ${TANDREL_XVFB_SCREEN:-1024x768x24} -noreset" bash "$0" "$TANDREL" "$PROBE" "$SOURCE_DIR" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/sdl_check.sh"
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# How long a loaded machine may take to show a window or a picture asked for, and how long a key
# that should have shown something is waited for before it is pressed again.
window_seconds=60
repress_seconds=10

WORK=$(mktemp -d)
trap 'stop_game; [ -n "${TANDREL_KEEP_SHOTS:-}" ] && cp "$WORK"/screen*.png "$TANDREL_KEEP_SHOTS"/ 2>/dev/null; rm -rf "$WORK"' EXIT
# The settings, scores and key file the program reads and writes are the test's own, never the
# home's of whoever runs it.
export XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state
# The program looks for dat/samples in the working directory first.
[ "${LINK_DAT:-1}" = 1 ] && ln -s "$SOURCE_DIR/dat" "$WORK/dat"
cd "$WORK"
GAME_PID=

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/stderr" ] && sed 's/^/  game stderr: /' "$WORK/stderr" >&2
  exit 1
}

# TANDREL_LAUNCH, an array the test may set: a command that start_game puts before the program
# (it must end by exec'ing it, so that GAME_PID stays the program's).
start_game() {
  ${TANDREL_LAUNCH[@]+"${TANDREL_LAUNCH[@]}"} "$TANDREL" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
  GAME_PID=$!
  find_window
  expect_sdl_in_process "$GAME_PID" || fail "not the SDL library of this pass"
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
}

# Sets WINDOW to the program's window on screen. A library may replace the window it opened first
# (a new video mode), so a test that finds the id gone asks again.
find_window() {
  local start=$SECONDS id
  until id=$(xdotool search --onlyvisible --name '^tandrel$' 2>/dev/null | tail -n1) && [ -n "$id" ]; do
    ((SECONDS - start < window_seconds)) || fail "no window on screen within $window_seconds s"
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.2
  done
  WINDOW=$id
}

# Runs xdotool command $1 with --window and the rest of the arguments, finding the window again
# when the one known is gone.
to_window() {
  local command=$1 attempt
  shift
  for attempt in 1 2 3 4 5; do
    xdotool "$command" --window "$WINDOW" "$@" 2>/dev/null && return 0
    sleep 0.2
    find_window
  done
  fail "xdotool $command $* failed $attempt times"
}

stop_game() {
  if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
}

key() { to_window key "$@"; }

# Holds a key for a number of seconds.
hold() {
  to_window keydown "$1"
  sleep "$2"
  to_window keyup "$1"
}

# Presses print-screen and waits for the numbered file, pressing again if the window the key went
# to was replaced before it took the key, or if no picture came for a long while (a key that
# arrives with a loss of focus is not taken).
screenshot() {
  local file="screen$1.png" start=$SECONDS pressed sent_to
  key Print
  pressed=$SECONDS sent_to=$WINDOW
  until [ -s "$file" ]; do
    ((SECONDS - start < window_seconds)) || fail "no $file within $window_seconds s of print-screen"
    sleep 0.1
    find_window
    if [ "$WINDOW" != "$sent_to" ] || ((SECONDS - pressed >= repress_seconds)); then
      key Print
      pressed=$SECONDS sent_to=$WINDOW
    fi
  done
  # The picture is written in place: a moment for the writer to finish it.
  sleep 0.3
  echo "$WORK/$file"
}

# Waits for the picture file $1 that a press already asked for.
screenshot_saved() {
  local start=$SECONDS
  until [ -s "$1" ]; do
    ((SECONDS - start < window_seconds)) || fail "no $1 within $window_seconds s"
    sleep 0.1
  done
}

# Pictures are numbered from 0 in each run (a test that keeps files between runs counts itself);
# SHOT is the newest.
SHOTS=0
next_shot() {
  SHOT=$(screenshot "$SHOTS")
  SHOTS=$((SHOTS + 1))
}

# Takes pictures until the check given (a command, run with the picture's path) holds, for at most
# $1 seconds, failing with message $2: a busy machine can take longer than any fixed wait to show
# what a key asked for.
shoot_until() {
  local seconds=$1 message=$2 start=$SECONDS
  shift 2
  next_shot
  until "$@" "$SHOT"; do
    ((SECONDS - start < seconds)) || fail "$message"
    next_shot
  done
}

# Holds a key down until shoot_until's check holds, then lets it go.
hold_until() {
  local held=$1
  shift
  to_window keydown "$held"
  shoot_until "$@"
  to_window keyup "$held"
}

# Starts a game from the menu once the menu shows: Return, again while the title stays (a key
# that arrives with a loss of focus is not taken; Return in a game does nothing).
start_from_menu() {
  local start=$SECONDS pressed
  shoot_until "$window_seconds" "no menu before Return" title_shown
  key Return
  pressed=$SECONDS
  next_shot
  until title_gone "$SHOT"; do
    ((SECONDS - start < window_seconds)) || fail "Return on the menu started no game"
    ((SECONDS - pressed < repress_seconds)) || { key Return; pressed=$SECONDS; }
    next_shot
  done
}

# What the pictures of the cat game show. The title is bright on the menu only; the left paw
# starts centred on cell (50, 52), 16 cells wide.
title_shown() { [ "$("$PROBE" region "$1" 300 10 724 90)" -ge 200 ]; }
title_gone() { ! title_shown "$1"; }
left_paw_far_left() { [ "$("$PROBE" paw "$1" 8 44 30 60)" -ge 300 ]; }

# Waits up to $1 seconds for the game-over line on the program's standard output and prints it;
# fails with message $2 if none comes.
game_over_line() {
  local start=$SECONDS
  until grep -m1 "^game over:" "$WORK/stdout"; do
    ((SECONDS - start < $1)) || fail "$2"
    sleep 0.2
  done
}

# Waits up to $1 seconds for the game to end and sets STATUS to its exit status.
wait_exit() {
  for _ in $(seq $(( $1 * 10 ))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      STATUS=0
      wait "$GAME_PID" || STATUS=$?
      GAME_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the game did not end within $1 s"
}
