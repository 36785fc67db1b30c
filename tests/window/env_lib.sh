# shellcheck shell=bash
# Helpers of the env_*_test.sh scripts, sourced after lib.sh. The games they start are recorded
# (start_game --record "$RECORD"), so that what the program did can be read from outside.

RECORD="$WORK/game.replay"

# Number of lines of file $1 starting with $2 (0 when there is no file yet).
count_lines() {
  local n
  n=$(grep -c "^$2" "$1" 2>/dev/null || true)
  echo "${n:-0}"
}

# Waits up to $3 seconds for file $1 to hold at least $4 lines starting with $2.
wait_for_lines() {
  local file=$1 prefix=$2 seconds=$3 count=${4:-1}
  for _ in $(seq $(( seconds * 10 ))); do
    [ "$(count_lines "$file" "$prefix")" -ge "$count" ] && return 0
    sleep 0.1
  done
  return 1
}

# Starts the program, recorded, after running the mount command $2 on directory $1 (its "$0") in a
# user and mount namespace of its own; with $3 = inside, the program runs in that directory.
start_in_mounted() {
  local then='exec "$@"'
  [ "${3:-}" = inside ] && then='cd "$0" && exec "$@"'
  TANDREL_LAUNCH=(unshare --map-root-user --mount --propagation private sh -c "$2 && $then" "$1")
  start_game --record "$RECORD"
  TANDREL_LAUNCH=()
}

# Starts a game from the menu: Return, again if a focus event at start-up swallowed it.
begin_game() {
  for _ in $(seq 10); do
    key Return
    wait_for_lines "$RECORD" "seed " 1 && return 0
  done
  fail "Return on the menu started no recorded game"
}

# Both paws move a little, and the moves reach the game: a game is running and takes input.
play_a_little() {
  local before
  before=$(count_lines "$RECORD" "event ")
  hold a 0.3
  hold Right 0.3
  wait_for_lines "$RECORD" "event " 10 $(( before + 4 )) || fail "the moves were not recorded"
}

# Escape leaves the game (its recording ends), Escape again quits; the exit status must be 0.
leave_and_quit() {
  key Escape
  wait_for_lines "$RECORD" "end " 10 || fail "Escape in the game did not end it"
  key Escape
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "exit status $STATUS"
}

# A whole short run: start, play a little, leave the game, quit with status 0.
play_and_quit() {
  rm -f "$RECORD"
  start_game --record "$RECORD"
  begin_game
  play_a_little
  leave_and_quit
}
