#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the Fontconfig read-ahead gains: time from process start to the entry
# window being mapped, for Amorial and for Amorial built without the
# read-ahead (bench/no_font_warmup.cpp), taking turns under Xvfb, every start
# a first start. Usage: bench/fontwarmup.sh [build-dir] [runs]
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-100}
source "$(dirname "$0")/first-start.sh"

measure() { first_start "$build/bench/launch_until_mapped" "$@" | cut -d' ' -f1; }
with=$build/src/amorial
without=$build/bench/amorial_without_font_warmup
measure "$with" >/dev/null # warm the file cache for both
measure "$without" >/dev/null
for _ in $(seq "$runs"); do
    paste -d' ' <(measure "$with") <(measure "$without")
done >"$scratch/rounds"

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
printf 'runs each:               %d\n' "$runs"
printf 'with the read-ahead:     %.2f ms (median)\n' "$(cut -d' ' -f1 "$scratch/rounds" | median)"
printf 'without it:              %.2f ms (median)\n' "$(cut -d' ' -f2 "$scratch/rounds" | median)"
printf 'gain, round by round:    %.2f ms (median of each round'"'"'s difference)\n' \
    "$(awk '{print $2 - $1}' "$scratch/rounds" | median)"
