#!/usr/bin/env bash
# Runs a window test command and fails it when the toolkit below wx printed a warning or a
# critical (a "Gtk-WARNING **" or "Gtk-CRITICAL **" line, or the same of Gdk or GLib): each is a
# size the program asked for that the toolkit could not give, or a widget used in a wrong state.
# The command's output is passed through as it comes.
#
#   no_toolkit_warnings.sh COMMAND [ARG...]
set -uo pipefail
log=$(mktemp "${TMPDIR:-/tmp}/corvane-gui-XXXXXX")
trap 'rm -f "$log"' EXIT
"$@" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if grep -E '(Gtk|Gdk|GLib|GLib-GObject)-(WARNING|CRITICAL) \*\*' "$log" >/dev/null; then
  echo "no_toolkit_warnings: the toolkit printed warnings or criticals:" >&2
  grep -E '(Gtk|Gdk|GLib|GLib-GObject)-(WARNING|CRITICAL) \*\*' "$log" | sort | uniq -c >&2
  [ "$status" -eq 0 ] && status=1
fi
exit "$status"
