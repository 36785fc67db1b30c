#!/usr/bin/env bash
# Headless net games over loopback and, where network namespaces and netem can be had (root),
# over a link of 50 ms each way (a 100 ms round trip), then with 5 % loss too, ten games. Prints
# each side's figures (the delay, the ticks that waited, the longest wait, bytes per second each
# way) and the game-over lines; asserts nothing.
#   bash bench/net_bench.sh build/tandrel [GAME]    (GAME: a recording in tests/data/replays)
set -uo pipefail
tandrel=$(realpath "${1:?usage: bash bench/net_bench.sh build/tandrel [GAME]}")
replays=$(cd "$(dirname "$0")/../tests/data/replays" && pwd)
script=$replays/${2:-01_chase}.replay
work=$(mktemp -d)
host_ns=tandrel-bench-host-$$ guest_ns=tandrel-bench-guest-$$
trap 'ip netns del "$host_ns" 2>/dev/null; ip netns del "$guest_ns" 2>/dev/null; rm -rf "$work"' EXIT
port=26190

# One game: its host and guest figures and lines.
game() {
  local address=$1
  ${host_prefix[@]+"${host_prefix[@]}"} timeout 300 "$tandrel" --host "$address:$port" --headless --script "$script" --stats \
    >"$work/host.out" 2>"$work/host.err" &
  local host=$!
  sleep 0.5
  ${guest_prefix[@]+"${guest_prefix[@]}"} timeout 300 "$tandrel" --join "$address:$port" --headless --script "$script" --stats \
    >"$work/guest.out" 2>"$work/guest.err"
  wait "$host"
  sed 's/^tandrel: net: /  host:  /' "$work/host.err"
  sed 's/^tandrel: net: /  guest: /' "$work/guest.err"
  echo "  lines: $(cat "$work/host.out") | $(cat "$work/guest.out")"
}

echo "== loopback"
host_prefix=() guest_prefix=()
game 127.0.0.1

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
echo "== 100 ms round trip"
game 10.232.0.1
shape delay 50ms loss 5%
for i in $(seq 10); do
  echo "== 100 ms round trip, 5 % loss, game $i of 10"
  game 10.232.0.1
done
