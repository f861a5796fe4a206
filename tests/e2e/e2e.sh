#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Drives the built program on a real X server like a person would: keyboard in,
# screen and accessibility tree out. Run inside an X server and a D-Bus session:
#   tests/with-xvfb.sh dbus-run-session -- bash e2e.sh <amorial executable> [screenshot folder]
set -euo pipefail
amorial=$(realpath "$1")
shots=${2:-}
here=$(dirname "$(realpath "$0")")

source "$here/../common/e2e-lib.sh"
require_tools xdotool xprop import python3 dbus-send || fail "tools are missing"

scratch=$(mktemp -d)
cleanup() {
    jobs -p | xargs -r kill 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# A fresh user: home, settings, runtime folder, and a browser that only takes notes.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$scratch/bin" && mkdir -m 700 "$XDG_RUNTIME_DIR"
opened=$scratch/opened.txt
note_taking_browser "$scratch/bin/xdg-open" "$opened"
# Whatever the program prints on the terminal: nothing, in a whole session.
said=$scratch/said.txt
: >"$said"
export PATH=$scratch/bin:$PATH
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DEFAULT_BROWSER BROWSER
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &

names() { /usr/bin/python3 "$here/a11y.py" names; }
# grep reads to the end: with pipefail, a reader that stops early fails the writer.
shows() { names | grep -F -- "$1" >/dev/null; }
name_box_reads() { names | grep -P "^text\t.*\t$1\$" >/dev/null; }
# No window manager runs here to hand the focus to a newly shown window.
focus() { xdo windowfocus --sync "$(window "$1")"; }
help_menu_open() { names | grep -P '^menu item\tOnline Help\t' >/dev/null; }
not() { ! "$@"; }
open_help_menu() {
    focus "$main_title"
    press alt+h
    eventually help_menu_open || { names; fail "Alt+H did not open the Help menu"; }
}
# pick <list> <downs> <item>: Tab to the next list and walk down it to the item.
pick() {
    press Tab && down "$2"
    eventually shows $'combo box\t'"$3" || { names; fail "the $1 list does not show $3"; }
}
# esc_ends <pid>: Esc in the entry window ends that program.
esc_ends() {
    focus "$main_title"
    press Escape
    eventually ended "$1" || fail "Esc did not end the program"
}

# Qt looks for the accessibility bus once, at start-up: it must be up before the program.
accessibility_bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}
eventually accessibility_bus_up || fail "no accessibility bus"


step "first start: no question, the entry window comes up with the name box focused"
"$amorial" 2>>"$said" &
first=$!
eventually has_window "$main_title" || fail "no entry window"
has_window "$box_title" && fail "a question came on the first start"
focus "$main_title"
eventually shows $'combo box\t1' || fail "the entry window is not on the accessibility bus"

step "the window belongs to the menu entry: its instance is the entry's name, also its StartupWMClass"
entry=$here/../../src/resources/desktop/example.amorial.Amorial.desktop
entry_name=$(basename "$entry" .desktop)
entry_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
wm_class=$(xprop -id "$(window "$main_title")" WM_CLASS)
[[ $wm_class == "WM_CLASS(STRING) = \"$entry_name\", \"amorial\"" && $entry_class == "$entry_name" ]] ||
    fail "the window's $wm_class does not match $entry_name (StartupWMClass=$entry_class)"

step "typing a name in small letters gives capitals"
xdotool type --delay 40 'ann lee'
eventually name_box_reads 'ANN LEE' || { names; fail "the name box does not read ANN LEE"; }

step "picking 14 July 1932 with the keyboard"
pick day 13 14
pick month 6 July
pick year 2 1932
screenshot "$(window "$main_title")" entry-window

step "Alt+L finds the sign and shows the result window"
press alt+l
eventually shows $'label\tGemini' || { names; fail "the result window does not show Gemini"; }
shows 'Venus in Your Chart is Placed in' || fail "the result window's caption is missing"
# What a screen reader reads as the window becomes active.
/usr/bin/python3 "$here/a11y.py" windows | grep -P "${main_title%\$}\tGemini\. You " >/dev/null ||
    fail "the result window's description is: $(/usr/bin/python3 "$here/a11y.py" windows)"
screenshot "$(window "$main_title")" result-window

step "Back returns to the entry window with the input intact"
focus "$main_title"
press alt+b
eventually shows $'combo box\tJuly' || { names; fail "Back did not bring the entry window back"; }
name_box_reads 'ANN LEE' || fail "the name was lost on the way back"
shows $'label\tGemini' && fail "the result window is still showing"

step "Help > Online Help hands the help page to the desktop"
open_help_menu
press o
eventually grep -q 'ssd.php?page=help-web-page$' "$opened" || fail "no help page was opened: $(cat "$opened")"

step "About window opens over the entry window and closes with Esc"
open_help_menu
press a
about_open() { names | grep -P '^link\tClick here for more details\t' >/dev/null; }
eventually about_open || fail "no About window"
screenshot "$(window "$main_title")" about-window
focus "$main_title"
press Escape
eventually not about_open || fail "the About window did not close"
still_running "$first" || fail "closing the About window ended the program"

step "a second start shows only the refusal and ends; the first keeps running"
"$amorial" 2>>"$said" &
second=$!
eventually has_window "$box_title" || fail "the second start showed no message"
/usr/bin/python3 "$here/a11y.py" dialog-text | grep -x 'Application is already running' >/dev/null ||
    fail "the refusal says: $(/usr/bin/python3 "$here/a11y.py" dialog-text)"
focus "$box_title"
press Return
eventually ended "$second" || fail "the refused start did not end"
still_running "$first" || fail "the first instance ended"

step "Esc ends the program"
esc_ends "$first"

printf '[Settings]\nDuration=%s\n' "$(date -d '20 days ago' +%F)" >"$XDG_CONFIG_HOME/amorial.conf"
if [[ ${AMORIAL_UPDATE_REMINDER:-1} == 0 ]]; then
step "built without the update reminder: a reminder date 20 days old brings no question and stays"
cp "$XDG_CONFIG_HOME/amorial.conf" "$scratch/settings-before"
"$amorial" &
third=$!
eventually has_window "$main_title" || fail "no entry window"
has_window "$box_title" && fail "a reminder question came"
esc_ends "$third"
cmp -s "$XDG_CONFIG_HOME/amorial.conf" "$scratch/settings-before" || fail "the settings were written"
else
step "a reminder date 20 days old: the question comes first, Enter opens the download page"
: >"$opened"
"$amorial" 2>>"$said" &
third=$!
eventually has_window "$box_title" || fail "no reminder question"
has_window "$main_title" && fail "the entry window came before the question"
focus "$box_title"
press Return
eventually grep -q 'ssd.php?page=download-web-page$' "$opened" || fail "no download page: $(cat "$opened")"
eventually has_window "$main_title" || fail "no entry window after the question"
# Saved from the event loop once the window is up.
eventually grep -q "Duration=$(date +%F)" "$XDG_CONFIG_HOME/amorial.conf" || fail "today's date was not stored"
esc_ends "$third"

fi

step "with no browser to be found, Online Help shows nothing and the terminal stays silent"
mkdir -p "$scratch/nothing"
PATH=$scratch/nothing "$amorial" 2>>"$said" &
fourth=$!
eventually has_window "$main_title" || fail "no entry window"
open_help_menu
press o
# The menu closes in the key press that hands the page on: once it has gone,
# the program has tried the browser and said whatever it was to say.
eventually not help_menu_open || fail "Online Help did not close the Help menu"
esc_ends "$fourth"
[[ -s $said ]] && fail "the program wrote to the terminal: $(cat "$said")"

echo "end-to-end: all steps passed"
