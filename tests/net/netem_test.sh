#!/usr/bin/env bash
# The same games over a bad link: two network namespaces of the test's own joined by a veth pair,
# 50 ms each way with 10 ms of jitter, then also 5 % loss. Needs root and iproute2.
#   bash netem_test.sh TANDREL SOURCE_DIR
source "$(dirname "$0")/lib.sh"

[ "$(id -u)" = 0 ] || skip "network namespaces need root"
command -v ip >/dev/null && command -v tc >/dev/null || skip "ip and tc (iproute2) are missing"
host_ns=tandrel-host-$$ guest_ns=tandrel-guest-$$
ip netns add "$host_ns" 2>/dev/null || skip "cannot make a network namespace here"
cleanup_steps+=("ip netns del $host_ns")
ip netns add "$guest_ns"
cleanup_steps+=("ip netns del $guest_ns")
ip link add veth-h netns "$host_ns" type veth peer name veth-g netns "$guest_ns" ||
  skip "cannot make a veth pair here"
ip -n "$host_ns" addr add 10.231.0.1/24 dev veth-h
ip -n "$guest_ns" addr add 10.231.0.2/24 dev veth-g
for ns in "$host_ns" "$guest_ns"; do
  ip -n "$ns" link set lo up
done
ip -n "$host_ns" link set veth-h up
ip -n "$guest_ns" link set veth-g up

# netem on each end delays what leaves it: 50 ms each way.
shape() {
  ip netns exec "$host_ns" tc qdisc replace dev veth-h root netem "$@" ||
    skip "netem is not available here (kernel module sch_netem)"
  ip netns exec "$guest_ns" tc qdisc replace dev veth-g root netem "$@"
}

HOST_PREFIX=(ip netns exec "$host_ns")
GUEST_PREFIX=(ip netns exec "$guest_ns")
shape delay 50ms 10ms
HOST_ADDRESS=10.231.0.1 JOIN_ADDRESS=10.231.0.1 play_games
echo "netem: 50 ms each way, 10 ms jitter: ${GAMES[*]} played to their lines"
shape delay 50ms 10ms loss 5%
HOST_ADDRESS=10.231.0.1 JOIN_ADDRESS=10.231.0.1 play_games
echo "netem: and 5 % loss: ${GAMES[*]} played to their lines"
