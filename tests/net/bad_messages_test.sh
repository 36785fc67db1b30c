#!/usr/bin/env bash
# A host refuses each bad message of a test peer with its line and goes on serving: the real
# guest that joins last plays the game to its recording's line, and a second player is turned away
# meanwhile. The longest message the host accepts passes; packets far longer, and fragments that
# declare more fragments than their packet has bytes, are refused unread, the host's peak memory
# hardly moving. The game a refused peer voided is the host's recording, ended where it was left.
#   bash bad_messages_test.sh TANDREL SOURCE_DIR BAD_PEER
source "$(dirname "$0")/lib.sh"
BAD_PEER=$1
game=02_chase

side host "$game" --host "127.0.0.1:$PORT" --delay 2
sleep 0.5
# CASE and the end of the host's line that refuses it.
cases=("version:the other side runs protocol 3, this side 2"
       "short:bad message (short)"
       "ahead:bad message (tick 100001 beyond the window)"
       "player:bad message (inputs for player 1)"
       "button:bad message (button 9)"
       "flood:bad message (1000 events in tick 0)"
       "largest:bad message (acknowledges tick 1000000 never sent)")
for entry in "${cases[@]}"; do
  which=${entry%%:*} line="tandrel: 127.0.0.1: ${entry#*:}"
  "$BAD_PEER" "$PORT" "$which" >>peer.err 2>&1 || fail "$(tail -n1 peer.err)"
  grep -qxF "$line" host.err || fail "no line '$line' from the host for $which"
done
# Two 30 MB packets, and datagrams of fragments that each declare a 1-byte packet in 1M fragments
# (an ENet that believed them would hold a 128 KB bitmap for each): a host that took them in would
# hold megabytes, its peak memory (VmHWM) showing it. Each is followed by an event of type 9, the
# host's line for it counted. The real program runs under timeout(1), the pid that side() keeps.
host_program=$(ps -o pid= --ppid "$host_pid" | tr -d ' ')
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$host_program/status"; }
peaks=""
hostile() {
  local which=$1 lines=$2 before after status=0
  before=$(peak_kb)
  "$BAD_PEER" "$PORT" "$which" >>peer.err 2>&1 || status=$?
  after=$(peak_kb)
  [ $((after - before)) -lt 4096 ] ||
    fail "the host's peak memory grew from $before kB to $after kB with the $which case"
  [ "$status" = 0 ] || fail "$(tail -n1 peer.err)"
  [ "$(grep -cxF "tandrel: 127.0.0.1: bad message (event type 9)" host.err)" = "$lines" ] ||
    fail "no line 'bad message (event type 9)' from the host after the $which case"
  peaks+=", $which $before kB then $after kB"
}
hostile oversized 1
hostile fragments 2
side guest "$game" --join "127.0.0.1:$PORT"
# A second player while the guest plays is turned away, and the game goes on.
sleep 3
"$BAD_PEER" "$PORT" second >>peer.err 2>&1 || fail "$(tail -n1 peer.err)"
grep -q '^tandrel: 127.0.0.1: turned away: a player is connected already$' host.err || fail "the host did not say it turned a second player away"
expect_line_of host "$game"
expect_line_of guest "$game"
# The host's recording holds the first game it started, which a refused peer voided: one game,
# ended with its end line, that replays to where it was left; no later game is written into it.
[ "$(grep -c '^seed ' "$WORK/host.replay")" = 1 ] && tail -n1 "$WORK/host.replay" | grep -q '^end [0-9][0-9]*$' ||
  fail "the host's recording is not the one voided game, ended: $(grep -c '^event ' "$WORK/host.replay") events, last line '$(tail -n1 "$WORK/host.replay")'"
"$TANDREL" --replay "$WORK/host.replay" --headless >"$WORK/voided.out" 2>&1 || fail "the voided game's recording does not replay: $(cat "$WORK/voided.out")"
grep -q '^left: ' "$WORK/voided.out" || fail "the voided game's recording replays to '$(cat "$WORK/voided.out")'"
echo "bad messages: ${#cases[@]} refused each with its line; oversized packets and bogus fragments refused, the host's peak memory${peaks}; the host then played its game to the recording's line, turning a second player away"
