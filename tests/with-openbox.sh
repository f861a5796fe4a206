#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command under the openbox window manager, on the X server already
# named by DISPLAY (tests/with-xvfb.sh gives one), so that its windows get a
# frame as on a desktop. openbox is stopped, and waited for, afterwards.
#   with-openbox.sh <command> [args...]
set -euo pipefail
command -v openbox >/dev/null || { echo "openbox is missing: Debian's package openbox provides it" >&2; exit 1; }
ready=$(mktemp -u)
# openbox runs its start-up command once it manages the screen.
openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
manager=$!
stop_manager() {
    kill "$manager" 2>/dev/null || true
    wait "$manager" 2>/dev/null || true
    rm -f "$ready"
}
trap stop_manager EXIT

for _ in $(seq 600); do
    [[ -e $ready ]] && break
    kill -0 "$manager" 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
    sleep 0.05
done
[[ -e $ready ]] || { echo "openbox did not come to manage the screen" >&2; exit 1; }
export AMORIAL_TEST_WINDOW_MANAGER=openbox
"$@"
