#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the built program under wine as Explorer, a shortcut or "Open with"
# would, with no console and no standard handles (wine's start), and checks
# that its help and its refusal of an argument each come in a message box
# captioned "Amorial", read by read_message_box.exe, and that the program then
# ends with its status: 0 after the help, 2 after the refusal.
#   arguments.sh <amorial.exe> <read_message_box.exe>
set -euo pipefail
: "${WINEPREFIX:?run the Windows tests through scripts/windows-test}"
: "${DISPLAY:?run the Windows tests through scripts/windows-test}"
program=$1
reader=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

help_text="Usage: amorial [OPTION]...
Find the zodiac sign Venus stood in on a birthday from 1930 to 2012.

  /?, -h, --help  display this help and exit
  -v, --version   output version information and exit

Qt's own options, such as -platform and -style, are accepted too.
[OK]"
refusal="amorial: unexpected argument 'notes.txt'
Try 'amorial --help' for more information.
[OK]"

# arguments, the status the program must end with, the box's text and buttons
cases=(
    "/?|0|$help_text"
    "-h|0|$help_text"
    "--help|0|$help_text"
    "notes.txt|2|$refusal"
)
for case in "${cases[@]}"; do
    argument=${case%%|*}
    rest=${case#*|}
    expected_status=${rest%%|*}
    expected_box=${rest#*|}
    timeout -k 5 90 wine start /wait /unix "$program" "$argument" </dev/null >/dev/null 2>&1 &
    started=$!
    box=$(timeout -k 5 90 wine "$reader" Amorial 60 | tr -d '\r') ||
        { kill "$started" 2>/dev/null || true; fail "amorial.exe $argument: no message box \"Amorial\" within a minute"; }
    status=0
    wait "$started" || status=$?
    [[ $box == "$expected_box" ]] || fail "amorial.exe $argument: the box reads
$box
rather than
$expected_box"
    ((status == expected_status)) || fail "amorial.exe $argument: ended with status $status, not $expected_status"
    echo "amorial.exe $argument: the box, then status $status"
done
