#!/usr/bin/env bash
# cli_vs_ldapsearch.sh - times corvane-search against ldapsearch, whole process, on the same
# 1000-entry search of the private test directory, and prints both medians and their ratio.
#
#   bench/cli_vs_ldapsearch.sh [CORVANE-SEARCH] [RUNS]
#
# CORVANE-SEARCH defaults to build/release/src/cli/corvane-search, RUNS to 20 per program. The
# runs alternate between the two programs so that both see the same machine load. Both ask for
# the entries whose uid begins with "p0" (exactly 1000 people of the test data) and for their cn.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${1:-build/release/src/cli/corvane-search}
runs=${2:-20}
base="dc=corvane,dc=test"

[ -x "$cli" ] || { echo "cli_vs_ldapsearch: $cli is not an executable (build corvane-search first)" >&2; exit 2; }
command -v ldapsearch >/dev/null || { echo "cli_vs_ldapsearch: ldapsearch not found" >&2; exit 2; }

. bench/timing.sh
start_bench_directory
dir=$bench_dir

corvane() { "$cli" -H "ldap://127.0.0.1:$port" -b "$base" --search-attribute uid -r cn p0; }
reference() { ldapsearch -x -LLL -H "ldap://127.0.0.1:$port" -b "$base" -z 1000 "(uid=p0*)" cn; }

# Both must deliver the same 1000 entries, or the comparison means nothing.
entries_cli=$(corvane | grep -c $'  \r$' || true)
entries_ref=$(reference | grep -c '^dn:' || true)
if [ "$entries_cli" -ne 1000 ] || [ "$entries_ref" -ne 1000 ]; then
  echo "cli_vs_ldapsearch: expected 1000 entries, got $entries_cli (corvane-search) and $entries_ref (ldapsearch)" >&2
  exit 1
fi



: >"$dir/cli.times"
: >"$dir/ref.times"
for ((i = 0; i < runs; i++)); do
  elapsed corvane >>"$dir/cli.times"
  elapsed reference >>"$dir/ref.times"
done

cli_median=$(median <"$dir/cli.times")
ref_median=$(median <"$dir/ref.times")
awk -v c="$cli_median" -v r="$ref_median" -v n="$runs" 'BEGIN {
  printf "runs per program:       %d (1000 entries each)\n", n
  printf "corvane-search median:  %.2f ms\n", c / 1e6
  printf "ldapsearch median:      %.2f ms\n", r / 1e6
  printf "ratio corvane/ldapsearch: %.3f (goal: at most 0.9)\n", c / r
}'
