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
source "$(dirname "$0")/first-start.sh"

count() {
    local out
    out=$(mktemp -d -p "$scratch")
    # The profile is written just before the window is mapped; the program is
    # ended once it is complete.
    first_start valgrind --tool=callgrind --dump-before=xcb_map_window \
        --callgrind-out-file="$out/profile" "$1" >/dev/null 2>&1 &
    local child=$! total=""
    for _ in $(seq 600); do
        total=$(cat "$out"/profile.* 2>/dev/null | awk '/^summary:/ {print $2; exit}')
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
