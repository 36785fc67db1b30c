#!/usr/bin/env bash
# Headless net games over loopback, then through udp_relay on 127.0.0.1 (a bad link without root
# or netem): a 100 ms round trip (50 ms each way, give or take 5 ms) with 5 % loss each way, then a
# 200 ms round trip (100 ms each way, give or take 5 ms) with 5 % loss, three games each with the
# relay's seeds 1 to 3. Where network namespaces and netem can be had (root), also over a veth
# link of 50 ms each way, then with 5 % loss too, ten games. Prints each side's figures (the
# delay, the measured round trip, the ticks that waited, the longest wait, bytes per second each
# way), what the relay forwarded and dropped each way, and the game-over lines; asserts nothing.
#   bash bench/net_bench.sh build/tandrel [GAME]    (GAME: a recording in tests/data/replays)
# The relay is looked for beside the program's build (tests/net/udp_relay or bench/udp_relay), or
# given as UDP_RELAY. NETCODES="lockstep rollback" plays every case with the host's --netcode
# each in turn; unset, the program chooses.
set -uo pipefail
tandrel=$(realpath "${1:?usage: bash bench/net_bench.sh build/tandrel [GAME]}")
replays=$(cd "$(dirname "$0")/../tests/data/replays" && pwd)
script=$replays/${2:-01_chase}.replay
build=$(dirname "$tandrel")
relay=${UDP_RELAY:-}
for candidate in "$build/tests/net/udp_relay" "$build/bench/udp_relay"; do
  [ -z "$relay" ] && [ -x "$candidate" ] && relay=$candidate
done
work=$(mktemp -d)
host_ns=tandrel-bench-host-$$ guest_ns=tandrel-bench-guest-$$
trap 'ip netns del "$host_ns" 2>/dev/null; ip netns del "$guest_ns" 2>/dev/null; rm -rf "$work"' EXIT
port=26190
read -ra netcodes <<<"${NETCODES:-default}"
netcode_options=()  # the host's: it chooses the netcode

# One game: its host and guest figures and lines. The guest joins JOIN (ADDRESS:PORT), the host
# waits on ADDRESS:$port.
game() {
  local address=$1 join=$2
  ${host_prefix[@]+"${host_prefix[@]}"} timeout 300 "$tandrel" --host "$address:$port" \
    ${netcode_options[@]+"${netcode_options[@]}"} \
    --headless --script "$script" --stats >"$work/host.out" 2>"$work/host.err" &
  local host=$!
  sleep 0.5
  ${guest_prefix[@]+"${guest_prefix[@]}"} timeout 300 "$tandrel" --join "$join" \
    --headless --script "$script" --stats >"$work/guest.out" 2>"$work/guest.err"
  wait "$host"
  sed 's/^tandrel: \(net: \)\{0,1\}/  host:  /' "$work/host.err"
  sed 's/^tandrel: \(net: \)\{0,1\}/  guest: /' "$work/guest.err"
  echo "  lines: $(cat "$work/host.out") | $(cat "$work/guest.out")"
}

# One game through the relay: relayed ONE-WAY-MS JITTER-MS LOSS-PERCENT SEED.
relayed() {
  timeout 330 "$relay" --listen $((port + 1)) --to "$port" --delay "$1" --jitter "$2" --loss "$3" --seed "$4" \
    --seconds 320 >"$work/relay.out" 2>&1 &
  local pid=$! n
  for ((n = 0; n < 50; n++)); do
    [ -s "$work/relay.out" ] && break
    sleep 0.1
  done
  game 127.0.0.1 "127.0.0.1:$((port + 1))"
  kill "$pid"
  wait "$pid"
  echo "  relay: $(tail -n1 "$work/relay.out" | sed 's/^udp_relay: //')"
}

for netcode in "${netcodes[@]}"; do
  netcode_options=() label=""
  [ "$netcode" = default ] || netcode_options=(--netcode "$netcode") label=", --netcode $netcode"
  host_prefix=() guest_prefix=()
  echo "== loopback$label"
  game 127.0.0.1 "127.0.0.1:$port"
  if [ -z "$relay" ]; then
    echo "== relay: skipped (no udp_relay: build with -DTANDREL_TESTS=ON or -DTANDREL_BENCH=ON, or set UDP_RELAY)"
    continue
  fi
  for seed in 1 2 3; do
    echo "== relay: 100 ms round trip (50 +- 5 ms each way), 5 % loss each way, seed $seed$label"
    relayed 50 5 5 "$seed"
  done
  for seed in 1 2 3; do
    echo "== relay: 200 ms round trip (100 +- 5 ms each way), 5 % loss each way, seed $seed$label"
    relayed 100 5 5 "$seed"
  done
done

if ! ip netns add "$host_ns" 2>/dev/null; then
  echo "== netem: skipped (network namespaces need root)"
  exit 0
fi
ip netns add "$guest_ns"
ip link add veth-h netns "$host_ns" type veth peer name veth-g netns "$guest_ns"
ip -n "$host_ns" addr add 10.232.0.1/24 dev veth-h
ip -n "$guest_ns" addr add 10.232.0.2/24 dev veth-g
ip -n "$host_ns" link set veth-h up
ip -n "$guest_ns" link set veth-g up
host_prefix=(ip netns exec "$host_ns") guest_prefix=(ip netns exec "$guest_ns")
shape() {
  ip netns exec "$host_ns" tc qdisc replace dev veth-h root netem "$@" &&
    ip netns exec "$guest_ns" tc qdisc replace dev veth-g root netem "$@"
}
if ! shape delay 50ms 2>/dev/null; then
  echo "== netem: skipped (no netem in this kernel: sch_netem)"
  exit 0
fi
for netcode in "${netcodes[@]}"; do
  netcode_options=() label=""
  [ "$netcode" = default ] || netcode_options=(--netcode "$netcode") label=", --netcode $netcode"
  shape delay 50ms
  echo "== netem: 100 ms round trip$label"
  game 10.232.0.1 "10.232.0.1:$port"
  shape delay 50ms loss 5%
  for i in $(seq 10); do
    echo "== netem: 100 ms round trip, 5 % loss, game $i of 10$label"
    game 10.232.0.1 "10.232.0.1:$port"
  done
done
