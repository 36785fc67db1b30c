#!/usr/bin/env bash
# A guest stopped for 3 s mid-game and let go on: the game waits and ends as recorded. A guest
# killed: the host says so within 12 s, and its recording so far replays.
#   bash stopped_peer_test.sh TANDREL SOURCE_DIR
source "$(dirname "$0")/lib.sh"
game=01_chase

side host "$game" --host "127.0.0.1:$PORT"
sleep 0.5
side guest "$game" --join "127.0.0.1:$PORT"
sleep 3
# timeout's child is the program.
guest_program=$(pgrep -P "$guest_pid") || fail "the guest is not running"
kill -STOP "$guest_program"
sleep 3
kill -CONT "$guest_program"
expect_line_of host "$game"
expect_line_of guest "$game"
echo "stopped: the guest stopped for 3 s, both ended with the recording's line"

side host "$game" --host "127.0.0.1:$PORT"
sleep 0.5
side guest "$game" --join "127.0.0.1:$PORT"
sleep 3
guest_program=$(pgrep -P "$guest_pid") || fail "the guest is not running"
kill -9 "$guest_program"
for ((i = 0; i < 120; i++)); do
  kill -0 "$host_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$host_pid" 2>/dev/null && fail "the host still plays 12 s after its guest was killed"
status=0
wait "$host_pid" || status=$?
[ "$status" = 1 ] || fail "the host ended with status $status"
grep -q "^tandrel: 127.0.0.1: no word from the other side for 10 s$" host.err || fail "the host did not say why it ended"
grep -q "^left: seed " host.out || fail "the host printed no left line"
left_tick=$(sed -n 's/^left: .* tick \([0-9]*\)$/\1/p' host.out)
[ "$(tail -n1 host.replay)" = "end $left_tick" ] || fail "the host's recording does not end where it stopped"
[ "$("$TANDREL" --headless --replay host.replay)" = "$(cat host.out)" ] || fail "the host's recording replays to another line"
echo "killed: the host ended within 12 s with its message; its recording replays to its left line"
