#!/usr/bin/env bash
# ad_directory_start.sh - times the start of the Active Directory test directory: once cold
# (provisioning its template into an empty cache folder of the run's own) and RUNS times warm
# (copying that template), and prints the cold time and the warm median in seconds.
#
#   bench/ad_directory_start.sh [RUNS]
#
# RUNS defaults to 5. Needs what the domain controller needs (root, network namespaces).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}

. bench/timing.sh
make_bench_dir
export CORVANE_CACHE="$bench_dir/cache"
server="$bench_dir/server"

start() { scripts/directory-server start "$server" --config ad 2>/dev/null; }

cold=$(elapsed start)
scripts/directory-server stop "$server"
warm=()
for ((i = 0; i < runs; i++)); do
  warm+=("$(elapsed start)")
  scripts/directory-server stop "$server"
done
awk -v ns="$cold" 'BEGIN { printf "cold start (provisioning): %.1f s\n", ns / 1e9 }'
printf '%s\n' "${warm[@]}" | median | awk -v runs="$runs" '{ printf "warm start, median of %d:  %.2f s\n", runs, $1 / 1e9 }'
