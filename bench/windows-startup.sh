#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up on Windows, under wine: the time from process creation to the first
# window shown, for Amorial and for the plainest Qt window cross-built the same
# way, taking turns, on a private Xvfb in the Windows build's wine prefix.
# Both load Qt from the same folders; each Amorial start finds its reminder
# date already stored, as every start after the first does.
#   bench/windows-startup.sh [runs]     (after scripts/windows-build)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-30}
source scripts/windows-env
build=$PWD/build-windows
exec bash tests/with-xvfb.sh bash -c '
    set -euo pipefail
    build=$1 runs=$2
    wine_prefix_ready
    clock=$build/launch_until_shown.exe # Qt puts Windows programs at the top of the build
    measure() { timeout -k 5 60 wine "$clock" "$(winepath -w "$1")" | tr -d "\r"; }
    amorial=() plain=()
    measure "$build/src/amorial.exe" >/dev/null # the first start stores its date; and warms the file cache
    measure "$build/plain_window.exe" >/dev/null
    for _ in $(seq "$runs"); do
        amorial+=("$(measure "$build/src/amorial.exe")")
        plain+=("$(measure "$build/plain_window.exe")")
    done
    timeout -k 5 30 wineserver -k || true
    median() { sort -n | awk "{v[NR]=\$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}"; }
    a=$(printf "%s\n" "${amorial[@]}" | median)
    p=$(printf "%s\n" "${plain[@]}" | median)
    paired=$(paste -d" " <(printf "%s\n" "${amorial[@]}") <(printf "%s\n" "${plain[@]}") | awk "{print \$1 / \$2}" | median)
    printf "runs each:         %d\n" "$runs"
    printf "to window shown:   amorial %.1f ms, plain %.1f ms (ratio %.3f)\n" "$a" "$p" "$(echo "$a / $p" | bc -l)"
    printf "round by round:    median ratio %.3f\n" "$paired"
' windows-startup "$build" "$runs"
