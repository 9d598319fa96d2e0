#!/usr/bin/env bash
# relay_path.sh - corvane-search against ldapsearch across a network path: each private directory
# is reached through corvane-relay, which hands the server's bytes over in pieces of 1400 bytes,
# 1 ms apart, as a real network does. Runs alternate between the programs; prints each median and
# the ratio corvane-search/ldapsearch against its goal:
#   ldaps:// with 3,000 entries                                     goal: at most 1.0
#   plain ldap:// with 3,000 entries                                goal: at most 1.0
#   100,000 entries, -z 100000 against ldapsearch -E pr=1000/noprompt  goal: at most 0.8
#
#   bench/relay_path.sh [--runs N] [--relay CORVANE-RELAY] [--only ldaps|plain|paged] [CORVANE-SEARCH...]
#
# Several CORVANE-SEARCH programs (two builds, say) are timed in the same alternation, each against
# ldapsearch. Defaults: build/release/src/cli/corvane-search, 5 runs per program, and the relay of
# the first program's build (tests/support/corvane-relay). A program whose search fails or brings
# the wrong number of entries is named with its message and left out of that case's timing.
set -euo pipefail
cd "$(dirname "$0")/.."

printf 'command: bench/relay_path.sh'
printf ' %q' "$@"
printf '\n'

runs=5
relay=
only=
clis=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --relay) relay=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) clis+=("$1"); shift ;;
  esac
done
[ ${#clis[@]} -gt 0 ] || clis=(build/release/src/cli/corvane-search)
relay=${relay:-$(dirname "${clis[0]}")/../../tests/support/corvane-relay}
base="dc=corvane,dc=test"

for cli in "${clis[@]}" "$relay"; do
  [ -x "$cli" ] || { echo "relay_path: $cli is not an executable (build corvane-search and corvane-relay first)" >&2; exit 2; }
done
command -v ldapsearch >/dev/null || { echo "relay_path: ldapsearch not found" >&2; exit 2; }

. bench/timing.sh
make_bench_dir
dir=$bench_dir
relay_pids=()
stop_all() {
  local pid folder
  for pid in "${relay_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for folder in "$dir"/server-*; do
    [ -d "$folder" ] && scripts/directory-server stop "$folder" >/dev/null 2>&1 || true
  done
  rm -rf "$dir"
}
trap stop_all EXIT

# Starts a private directory (config, data) and a relay to it: sets relay_port.
serve_through_relay() {
  local name=$1 config=$2 data=$3 port i
  port=$(scripts/directory-server start "$dir/server-$name" --config "$config" --data "$data")
  "$relay" --listen-port-file "$dir/relay-$name.port" --target "127.0.0.1:$port" --piece 1400 --gap-us 1000 &
  relay_pids+=($!)
  for ((i = 0; i < 100; i++)); do
    [ -s "$dir/relay-$name.port" ] && break
    sleep 0.05
  done
  relay_port=$(cat "$dir/relay-$name.port")
}

# Times one case: name, scheme, entries, goal, then ldapsearch's extra arguments.
measure() {
  local name=$1 scheme=$2 count=$3 goal=$4
  shift 4
  local url="$scheme://127.0.0.1:$relay_port"
  local reference=(ldapsearch -x -LLL -H "$url" -b "$base" -z "$count" "$@" "(uid=b*)" cn)
  local got k i timed=()
  got=$("${reference[@]}" | grep -c '^dn:' || true)
  if [ "$got" -ne "$count" ]; then
    echo "relay_path: ldapsearch brought $got of $count entries ($name)" >&2
    exit 1
  fi
  for k in "${!clis[@]}"; do
    got=$("${clis[$k]}" -H "$url" -b "$base" -z "$count" --search-attribute uid -r cn b 2>"$dir/err" |
      grep -c $'  \r$' || true)
    if [ "$got" -eq "$count" ]; then
      timed+=("$k")
    else
      echo "  ${clis[$k]}: brought $got of $count entries, not timed: $(head -1 "$dir/err")"
    fi
  done
  : >"$dir/ref.times"
  for k in "${timed[@]}"; do : >"$dir/cli$k.times"; done
  for ((i = 0; i < runs; i++)); do
    for k in "${timed[@]}"; do
      elapsed "${clis[$k]}" -H "$url" -b "$base" -z "$count" --search-attribute uid -r cn b >>"$dir/cli$k.times"
    done
    elapsed "${reference[@]}" >>"$dir/ref.times"
  done
  local reference_median
  reference_median=$(median <"$dir/ref.times")
  echo "$name ($runs runs each, pieces of 1400 bytes 1 ms apart):"
  awk -v r="$reference_median" 'BEGIN { printf "  ldapsearch median:     %9.1f ms\n", r / 1e6 }'
  for k in "${timed[@]}"; do
    awk -v c="$(median <"$dir/cli$k.times")" -v r="$reference_median" -v goal="$goal" -v cli="${clis[$k]}" 'BEGIN {
      printf "  corvane-search median: %9.1f ms  ratio %.3f (goal: at most %s)  %s\n", c / 1e6, c / r, goal, cli
    }'
  done
}

if [ -z "$only" ] || [ "$only" = ldaps ]; then
  serve_through_relay ldaps tls bulk:3000
  LDAPTLS_CACERT="$dir/server-ldaps/tls/ca.pem"
  export LDAPTLS_CACERT
  measure "ldaps:// with 3,000 entries" ldaps 3000 1.0
fi
if [ -z "$only" ] || [ "$only" = plain ]; then
  serve_through_relay plain normal bulk:3000
  measure "plain ldap:// with 3,000 entries" ldap 3000 1.0
fi
if [ -z "$only" ] || [ "$only" = paged ]; then
  serve_through_relay paged normal bulk:100000
  measure "100,000 entries, ldapsearch in pages of 1000" ldap 100000 0.8 -E pr=1000/noprompt
fi
