# SPDX-License-Identifier: MIT
# Sourced by the start-up benchmarks: a private Xvfb for the run, and
# first_start, which runs a command as a program's first start would be.
command -v Xvfb >/dev/null || { echo "needs Xvfb (apt-get install xvfb)" >&2; exit 2; }

scratch=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# first_start <command...>: runs it with a fresh home, so Amorial starts as on
# its first day: no reminder question. Sets $home to that home.
first_start() {
    home=$(mktemp -d -p "$scratch")
    mkdir -m 700 "$home/run"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=xcb "$@"
}
