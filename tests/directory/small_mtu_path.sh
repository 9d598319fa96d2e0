#!/usr/bin/env bash
# small_mtu_path.sh CORVANE-SEARCH DIRECTORY-SERVER - corvane-search across a real network path of
# small packets: two private network namespaces joined by a veth pair with an MTU of 1400 bytes
# (segmentation offloads off), the server's side limited in rate by a token bucket, so that the
# server's bytes arrive in packets of at most 1400 bytes at the pace of the limit. slapd runs in
# one namespace (ldaps:// and StartTLS, 3000 people each), corvane-search in the other; every
# search must end well and bring every entry. Nothing listens outside the two namespaces, which
# are removed on every way out.
# Needs root and network namespaces: where they are not allowed, it says why and exits 77 (skipped).
set -euo pipefail
cli=$1
server=$2
runs=3
people=3000
base="dc=corvane,dc=test"
server_address=192.0.2.1 # a documentation address, private to the two namespaces
client_address=192.0.2.2

skip() {
  echo "skipped: $*"
  exit 77
}
[ "$(id -u)" -eq 0 ] || skip "making network namespaces needs root"
command -v ip >/dev/null || skip "ip (iproute2) is not installed"
command -v tc >/dev/null || skip "tc (iproute2) is not installed"

server_ns=corvane-server-$$
client_ns=corvane-client-$$
work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-small-mtu.XXXXXX")
cleanup() {
  local folder
  for folder in "$work/ldaps" "$work/starttls"; do
    if [ -d "$folder" ]; then "$server" stop "$folder" >/dev/null 2>&1 || true; fi
  done
  ip netns delete "$server_ns" 2>/dev/null || true
  ip netns delete "$client_ns" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if ! reason=$(ip netns add "$server_ns" 2>&1); then
  skip "network namespaces are not allowed here: $reason"
fi
ip netns add "$client_ns"
if ! reason=$(ip -n "$server_ns" link add veth0 type veth peer name veth1 netns "$client_ns" 2>&1); then
  skip "a veth pair cannot be made here: $reason"
fi
# Both ends: MTU 1400, no segmentation or receive offloads (which would hand TCP larger pieces than
# a packet), and the namespace's loopback up.
for side in "$server_ns veth0 $server_address" "$client_ns veth1 $client_address"; do
  read -r ns device address <<<"$side"
  ip -n "$ns" addr add "$address/24" dev "$device"
  ip -n "$ns" link set dev "$device" mtu 1400 up
  ip -n "$ns" link set dev lo up
  if command -v ethtool >/dev/null; then
    ip netns exec "$ns" ethtool -K "$device" tso off gso off gro off >/dev/null 2>&1 || true
  fi
done
# 20 Mbit/s with a small bucket: the answer leaves in paced packets, not in one burst.
if ! reason=$(ip netns exec "$server_ns" tc qdisc add dev veth0 root tbf rate 20mbit burst 8kb latency 50ms 2>&1); then
  skip "the token bucket filter cannot be set up here: $reason"
fi

failures=0
search() {
  local name=$1 ca=$2
  shift 2
  local run status entries
  for ((run = 1; run <= runs; run++)); do
    status=0
    ip netns exec "$client_ns" env LDAPTLS_CACERT="$ca" "$cli" "$@" -b "$base" -z "$people" \
      --search-attribute uid -r cn '*' >"$work/out" 2>"$work/err" || status=$?
    entries=$(grep -c $'\r$' "$work/out" || true)
    if [ "$status" -ne 0 ] || [ "$entries" -ne "$people" ]; then
      echo "FAILED: $name, run $run: exit status $status, $entries of $people entries: $(cat "$work/err")"
      failures=$((failures + 1))
    fi
  done
  echo "$name: $runs searches of $people entries across the small-MTU path"
}

for config in tls starttls; do
  folder="$work/ldaps"
  [ "$config" = starttls ] && folder="$work/starttls"
  port=$(ip netns exec "$server_ns" "$server" start "$folder" --config "$config" --data large --listen "$server_address")
  if [ "$config" = tls ]; then
    search "ldaps://" "$folder/tls/ca.pem" -H "ldaps://$server_address:$port"
  else
    search "StartTLS (-ZZ)" "$folder/tls/ca.pem" -H "ldap://$server_address:$port" -ZZ
  fi
done

[ "$failures" -eq 0 ] || exit 1
echo "every search across the small-MTU path brought every entry"
