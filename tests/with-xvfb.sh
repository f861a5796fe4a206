#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command on a private Xvfb server, with --openbox under the openbox
# window manager too, so that its windows get a frame as on a desktop. The
# server picks a free display itself and reports it once it accepts
# connections, so parallel or back-to-back runs never race for a display; the
# server and the manager are stopped, and waited for, afterwards.
#   with-xvfb.sh [--openbox] <command> [args...]
set -euo pipefail
source "$(dirname "$0")/../scripts/tools.sh"
require_tools Xvfb || exit 1
manager=
[[ ${1:-} == --openbox ]] && { manager=openbox; shift; require_tools openbox || exit 1; }
ready=$(mktemp)
managed=$(mktemp -u)
pids=()
stop_servers() {
    kill "${pids[@]}" 2>/dev/null || true
    wait "${pids[@]}" 2>/dev/null || true
    rm -f "$ready" "$managed"
}
trap stop_servers EXIT
# wait_for <test...>: until the test holds, while the last program started runs.
wait_for() {
    for _ in $(seq 300); do
        "$@" && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# -noreset: the server would otherwise reset whenever its last client leaves,
# refusing connections for a moment.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$ready" 2>/dev/null &
pids+=($!)
wait_for test -s "$ready" || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$ready")"
unset XAUTHORITY
# A program with no session bus named would have the D-Bus library start one
# on this display, which would outlive the test.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/dev/null}
if [[ -n $manager ]]; then
    # openbox runs its start-up command once it manages the screen.
    openbox --sm-disable --startup "touch $managed" >/dev/null 2>&1 &
    pids+=($!)
    wait_for test -e "$managed" || { echo "openbox did not come to manage the screen" >&2; exit 1; }
    export AMORIAL_TEST_WINDOW_MANAGER=openbox
fi
"$@"
