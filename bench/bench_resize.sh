#!/usr/bin/env bash
# bench_resize.sh - the main window's layout pass with 1000 rows in the result list (goal: under
# 2 ms), on a virtual screen with the settings in a temporary folder.
#
#   bench/bench_resize.sh [BUILD-DIR] [PASSES]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
passes=${2:-200}
program="$build/bench/bench_resize"
[ -x "$program" ] || { echo "bench_resize: $program is not an executable (build it first)" >&2; exit 2; }

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$passes"
