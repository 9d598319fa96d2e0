#!/usr/bin/env bash
# Start-up time of the main window: launches corvane-ldap RUNS times (default 10) on a virtual
# screen and prints each time from launch to the first idle moment after the window is shown,
# then the median. Goal: under 0.5 s with an LDAP.ini holding 15 recent profiles (made in a
# temporary settings folder, with the profiles it names).
#
#   bench/bench_startup.sh [path/to/corvane-ldap] [runs]
#
# The program measures itself when CORVANE_STARTUP_PROBE holds the launch time in nanoseconds:
# it prints "startup-ms N" at its first idle moment after showing the window and closes.
set -euo pipefail

self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
root="$(dirname "$self")/.."
program=${1:-$root/build/release/src/app/corvane-ldap}
runs=${2:-10}
if [ ! -x "$program" ]; then
  echo "bench_startup: $program not found; build the target corvane-ldap first" >&2
  exit 1
fi

# a settings folder whose LDAP.ini lists 15 recent profiles that exist
settings_folder() {
  config=$(mktemp -d)
  trap 'rm -rf "$config"' EXIT
  mkdir -p "$config/Corvane/LDAP" "$config/profiles"
  {
    printf '<?xml version="1.0" encoding="utf-8"?>\r\n<InitFile>\r\n'
    for i in $(seq 1 15); do
      profile="$config/profiles/Directory $i.cvl"
      printf '<?xml version="1.0" encoding="utf-8"?>\r\n<InitFile>\r\n  <LDAPServer>ldap%d.example.org</LDAPServer>\r\n</InitFile>\r\n' "$i" >"$profile"
      printf '  <Recent>%s</Recent>\r\n' "$profile"
    done
    printf '  <Deactivate>0</Deactivate>\r\n  <WinPos>100;80;900;680</WinPos>\r\n</InitFile>\r\n'
  } >"$config/Corvane/LDAP/LDAP.ini"
  export XDG_CONFIG_HOME="$config"
}

measure() {
  local times=() i out ms
  for ((i = 0; i < runs; i++)); do
    out=$(CORVANE_STARTUP_PROBE=$(date +%s%N) "$program")
    ms=$(printf '%s\n' "$out" | awk '/^startup-ms /{print $2}')
    [ -n "$ms" ] || { echo "bench_startup: no time reported" >&2; exit 1; }
    echo "run $((i + 1)): $ms ms"
    times+=("$ms")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{v[NR]=$1} END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median start-up: %.1f ms over %d runs (goal: under 500 ms)\n", m, NR }'
}

if [ -n "${DISPLAY:-}" ]; then
  settings_folder
  measure
else
  # run again on a virtual screen
  xvfb-run -a -s "-screen 0 1280x1024x24" "$self" "$program" "$runs"
fi
