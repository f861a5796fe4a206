#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows installer and ZIP into a scratch folder, checks that both
# carry exactly the program's files, then, under wine in the prefix and on the
# display that scripts/windows-test prepared: installs silently into a folder
# of its own, starts the installed program with none of Qt's or the compiler's
# folders on the search path and waits for its window, and uninstalls
# silently, after which every file the installer made must be gone.
#   check-installer.sh <build folder>
set -euo pipefail
: "${WINEPREFIX:?run the Windows tests through scripts/windows-test}"
: "${DISPLAY:?run the Windows tests through scripts/windows-test}"
build_dir=$1
scratch=$(mktemp -d)
drive_c=$WINEPREFIX/drive_c
install_name=amorial-installer-test
install_dir=$drive_c/$install_name
program=
finish() {
    [[ -z $program ]] || kill "$program" 2>/dev/null || true
    timeout -k 5 30 wineserver -k 2>/dev/null || true
    # The uninstaller's copy of itself, which Windows would delete at the next start.
    rm -rf "$scratch" "$install_dir" "$drive_c"/users/*/Temp/~nsu*.tmp
}
trap finish EXIT
wine_own_server

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../scripts/tools.sh"
require_tools cpack wine wineserver xdotool || fail "tools are missing"
# Every wine command ends within its time limit, and only then: wine returns
# once the program it started has ended.
in_wine() { local limit=$1; shift; timeout -k 5 "$limit" wine "$@"; }
# Waits until every process in the prefix has ended and the wine server with them.
wine_settled() { timeout -k 5 "${1:-60}" wineserver -w; }
# The files and links under drive_c, but for the temporary folders wine and
# the uninstaller's copy of itself write to.
drive_c_files() {
    (cd "$drive_c" && find . -path '*/Temp' -prune -o ! -type d -print | LC_ALL=C sort)
}

# The program, the Qt and compiler libraries it loads, Qt's platform plugin
# and style, the licence: nothing else (no tests, no Qt Test library).
program_files='LICENSE.txt
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
amorial.exe
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
platforms/qwindows.dll
styles/qwindowsvistastyle.dll'

(cd "$scratch" && cpack -G "NSIS;ZIP" --config "$build_dir/CPackConfig.cmake" -B "$scratch" >/dev/null)
installer=$scratch/amorial-1.20-win64.exe
zip=$scratch/amorial-1.20-win64.zip
[[ -f $installer ]] || fail "no installer amorial-1.20-win64.exe: $(ls "$scratch")"
[[ -f $zip ]] || fail "no ZIP amorial-1.20-win64.zip: $(ls "$scratch")"
zip_files=$(cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^amorial-1\.20-win64/||' | LC_ALL=C sort)
[[ $zip_files == "$(LC_ALL=C sort <<<"$program_files")" ]] ||
    fail "the ZIP holds other files than the program's:$(diff <(echo "$program_files" | LC_ALL=C sort) <(echo "$zip_files"))"

packed=$SECONDS
# The installed program must find everything it loads beside itself.
unset WINEPATH
# What an interrupted run may have left.
rm -rf "$install_dir"
find "$drive_c" -path '*/Start Menu/Programs/Amorial' -prune -exec rm -rf {} +
before=$(drive_c_files)
in_wine 300 "Z:${installer//\//\\}" /S "/D=C:\\$install_name" || fail "the silent install failed (status $?)"
wine_settled || fail "wine processes still running after the install"
installed=$(cd "$install_dir" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
expected=$(printf '%s\nUninstall.exe\n' "$program_files" | LC_ALL=C sort)
[[ $installed == "$expected" ]] ||
    fail "the installer put other files than the program's in place:$(diff <(echo "$expected") <(echo "$installed"))"
added=$(LC_ALL=C comm -13 <(echo "$before") <(drive_c_files))
grep -q '/Start Menu/Programs/Amorial/Amorial\.lnk$' <<<"$added" || fail "no Start-menu entry Amorial among: $added"

# Started from its folder, as the Start-menu entry does, it shows its window;
# with no settings of an earlier run, no update question comes before it.
in_wine 60 reg delete 'HKCU\Software\amorial' /f >/dev/null 2>&1 || true
(cd "$install_dir" && exec timeout -k 5 120 wine "C:\\$install_name\\amorial.exe") &
program=$!
window=
for _ in $(seq 120); do
    window=$(xdotool search --name '^Amorial v1\.20$' 2>/dev/null | head -n 1) && [[ -n $window ]] && break
    kill -0 "$program" 2>/dev/null || fail "the installed program ended without showing its window"
    sleep 0.5
done
[[ -n $window ]] || fail "the installed program showed no window \"Amorial v1.20\" within a minute"
timeout 10 xdotool windowfocus "$window" key --clearmodifiers alt+F4
status=0
wait "$program" || status=$?
program=
((status == 0)) || fail "the program, closed with Alt+F4, ended with status $status"
wine_settled || fail "wine processes still running after the program ended"

in_wine 120 "C:\\$install_name\\Uninstall.exe" /S || fail "the silent uninstall failed (status $?)"
# The uninstaller runs from a copy of itself in the temporary folder and
# returns at once; the copy has finished when the prefix is idle.
wine_settled 120 || fail "the uninstaller was still running after two minutes"
left=$(LC_ALL=C comm -3 <(echo "$before") <(drive_c_files))
[[ -z $left ]] || fail "the uninstall left these behind (or took them away): $left"
[[ ! -e $install_dir ]] || fail "the uninstall left the folder $install_name"
echo "installer: $(stat -c %s "$installer") bytes, built in ${packed} s;" \
    "installed, started, closed and uninstalled in $((SECONDS - packed)) s"
