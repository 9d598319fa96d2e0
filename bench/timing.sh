# timing.sh - shared pieces of the whole-process benchmarks (sourced, not run): a private test
# directory for the run, timing one command, and the median of a column of numbers.

# Starts the private test directory in a new temporary folder: sets bench_dir and port, and stops
# the server and removes the folder when the script exits.
start_bench_directory() {
  bench_dir=$(mktemp -d)
  trap 'scripts/directory-server stop "$bench_dir/server" >/dev/null 2>&1 || true; rm -rf "$bench_dir"' EXIT
  port=$(scripts/directory-server start "$bench_dir/server" --data test)
}

# Wall-clock nanoseconds of one whole run of a command, its output discarded.
elapsed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $((end - start))
}

# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
