#!/usr/bin/env bash
# bench_language_apply.sh - times applying a language to the main window (file read included)
# with the shipped German and Greek files, on a virtual screen. Goal: under 2 ms per apply.
#
#   bench/bench_language_apply.sh [BUILD-DIR] [RUNS]
#
# BUILD-DIR defaults to build/release (it must hold bench/bench_language_apply and the language
# files beside src/app/corvane-ldap), RUNS to 200.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
runs=${2:-200}
bench="$build/bench/bench_language_apply"
languages="$build/src/app"
[ -x "$bench" ] || { echo "bench_language_apply: $bench is not an executable (build it first)" >&2; exit 2; }
for file in LangLDAP_Deutsch.ini LangLDAP_Greek.ini; do
  [ -f "$languages/$file" ] || { echo "bench_language_apply: $languages/$file missing (build corvane-ldap)" >&2; exit 2; }
done

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/config" xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$bench" "$languages/LangLDAP_Deutsch.ini" "$languages/LangLDAP_Greek.ini" "$runs"
