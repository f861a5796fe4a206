#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Instructions executed, all threads together, from process start until the
# first window is mapped, for Amorial and the two yardstick windows. Counted
# by valgrind's callgrind, so the figure does not move with the host's load.
# Usage: bench/instructions.sh [build-dir] [other executables...]
set -euo pipefail
build=$(realpath "${1:-build}")
shift || true
command -v valgrind >/dev/null || { echo "needs valgrind (apt-get install valgrind)" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "needs Xvfb (apt-get install xvfb)" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

count() {
    local home
    home=$(mktemp -d -p "$scratch")
    mkdir -m 700 "$home/run"
    # The profile is written just before the window is mapped; the program is
    # ended once it is complete.
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=xcb \
        valgrind --tool=callgrind --dump-before=xcb_map_window \
        --callgrind-out-file="$home/profile" "$1" >/dev/null 2>&1 &
    local child=$! total=""
    for _ in $(seq 600); do
        total=$(cat "$home"/profile.* 2>/dev/null | awk '/^summary:/ {print $2; exit}')
        [ -n "$total" ] && break
        sleep 0.1
    done
    kill "$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
    echo "${total:-no window was mapped}"
}

for program in "$build/src/amorial" "$build/bench/bare_window" "$build/bench/plain_window" "$@"; do
    printf '%-40s %s\n' "$(basename "$program")" "$(count "$program")"
done
