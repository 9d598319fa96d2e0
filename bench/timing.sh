# timing.sh - shared pieces of the whole-process benchmarks (sourced, not run): a private test
# directory for the run, timing one command, and the median of a column of numbers.

# Makes a new temporary folder for the run's private server: sets bench_dir, and stops the server
# started in "$bench_dir/server" and removes the folder when the script exits.
make_bench_dir() {
  bench_dir=$(mktemp -d)
  trap 'scripts/directory-server stop "$bench_dir/server" >/dev/null 2>&1 || true; rm -rf "$bench_dir"' EXIT
}

# Starts the private test directory in a new bench_dir: sets bench_dir and port.
start_bench_directory() {
  make_bench_dir
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
