#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the screenshots of the Windows build under wine into docs/
# (entry-window-windows.png, result-window-windows.png, about-window-windows.png):
# the end-to-end test under wine saves each window as it reaches it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/windows-build
source scripts/windows-env
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
bash tests/with-xvfb.sh bash -c 'wine_prefix_ready && bash tests/windows/e2e.sh build-windows/src/amorial.exe "$0"
    status=$?; timeout -k 5 30 wineserver -k; exit $status' "$shots"
for window in entry result about; do
    optipng -quiet -o5 -strip all "$shots/$window-window-windows.png"
    cp "$shots/$window-window-windows.png" docs/
done
