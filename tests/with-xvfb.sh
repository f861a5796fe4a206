#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a private Xvfb server. The server picks a free display
# itself and reports it once it accepts connections, so parallel or back-to-back
# runs never race for a display; it is stopped, and waited for, afterwards.
#   with-xvfb.sh <command> [args...]
set -euo pipefail
source "$(dirname "$0")/../scripts/tools.sh"
require_tools Xvfb || exit 1
ready=$(mktemp)
# -noreset: the server would otherwise reset whenever its last client leaves,
# refusing connections for a moment.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
server=$!
stop_server() {
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    rm -f "$ready"
}
trap stop_server EXIT

for _ in $(seq 300); do
    [[ -s $ready ]] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[[ -s $ready ]] || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$ready")"
unset XAUTHORITY
# A program with no session bus named would have the D-Bus library start one
# on this display, which would outlive the test.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/dev/null}
"$@"
