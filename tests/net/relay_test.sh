#!/usr/bin/env bash
# The same games over a bad link without root or netem: each guest joins through udp_relay on
# 127.0.0.1, 50 ms each way with 10 ms of jitter (datagrams overtake one another) and 5 % loss each
# way. Both sides print the recording's own line and record the same file; and the relay did its
# part: both sides measured a round trip of at least 80 ms, and it dropped datagrams each way.
#   bash relay_test.sh TANDREL SOURCE_DIR UDP_RELAY
source "$(dirname "$0")/lib.sh"
RELAY=$1
# The hosts take PORT and PORT + 1, the relays PORT + 2 and PORT + 3.
JOIN_OFFSET=2
relay_pids=()
stop_relays() {
  local pid
  for pid in ${relay_pids[@]+"${relay_pids[@]}"}; do kill "$pid" 2>/dev/null; done
  for pid in ${relay_pids[@]+"${relay_pids[@]}"}; do wait "$pid" || true; done
  relay_pids=()
}
cleanup_steps+=(stop_relays)

# A relay in front of each game's host, ready when it has said so.
start_relays() {
  local i n
  for ((i = 0; i < ${#GAMES[@]}; i++)); do
    timeout $((GAME_SECONDS + 30)) "$RELAY" --listen $((PORT + JOIN_OFFSET + i)) --to $((PORT + i)) \
      --delay 50 --jitter 10 --loss 5 --seed $((i + 1)) --seconds $((GAME_SECONDS + 20)) >"relay_$i.out" 2>"relay_$i.err" &
    relay_pids+=("$!")
  done
  for ((i = 0; i < ${#GAMES[@]}; i++)); do
    for ((n = 0; n < 50; n++)); do
      [ -s "relay_$i.out" ] && break
      sleep 0.1
    done
    [ -s "relay_$i.out" ] || fail "relay $i did not start"
  done
}

# The relays' summary lines: forwarded and dropped, each way.
check_relays() {
  local i line fields to_host host_dropped to_guest guest_dropped
  stop_relays
  for ((i = 0; i < ${#GAMES[@]}; i++)); do
    line=$(tail -n1 "relay_$i.out")
    fields=$(sed -n 's/.*to the host \([0-9]*\) forwarded ([0-9]* B), \([0-9]*\) dropped; to the guest \([0-9]*\) forwarded ([0-9]* B), \([0-9]*\) dropped$/\1 \2 \3 \4/p' <<<"$line")
    [ -n "$fields" ] || fail "relay $i ended without its summary: '$line'"
    read -r to_host host_dropped to_guest guest_dropped <<<"$fields"
    ((to_host > 0 && to_guest > 0 && host_dropped > 0 && guest_dropped > 0)) ||
      fail "relay $i forwarded or dropped nothing one way: $line"
    echo "  ${GAMES[i]}: $line"
  done
}

# Each side's measured round trip, from its --stats line.
check_round_trips() {
  local game name ms said
  for game in "${GAMES[@]}"; do
    said="  $game: round trip"
    for name in host guest; do
      ms=$(sed -n 's/^tandrel: net: .*round trip \([0-9]*\) ms.*/\1/p' "${name}_$game.err")
      [ -n "$ms" ] || fail "${name}_$game printed no round trip"
      ((ms >= 80)) || fail "${name}_$game measured a round trip of $ms ms through a relay of 40 ms each way at the least"
      said+=" $name $ms ms"
    done
    echo "$said"
  done
}

for netcode in "${NETCODE_LIST[@]}"; do
  netcode_options "$netcode"
  SIDE_OPTIONS=(--stats)
  start_relays
  HOST_ADDRESS=127.0.0.1 JOIN_ADDRESS=127.0.0.1 play_games
  echo "relay ($netcode): 50 ms each way, 10 ms jitter, 5 % loss: ${GAMES[*]} played to their lines"
  check_round_trips
  check_relays
done
