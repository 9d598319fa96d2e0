#!/usr/bin/env bash
# bench_search_window.sh - times the main window's Search command (from the command to the filled
# result list) against corvane-search (whole process) on the same 1000-entry search of the private
# test directory, and prints both medians and their ratio.
#
#   bench/bench_search_window.sh [BUILD-DIR] [RUNS]
#
# BUILD-DIR defaults to build/release (it must hold bench/bench_search_window and
# src/cli/corvane-search), RUNS to 20 per program. Both ask for the entries whose uid begins with
# "p0" (exactly 1000 people of the test data) and for their cn. The window runs under Xvfb with
# its settings in a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
runs=${2:-20}
window_bench="$build/bench/bench_search_window"
cli="$build/src/cli/corvane-search"
base="dc=corvane,dc=test"

for program in "$window_bench" "$cli"; do
  [ -x "$program" ] || { echo "bench_search_window: $program is not an executable (build it first)" >&2; exit 2; }
done

. bench/timing.sh
start_bench_directory
dir=$bench_dir

corvane() { "$cli" -s 127.0.0.1 -p "$port" -b "$base" -a uid -r cn p0; }

entries_cli=$(corvane | grep -c $'  \r$' || true)
if [ "$entries_cli" -ne 1000 ]; then
  echo "bench_search_window: expected 1000 entries from corvane-search, got $entries_cli" >&2
  exit 1
fi


: >"$dir/cli.times"
for ((i = 0; i < runs; i++)); do
  elapsed corvane >>"$dir/cli.times"
done
cli_median=$(median <"$dir/cli.times")

mkdir -p "$dir/home"
window_median=$(HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/config" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$window_bench" "$port" "$runs")

awk -v w="$window_median" -v c="$cli_median" -v n="$runs" 'BEGIN {
  printf "runs per program:          %d (1000 entries each)\n", n
  printf "window Search median:      %.2f ms\n", w / 1e6
  printf "corvane-search median:     %.2f ms\n", c / 1e6
  printf "ratio window/corvane-search: %.3f (goal: at most 1.2)\n", w / c
}'
