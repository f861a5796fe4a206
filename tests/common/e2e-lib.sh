# SPDX-License-Identifier: MIT
# What the end-to-end tests of Linux (tests/e2e) and of Windows under wine
# (tests/windows) share: steps, waits, windows found by title, keys, the
# browser that only takes notes. Sourced after `set -euo pipefail`, with
#   E2E_PATIENCE    seconds a wait may last (default 30)
#   AMORIAL_VERSION the version the program reports, from CTest

step() { echo "--- $*"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/tools.sh"

[[ -n ${AMORIAL_VERSION:-} ]] || fail "AMORIAL_VERSION is not set: run the test through CTest"
# The main windows' title, as a pattern for xdotool and grep.
main_title="^Amorial v${AMORIAL_VERSION//./\\.}\$"
box_title='^Amorial$'

# Polls a command until it succeeds: a loaded machine starts programs slowly.
eventually() {
    local end=$((SECONDS + ${E2E_PATIENCE:-30}))
    while ((SECONDS < end)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Every xdotool call has a time limit.
xdo() { timeout -k 2 10 xdotool "$@"; }
# The visible windows with this title, topmost last.
windows() { xdo search --onlyvisible --name "$1" 2>/dev/null || true; }
window() { windows "$1" | tail -n 1; }
has_window() { [[ -n $(window "$1") ]]; }
# Sends keys without waiting: each step then waits for what its keys bring.
press() { xdo key --clearmodifiers "$@"; }
down() { xdo key --delay 40 $(printf 'Down %.0s' $(seq "$1")); }

still_running() { kill -0 "$1" 2>/dev/null; }
ended() { ! still_running "$1"; }

# Only when a folder is given (needs ImageMagick's import); CI takes none.
screenshot() {
    if [[ -n ${shots:-} ]]; then
        mkdir -p "$shots"
        sleep 0.5 # let the window finish painting
        import -window "$1" "$shots/$2.png"
    fi
}

# note_taking_browser PROGRAM NOTES: a stand-in for the browser at PROGRAM
# that writes each address it is given as a line of NOTES (made empty).
note_taking_browser() {
    : >"$2"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$2" >"$1"
    chmod +x "$1"
}
