#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time from process start to the first window being mapped, and peak memory,
# for Amorial and for a bare Qt window, alternating the two under Xvfb.
# Usage: bench/startup.sh [build-dir] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-100}
command -v Xvfb >/dev/null || { echo "needs Xvfb (apt-get install xvfb)" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A fresh home for every Amorial start, so each is a first start: no reminder question.
measure() {
    local home
    home=$(mktemp -d -p "$scratch")
    mkdir -m 700 "$home/run"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=xcb \
        "$build/bench/launch_until_mapped" "$@"
}

: >"$scratch/amorial" && : >"$scratch/bare"
measure "$build/src/amorial" >/dev/null # warm the file cache for both
measure "$build/bench/bare_window" >/dev/null
for _ in $(seq "$runs"); do
    measure "$build/src/amorial" >>"$scratch/amorial"
    measure "$build/bench/bare_window" >>"$scratch/bare"
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
amorial_ms=$(cut -d' ' -f1 "$scratch/amorial" | median)
bare_ms=$(cut -d' ' -f1 "$scratch/bare" | median)
amorial_kib=$(cut -d' ' -f2 "$scratch/amorial" | median)
bare_kib=$(cut -d' ' -f2 "$scratch/bare" | median)
printf 'runs each:          %d\n' "$runs"
printf 'to window mapped:   amorial %.1f ms, bare %.1f ms, ratio %.3f\n' "$amorial_ms" "$bare_ms" \
    "$(echo "$amorial_ms / $bare_ms" | bc -l)"
printf 'peak RSS:           amorial %d KiB, bare %d KiB, ratio %.3f\n' "$amorial_kib" "$bare_kib" \
    "$(echo "$amorial_kib / $bare_kib" | bc -l)"
