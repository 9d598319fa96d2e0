#!/usr/bin/env bash
# large_answers.sh - corvane-search against ldapsearch with paged results on a large answer: a
# private directory of N generated people made for the run, every one of them asked for. Prints
# the median times, their ratio and the peak memory of both, at 10,000 and 100,000 entries, and at
# 100,000 from a directory that cuts plain answers at 50 entries, so that all come in pages.
#
#   bench/large_answers.sh [CORVANE-SEARCH] [RUNS]
#
# CORVANE-SEARCH defaults to build/release/src/cli/corvane-search, RUNS to 5 per program and size.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/release/src/cli/corvane-search}
runs=${2:-5}
base="dc=corvane,dc=test"

[ -x "$cli" ] || { echo "large_answers: $cli is not an executable (build corvane-search first)" >&2; exit 2; }
command -v ldapsearch >/dev/null || { echo "large_answers: ldapsearch not found" >&2; exit 2; }

. bench/timing.sh
make_bench_dir
dir=$bench_dir

# Peak resident memory of one run in KiB, from the kernel's accounting of the finished child.
peak_kib() { python3 -c 'import resource,subprocess,sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=False)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"; }

for run in 10000:normal 100000:normal 100000:sizelimit; do
  count=${run%%:*}
  config=${run#*:}
  port=$(scripts/directory-server start "$dir/server" --config "$config" --data "bulk:$count")
  corvane=("$cli" -H "ldap://127.0.0.1:$port" -b "$base" -z "$count" --search-attribute uid -r cn b)
  reference=(ldapsearch -x -LLL -H "ldap://127.0.0.1:$port" -b "$base" -E pr=1000/noprompt -z "$count" "(uid=b*)" cn)
  got_cli=$("${corvane[@]}" | grep -c $'  \r$' || true)
  got_ref=$("${reference[@]}" | grep -c '^dn:' || true)
  if [ "$got_cli" -ne "$count" ] || [ "$got_ref" -ne "$count" ]; then
    echo "large_answers: expected $count entries, got $got_cli (corvane-search) and $got_ref (ldapsearch)" >&2
    exit 1
  fi
  : >"$dir/cli.times"
  : >"$dir/ref.times"
  for ((i = 0; i < runs; i++)); do
    elapsed "${corvane[@]}" >>"$dir/cli.times"
    elapsed "${reference[@]}" >>"$dir/ref.times"
  done
  awk -v n="$count" -v config="$config" -v c="$(median <"$dir/cli.times")" -v r="$(median <"$dir/ref.times")" \
    -v cm="$(peak_kib "${corvane[@]}")" -v rm="$(peak_kib "${reference[@]}")" -v runs="$runs" 'BEGIN {
    printf "%d entries%s (%d runs each):\n", n, config == "sizelimit" ? ", plain answers cut at 50: all in pages" : "", runs
    printf "  corvane-search -z %d median:          %.1f ms, peak %.1f MiB\n", n, c / 1e6, cm / 1024
    printf "  ldapsearch -E pr=1000/noprompt median: %.1f ms, peak %.1f MiB\n", r / 1e6, rm / 1024
    printf "  ratio corvane/ldapsearch: %.3f (%s)\n", c / r,
      config == "sizelimit" ? "for comparison; the goal is for the directory above" : "goal: at most 0.8"
  }'
  scripts/directory-server stop "$dir/server"
done
