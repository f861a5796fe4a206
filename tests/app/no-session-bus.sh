#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Started with no session bus named, the program must not have the D-Bus
# library autolaunch one, whose daemon would outlive it. Runs on an X server
# (with-xvfb.sh), where autolaunching is possible.
#   no-session-bus.sh <amorial>
set -euo pipefail
source "$(dirname "$0")/../../scripts/tools.sh"
require_tools dbus-launch xdotool pgrep || exit 1
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"

# The daemons dbus-launch starts for autolaunching.
autolaunched() { pgrep -f -- 'dbus-daemon --syslog-only --fork' | sort || true; }
autolaunched >"$scratch/before"

env -u DBUS_SESSION_BUS_ADDRESS HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" \
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
autolaunched >"$scratch/after"
if new=$(comm -13 "$scratch/before" "$scratch/after") && [[ -n $new ]]; then
    echo "FAIL: a session bus was autolaunched and outlived the program" >&2
    kill $new 2>/dev/null || true
    exit 1
fi
echo "1 passed, 0 failed"
