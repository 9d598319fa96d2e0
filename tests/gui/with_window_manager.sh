#!/usr/bin/env bash
# Runs a command on the current X display under a window manager (openbox), as on a desktop: the
# window manager frames the windows, enforces their size hints and sends the configure events a
# desktop sends. The window manager is started here and stopped when the command ends.
#
#   with_window_manager.sh COMMAND [ARG...]
set -euo pipefail
: "${DISPLAY:?needs an X display}"
config=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wm-XXXXXX")
openbox --sm-disable >"$config/openbox.log" 2>&1 &
wm=$!
cleanup() {
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  rm -rf "$config"
}
trap cleanup EXIT
# the window manager owns the screen once it has set the supporting-window property on the root
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
status=0
"$@" || status=$?
exit "$status"
