#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time from process start to the first window being mapped, and peak memory,
# for Amorial, for a bare Qt main window with a menu bar and for the plainest
# Qt window (one label), taking turns under Xvfb.
# Usage: bench/startup.sh [build-dir] [runs] [other-amorial]
# With a third argument, that executable (another build of Amorial) takes its
# turn too, so two builds can be compared in one run.
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-100}
other=${3:+$(realpath "$3")}
source "$(dirname "$0")/first-start.sh"

measure() { first_start "$build/bench/launch_until_mapped" "$@"; }

: >"$scratch/amorial" && : >"$scratch/bare" && : >"$scratch/plain" && : >"$scratch/other"
measure "$build/src/amorial" >/dev/null # warm the file cache for all of them
measure "$build/bench/bare_window" >/dev/null
measure "$build/bench/plain_window" >/dev/null
[ -z "$other" ] || measure "$other" >/dev/null
for _ in $(seq "$runs"); do
    measure "$build/src/amorial" >>"$scratch/amorial"
    measure "$build/bench/bare_window" >>"$scratch/bare"
    measure "$build/bench/plain_window" >>"$scratch/plain"
    [ -z "$other" ] || measure "$other" >>"$scratch/other"
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
# figure <column> <unit>: the medians of one column and Amorial's ratio to each yardstick.
figure() {
    local amorial bare plain
    amorial=$(cut -d' ' -f"$1" "$scratch/amorial" | median)
    bare=$(cut -d' ' -f"$1" "$scratch/bare" | median)
    plain=$(cut -d' ' -f"$1" "$scratch/plain" | median)
    printf 'amorial %.1f %s, bare %.1f %s (ratio %.3f), plain %.1f %s (ratio %.3f)\n' \
        "$amorial" "$2" "$bare" "$2" "$(echo "$amorial / $bare" | bc -l)" \
        "$plain" "$2" "$(echo "$amorial / $plain" | bc -l)"
}
# The median of each round's own ratio: rounds run close together, so this
# one shrugs off the host's speed drifting during the run.
paired() {
    paste -d' ' <(cut -d' ' -f1 "$scratch/amorial") <(cut -d' ' -f1 "$scratch/$1") |
        awk '{print $1 / $2}' | median
}
printf 'runs each:          %d\n' "$runs"
printf 'to window mapped:   %s\n' "$(figure 1 ms)"
printf 'round by round:     median ratio %.3f to bare, %.3f to plain\n' "$(paired bare)" "$(paired plain)"
printf 'peak RSS:           %s\n' "$(figure 2 KiB)"
if [ -n "$other" ]; then
    other_ms=$(cut -d' ' -f1 "$scratch/other" | median)
    plain_ms=$(cut -d' ' -f1 "$scratch/plain" | median)
    printf 'other build:        %.1f ms to window mapped (ratio %.3f to plain); Amorial to it, round by round: %.3f\n' \
        "$other_ms" "$(echo "$other_ms / $plain_ms" | bc -l)" "$(paired other)"
fi
