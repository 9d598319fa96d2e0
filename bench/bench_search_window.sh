#!/usr/bin/env bash
# bench_search_window.sh - times the main window's Search command (from the command to the filled
# result list) against corvane-search (whole process) on the same search, and prints both medians
# and their ratio: first the 1000-entry search of the private test directory, then every entry of
# generated directories of 10,000 and 100,000 people. For each of those it also prints a sort of
# the filled list by a column heading and the window's peak memory against the bytes of the
# answer's values.
#
#   bench/bench_search_window.sh [BUILD-DIR] [RUNS] [LARGE-RUNS]
#
# BUILD-DIR defaults to build/release (it must hold bench/bench_search_window and
# src/cli/corvane-search), RUNS to 20 per program for the test directory, LARGE-RUNS to 3 per
# program and size for the generated ones. The test directory search asks for the entries whose
# uid begins with "p0" (exactly 1000 people of the test data), the generated ones for those whose
# uid begins with "b" (all of them), each time for their cn. The window runs under Xvfb with its
# settings in a temporary folder. Needs ldapsearch to count the answer's value bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
runs=${2:-20}
large_runs=${3:-3}
window_bench="$build/bench/bench_search_window"
cli="$build/src/cli/corvane-search"
base="dc=corvane,dc=test"

for program in "$window_bench" "$cli"; do
  [ -x "$program" ] || { echo "bench_search_window: $program is not an executable (build it first)" >&2; exit 2; }
done
command -v ldapsearch >/dev/null || { echo "bench_search_window: ldapsearch not found" >&2; exit 2; }

. bench/timing.sh
start_bench_directory
dir=$bench_dir
mkdir -p "$dir/home"

# The window's figures: median search ns, median sort ns, peak KiB before the search and at the end.
window() {
  HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/config" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$window_bench" "$@"
}

# The bytes of the DNs and cn values of the answer to the filter, as the server sends them.
value_bytes() {
  ldapsearch -x -LLL -o ldif-wrap=no -H "ldap://127.0.0.1:$1" -b "$base" -z "$2" "$3" cn |
    awk '/^(dn|cn): / { sub(/^[a-z]+: /, ""); bytes += length($0) } END { print bytes + 0 }'
}

# Runs corvane-search and the window on one search: PORT ENTRIES RUNS SEARCH-STRING CLI-ARGS...
compare() {
  local port=$1 count=$2 n=$3 string=$4
  shift 4
  local corvane=("$cli" "$@")
  local got
  got=$("${corvane[@]}" | grep -c $'  \r$' || true)
  if [ "$got" -ne "$count" ]; then
    echo "bench_search_window: expected $count entries from corvane-search, got $got" >&2
    exit 1
  fi
  : >"$dir/cli.times"
  for ((i = 0; i < n; i++)); do
    elapsed "${corvane[@]}" >>"$dir/cli.times"
  done
  local figures
  figures=$(window "$port" "$n" "$count" uid cn "$string")
  awk -v c="$(median <"$dir/cli.times")" -v f="$figures" -v n="$count" -v runs="$n" \
    -v bytes="$(value_bytes "$port" "$count" "(uid=$string*)")" 'BEGIN {
    split(f, w, " ")
    printf "%d entries (%d runs each):\n", n, runs
    printf "  window Search median:        %.1f ms\n", w[1] / 1e6
    printf "  corvane-search median:       %.1f ms\n", c / 1e6
    printf "  ratio window/corvane-search: %.3f (goal: at most 1.2)\n", w[1] / c
    printf "  heading sort median:         %.1f ms (goal: under 300 ms at 100,000)\n", w[2] / 1e6
    printf "  answer value bytes (DN, cn): %.1f MiB\n", bytes / 1048576
    printf "  window peak memory:          %.1f MiB (%.1f MiB before the search), %.2f times the values (goal: under 3)\n",
      w[4] / 1024, w[3] / 1024, w[4] * 1024 / bytes
    printf "  growth of the peak by the search: %.1f MiB, %.2f times the values\n",
      (w[4] - w[3]) / 1024, (w[4] - w[3]) * 1024 / bytes
  }'
}

compare "$port" 1000 "$runs" p0 -H "ldap://127.0.0.1:$port" -b "$base" --search-attribute uid -r cn p0
scripts/directory-server stop "$dir/server" >/dev/null

for count in 10000 100000; do
  port=$(scripts/directory-server start "$dir/server" --data "bulk:$count")
  compare "$port" "$count" "$large_runs" b -H "ldap://127.0.0.1:$port" -b "$base" -z "$count" \
    --search-attribute uid -r cn b
  scripts/directory-server stop "$dir/server" >/dev/null
done
