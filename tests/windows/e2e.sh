#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives the Windows build under wine like a person would: keys in through
# xdotool, the screen read back with OCR (tesseract), the registry read with
# wine's reg. Wine gives Linux no accessibility tree of Qt's windows, so the
# texts are read off screenshots. Run by CTest inside scripts/windows-test,
# which provides the Xvfb display and the build's wine prefix:
#   e2e.sh <amorial.exe> [screenshot folder]
set -euo pipefail
amorial=$(realpath "$1")
shots=${2:-}

# Waits here last up to a minute: wine starts programs slowly on a loaded machine.
E2E_PATIENCE=60
source "$(dirname "$0")/../common/e2e-lib.sh"
[[ -n ${WINEPREFIX:-} && -n ${DISPLAY:-} ]] || fail "run through scripts/windows-test: no wine prefix or display"
require_tools wine wineserver xdotool xwininfo import convert tesseract openbox || fail "tools are missing"

scratch=$(mktemp -d)
x11_driver='HKCU\Software\Wine\X11 Driver'
cleanup() {
    # The copies still running after a failure; timeout passes the signal on to wine.
    jobs -p | xargs -r kill 2>/dev/null || true
    timeout -k 5 30 wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null 2>&1 || true
    timeout -k 5 30 wine reg add "$x11_driver" /v Managed /d N /f >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT
# The test ends by waiting for the prefix to fall idle. It drives the program
# as a person would on a desktop whose window manager places the windows and
# gives them the keyboard: its windows are managed, as on a Linux desktop (the
# other Windows tests run unmanaged, which is quicker where there is no
# manager to wait for).
wine_own_server
timeout -k 5 60 wine reg add "$x11_driver" /v Managed /d Y /f >/dev/null 2>&1 || fail "could not make the windows managed"

# Every wine command, and every wait below, has a time limit.
wine_() { timeout -k 5 60 wine "$@"; }

# The desktop's window manager. Without one, wine 10 leaves a window that the
# program hides on the screen: it asks the manager to withdraw it and waits
# for an answer that never comes, where wine 8 unmaps it itself (a plain Qt
# program shows the same). So the test brings its own, under every wine.
managed_mark=$scratch/managed
openbox --sm-disable --startup "touch $managed_mark" >/dev/null 2>&1 &
eventually test -e "$managed_mark" || fail "openbox did not come to manage the screen"

# Web pages go to a stand-in that only takes notes: winebrowser runs the
# programs named in this value, and nothing else, for a web address.
opened=$scratch/opened.txt
note_taking_browser "$scratch/browser" "$opened"
wine_ reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$scratch/browser" /f >/dev/null 2>&1 ||
    fail "cannot set wine's browser"

settings='HKCU\Software\amorial\Settings'
stored_date() {
    wine_ reg query "$settings" /v Duration 2>/dev/null | tr -d '\r' | sed -n 's/^ *Duration *REG_SZ *//p'
}
date_stored_is() { [[ $(stored_date) == "$1" ]]; }
today=$(date +%F)

shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
hidden() { ! shown "$1"; }
# The focus goes to the window about to be used, whatever the manager did.
focus() { xdo windowfocus "$1" && sleep 0.3; }

# What the window shows, as OCR reads it. Each pixel becomes its brightest
# colour channel, which sets the design's cyan, magenta, orange and white text
# apart from its dark teal and grey; dark backgrounds are turned light, since
# tesseract reads dark text on light best, and the picture is scaled to three
# times the size.
screen_text() {
    local picture=$scratch/window.png invert=()
    import -window "$1" "$picture" || return 1
    convert "$picture" -colorspace HSB -channel B -separate "$picture" || return 1
    [[ $(convert "$picture" -format '%[fx:mean < 0.5]' info:) == 1 ]] && invert=(-negate)
    convert "$picture" "${invert[@]}" -resize 300% "$scratch/ocr.png" &&
        timeout -k 2 60 tesseract "$scratch/ocr.png" - 2>/dev/null | sed 's/  */ /g'
}
# Waits until the window shows every one of these lines (regular expressions,
# each matching a whole line), so a window still painting is read again.
shows_lines() {
    local id=$1 text
    shift
    text=$(screen_text "$id") || return 1
    for line in "$@"; do grep -Ex -- "$line" <<<"$text" >/dev/null || return 1; done
}
expect_lines() {
    local id=$1 what=$2
    shift 2
    eventually shows_lines "$id" "$@" || fail "$what; the window ($(shown "$id" && echo shown || echo 'no longer shown')) reads:
$(screen_text "$id")
The windows shown: $(xdo search --onlyvisible --name . 2>/dev/null | while read -r other; do xdo getwindowname "$other"; done | paste -sd '|')"
}

# The running copies of the program in this wine prefix (other prefixes may run their own).
running_copies() {
    local dir name
    for dir in /proc/[0-9]*; do
        [[ $(readlink "$dir/exe" 2>/dev/null) == */wine* ]] || continue
        IFS= read -r -d '' name 2>/dev/null <"$dir/cmdline" || continue
        [[ ${name,,} == *amorial.exe ]] || continue
        grep -qzxF "WINEPREFIX=$WINEPREFIX" "$dir/environ" 2>/dev/null && echo "${dir#/proc/}"
    done
    return 0
}
none_running() { [[ -z $(running_copies) ]]; }
start() {
    timeout -k 5 240 wine "$amorial" &
}
# Waits for the program to end and checks its exit status.
ends_with_success() {
    eventually ended "$1" || fail "$2 did not end the program"
    local status=0
    wait "$1" || status=$?
    ((status == 0)) || fail "$2 ended the program with exit status $status"
}

step "first start with no reminder date: the entry window and no question; today's date is stored"
timeout -k 5 60 wine reg delete 'HKCU\Software\amorial' /f >/dev/null 2>&1 || true
start
first=$!
eventually has_window "$main_title" || fail "no entry window"
entry=$(window "$main_title")
has_window "$box_title" && fail "a question came on the first start"
if [[ ${AMORIAL_UPDATE_REMINDER:-1} != 0 ]]; then
    eventually date_stored_is "$today" || fail "the first start stored '$(stored_date)', not $today"
fi

step "typing a name in small letters and picking 14 July 1932 with the keyboard"
focus "$entry"
xdo type --delay 60 'ann lee'
press Tab && down 13
press Tab && down 6
press Tab && down 2
expect_lines "$entry" "the entry window does not show the input" \
    'Name ANN LEE' 'Date Of Birth 14 July 1932'
screenshot "$entry" entry-window-windows

step "Alt+L finds the sign: the result window replaces the entry window and shows Gemini"
press alt+l
other_main_window() { windows "$main_title" | grep -vx "$entry"; }
eventually other_main_window || fail "no result window"
result=$(other_main_window | tail -n 1)
# The program hides the entry window before it shows the result window; under
# wine 10 the unmapping of the one can reach the X server after the mapping of the other.
eventually hidden "$entry" || fail "the entry window is still showing beside the result window"
expect_lines "$result" "the result window does not show Gemini and its paragraph" \
    'Venus in Your Chart is Placed in' 'Gemini' \
    'You attract a lot of people because of your ability to hold good'
screenshot "$result" result-window-windows

step "Back returns to the entry window with the input intact"
focus "$result"
press alt+b
eventually shown "$entry" || fail "Back did not bring the entry window back"
eventually hidden "$result" || fail "the result window is still showing"
expect_lines "$entry" "the input was lost on the way back" 'Name ANN LEE' 'Date Of Birth 14 July 1932'

step "Help > About Software opens the About window; Esc closes it"
focus "$entry"
press alt+h
sleep 1 # the menu opens as its own window, which takes the next key
press a
eventually other_main_window || fail "no About window"
about=$(other_main_window | tail -n 1)
expect_lines "$about" "the About window does not show its texts" ".*${main_title:1:-1}" 'Click here for more details'
screenshot "$about" about-window-windows
focus "$about"
press Escape
eventually hidden "$about" || fail "the About window did not close"
still_running "$first" || fail "closing the About window ended the program"

step "a second start shows only the refusal and ends; the first keeps running"
start
second=$!
eventually has_window "$box_title" || fail "the second start showed no message"
box=$(window "$box_title")
expect_lines "$box" "the refusal does not read as it should" '(.* )?Application is already running'
focus "$box"
press Return
ends_with_success "$second" "dismissing the refusal"
still_running "$first" || fail "the first instance ended"
shown "$entry" || fail "the first instance's window is gone"

step "Exit ends the program with status 0 and leaves no copy running"
focus "$entry"
press alt+e
ends_with_success "$first" "Exit"
eventually none_running || fail "copies of the program are still running: $(running_copies)"

old_date=$(date -d '20 days ago' +%F)
wine_ reg add "$settings" /v Duration /d "$old_date" /f >/dev/null 2>&1 || fail "cannot store a reminder date"
if [[ ${AMORIAL_UPDATE_REMINDER:-1} == 0 ]]; then
    step "built without the update reminder: a reminder date 20 days old brings no question and stays"
    start
    third=$!
    eventually has_window "$main_title" || fail "no entry window"
    has_window "$box_title" && fail "a reminder question came"
    focus "$(window "$main_title")"
    press alt+e
    ends_with_success "$third" "Exit"
    [[ $(stored_date) == "$old_date" ]] || fail "the reminder date was changed to '$(stored_date)'"
else
    step "a reminder date 20 days old: the question comes first, Enter opens the download page"
    start
    third=$!
    eventually has_window "$box_title" || fail "no reminder question"
    has_window "$main_title" && fail "the entry window came before the question"
    box=$(window "$box_title")
    # The question icon stands left of both lines; OCR may read a stroke of it before either.
    expect_lines "$box" "the question does not read as it should" \
        '(.* )?There maybe an update to this software available' '(.* )?Do you want to check for an update\?'
    focus "$box"
    press Return
    eventually grep -q 'ssd\.php?page=download-web-page$' "$opened" || fail "no download page: $(cat "$opened")"
    eventually has_window "$main_title" || fail "no entry window after the question"
    [[ $(stored_date) == "$today" ]] || fail "the reminder date is '$(stored_date)', not $today"
    focus "$(window "$main_title")"
    press alt+e
    ends_with_success "$third" "Exit"
    [[ $(wc -l <"$opened") == 1 ]] || fail "more pages were opened: $(cat "$opened")"
fi

step "nothing is left running in the wine prefix"
timeout -k 5 60 wineserver -w || fail "wine processes are still running after the program ended"

echo "end-to-end under wine: all steps passed"
