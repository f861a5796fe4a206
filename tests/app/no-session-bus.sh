#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Started with no session bus named, the program must not have the D-Bus
# library autolaunch one, whose daemon would outlive it. Runs on an X server
# (with-xvfb.sh), where autolaunching is possible.
#   no-session-bus.sh <amorial>
set -euo pipefail
source "$(dirname "$0")/../../scripts/tools.sh"
require_tools dbus-launch xdotool || exit 1
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"

# Every process the program starts inherits this variable, however it was
# started; those still running once the program has ended outlived it.
marker=AMORIAL_NO_SESSION_BUS_RUN=$scratch
outliving() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "$marker" && echo "$pid"
    done
    return 0
}

env -u DBUS_SESSION_BUS_ADDRESS "$marker" HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pid=$!
if ! timeout 15 xdotool search --sync --onlyvisible --pid "$pid" --name 'Amorial' >/dev/null; then
    kill "$pid" 2>/dev/null || true
    echo "FAIL: the window did not show" >&2
    exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
sleep 0.2
left=$(outliving)
if [[ -n $left ]]; then
    echo "FAIL: the program left processes running (a session bus autolaunched?):" >&2
    for p in $left; do echo "  $p $(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null)"; done >&2
    kill $left 2>/dev/null || true
    exit 1
fi
echo "1 passed, 0 failed"
