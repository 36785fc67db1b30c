# Helpers for the tests that play net games between two headless instances of the program.
# Each test script sources this file with: TANDREL SOURCE_DIR as its arguments.
set -euo pipefail

TANDREL=$1
SOURCE_DIR=$2
shift 2
REPLAYS=$SOURCE_DIR/tests/data/replays
# One recorded game of each catalogue entry.
GAMES=(01_chase 21_yarnball_rally)
# Longer than the longest of them, played in real time, with room for a loaded machine.
GAME_SECONDS=90

WORK=$(mktemp -d)
cleanup_steps=()
cleanup() {
  local step
  for step in "${cleanup_steps[@]}"; do eval "$step" || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
cd "$WORK"
# Ports of our own (PORT to PORT + 3), so that tests running at once do not meet.
PORT=$((27000 + $$ % 500 * 4))

fail() {
  echo "FAIL: $*" >&2
  local f
  for f in "$WORK"/*.err; do [ -s "$f" ] && sed "s|^|  $(basename "$f"): |" "$f" >&2; done
  exit 1
}

skip() {
  echo "SKIP: $*"
  exit 77
}

# The line the recording's own headless replay prints.
expected_line() { "$TANDREL" --headless --replay "$REPLAYS/$1.replay"; }

# The netcodes a test plays each game with, from NETCODES ("lockstep rollback"); "default" passes
# no --netcode, leaving the choice to the program.
read -ra NETCODE_LIST <<<"${NETCODES:-default}"
# Options every side gets, and those only a host gets: the host chooses the netcode.
SIDE_OPTIONS=() HOST_OPTIONS=()
netcode_options() {
  HOST_OPTIONS=()
  [ "$1" = default ] || HOST_OPTIONS=(--netcode "$1")
}

# Starts a side: side NAME GAME ADDRESS-OPTION... ; its pid in the variable NAME_pid. PREFIX, an
# array, goes before the program (ip netns exec ...).
side() {
  local name=$1 game=$2 own=()
  shift 2
  [ "$1" = --host ] && own=(${HOST_OPTIONS[@]+"${HOST_OPTIONS[@]}"})
  ${PREFIX[@]+"${PREFIX[@]}"} timeout "$GAME_SECONDS" "$TANDREL" "$@" ${SIDE_OPTIONS[@]+"${SIDE_OPTIONS[@]}"} \
    ${own[@]+"${own[@]}"} --headless --script "$REPLAYS/$game.replay" --record "$WORK/$name.replay" \
    >"$WORK/$name.out" 2>"$WORK/$name.err" &
  printf -v "${name}_pid" '%s' "$!"
}

# Waits for a side and checks that it printed the recording's own line and ended with status 0.
expect_line_of() {
  local name=$1 game=$2 pid_var=${1}_pid status=0
  wait "${!pid_var}" || status=$?
  [ "$status" = 0 ] || fail "$name of $game ended with status $status"
  [ "$(cat "$WORK/$name.out")" = "$(expected_line "$game")" ] ||
    fail "$name of $game printed '$(cat "$WORK/$name.out")', its recording's replay '$(expected_line "$game")'"
}

# Plays each game between a host and a guest, all at once: HOST_ADDRESS and JOIN_ADDRESS say
# where, and the guest of game i joins port PORT + JOIN_OFFSET + i (JOIN_OFFSET 0 unless set: a
# relay's port); HOST_PREFIX and GUEST_PREFIX (arrays) what runs each side. Both must print the
# recording's own line, and record the same file.
play_games() {
  local game i=0
  for game in "${GAMES[@]}"; do
    PREFIX=(${HOST_PREFIX[@]+"${HOST_PREFIX[@]}"})
    side "host_$game" "$game" --host "$HOST_ADDRESS:$((PORT + i))"
    i=$((i + 1))
  done
  sleep 0.5
  i=0
  for game in "${GAMES[@]}"; do
    PREFIX=(${GUEST_PREFIX[@]+"${GUEST_PREFIX[@]}"})
    side "guest_$game" "$game" --join "$JOIN_ADDRESS:$((PORT + ${JOIN_OFFSET:-0} + i))"
    i=$((i + 1))
  done
  PREFIX=()
  for game in "${GAMES[@]}"; do
    expect_line_of "host_$game" "$game"
    expect_line_of "guest_$game" "$game"
    cmp -s "$WORK/host_$game.replay" "$WORK/guest_$game.replay" || fail "the two recordings of $game differ"
    [ "$("$TANDREL" --headless --replay "$WORK/host_$game.replay")" = "$(expected_line "$game")" ] ||
      fail "the net game's recording of $game replays to another line"
  done
}
