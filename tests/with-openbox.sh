#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command under the openbox window manager, on the X server already
# named by DISPLAY (tests/with-xvfb.sh gives one), so that its windows get a
# frame as on a desktop. openbox is stopped, and waited for, afterwards.
#   with-openbox.sh <command> [args...]
set -euo pipefail
command -v openbox >/dev/null || { echo "openbox is missing: Debian's package openbox provides it" >&2; exit 1; }
openbox --sm-disable >/dev/null 2>&1 &
manager=$!
stop_manager() {
    kill "$manager" 2>/dev/null || true
    wait "$manager" 2>/dev/null || true
}
trap stop_manager EXIT

# A manager announces itself on the root window once it manages the screen.
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    kill -0 "$manager" 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || { echo "openbox manages no screen" >&2; exit 1; }
export AMORIAL_TEST_WINDOW_MANAGER=openbox
"$@"
