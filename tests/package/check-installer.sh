#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows installer and ZIP into a scratch folder, and an installer
# of an earlier version that ships one file more, then checks under wine, in
# the prefix and on the display that scripts/windows-test prepared:
# - the ZIP and the installed folder hold exactly the program's files;
# - the earlier version installs silently into a folder of its own, and the
#   new installer, run with /S alone, upgrades it in that same folder, leaving
#   no file of the earlier version;
# - the installer, and the program in it and in the ZIP, are signed with a
#   certificate made for the run, and packing without one says it signs nothing;
# - two unsigned packings, at different times in different folders, give the
#   same bytes, the program's header holds no time and the program no folder
#   of the build; the signed program and installer are the unsigned ones with
#   their signatures attached (the installer packed with the program's
#   signature attached, as it ships it);
# - the ZIP carries the empty portable settings file, the installer does not;
# - the Add/Remove Programs entry is complete, its numbers DWORD values;
# - the installed program starts, with none of Qt's or the compiler's folders
#   on the search path, and while it runs neither the installer nor the
#   uninstaller touches a file, and both end with a non-zero status;
# - the silent uninstall leaves nothing behind on drive C: or in HKLM;
# - the installed program keeps its date in the registry; unpacked from the
#   ZIP, it keeps it in amorial.ini beside itself, on the first start and when
#   it reminds, and writes nothing to the registry; with amorial.ini and its
#   folder read-only it asks, as with a read-only registry key, and changes nothing.
#   check-installer.sh <build folder>
set -euo pipefail
: "${WINEPREFIX:?run the Windows tests through scripts/windows-test}"
: "${DISPLAY:?run the Windows tests through scripts/windows-test}"
build_dir=$1
scratch=$(mktemp -d)
drive_c=$WINEPREFIX/drive_c
install_name=amorial-installer-test
install_dir=$drive_c/$install_name
portable_name=amorial-portable-test
portable_dir=$drive_c/$portable_name
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Amorial'
program=
finish() {
    [[ -z $program ]] || kill "$program" 2>/dev/null || true
    timeout -k 5 30 wineserver -k 2>/dev/null || true
    # The uninstaller's copy of itself, which Windows would delete at the next start.
    chmod -R u+w "$portable_dir" 2>/dev/null || true
    rm -rf "$scratch" "$install_dir" "$portable_dir" "$drive_c"/users/*/Temp/~nsu*.tmp
}
trap finish EXIT
wine_own_server

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$(dirname "$0")/../../scripts/tools.sh"
require_tools cpack wine wineserver xdotool osslsigncode x86_64-w64-mingw32-objdump || fail "tools are missing"
# The version and the source's date that the build packs, as CMake has them.
cpack_value() { sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$build_dir/CPackConfig.cmake"; }
version=$(cpack_value CPACK_PACKAGE_VERSION)
source_date=$(cpack_value CPACK_AMORIAL_SOURCE_DATE_EPOCH)
[[ -n $version && -n $source_date ]] || fail "$build_dir/CPackConfig.cmake names no version or no source date"
package_name=amorial-$version-win64
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
# The installed folder's files, relative to it.
installed_files() { (cd "$install_dir" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort); }
# Each installed file with its size and time of change: what "untouched" compares.
installed_state() { (cd "$install_dir" && find . -printf '%P %s %T@\n' | LC_ALL=C sort); }
# The machine-wide registry keys, read once the wine server has written them out.
hklm_keys() { grep '^\[' "$WINEPREFIX/system.reg" | sed 's/\] [0-9]*$/]/' | LC_ALL=C sort; }
# The lines of HKLM that name the program, keys or values, but for their times.
hklm_mentions() { grep -i 'amorial' "$WINEPREFIX/system.reg" | sed 's/\] [0-9]*$/]/' | LC_ALL=C sort || true; }
# The reminder's date in the registry, empty when there is none.
stored_date() {
    in_wine 60 reg query 'HKCU\Software\amorial\Settings' /v Duration 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *Duration *REG_SZ *//p'
}
# reg query's line for one value of the Add/Remove Programs entry: "<type> <data>".
entry_value() {
    in_wine 60 reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$1 \{4\}\(REG_[A-Z_]*\) \{4\}\(.*\)$/\1 \2/p"
}
# The first visible window of this title, empty when there is none.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
entry_title="^Amorial v${version//./\\.}\$"
# start_program <folder in C:> <what> <question expected: yes|no>: starts the
# program from its folder, as the Start-menu entry does, answers No (Escape) to
# the reminder's question when it is expected, and waits for the entry window,
# leaving it in $window.
start_program() {
    (cd "$drive_c/$1" && exec timeout -k 5 120 wine "C:\\$1\\amorial.exe") &
    program=$!
    local box=
    window=
    for _ in $(seq 120); do
        box=$(find_window '^Amorial$')
        window=$(find_window "$entry_title")
        [[ -n $box || -n $window ]] && break
        kill -0 "$program" 2>/dev/null || fail "$2: the program ended without showing a window"
        sleep 0.5
    done
    if [[ $3 == yes ]]; then
        [[ -n $box && -z $window ]] || fail "$2: no reminder question before the entry window"
        timeout 10 xdotool windowfocus "$box" key --clearmodifiers Escape
        for _ in $(seq 120); do
            window=$(find_window "$entry_title") && [[ -n $window ]] && break
            sleep 0.5
        done
    fi
    [[ -z $box || $3 == yes ]] || fail "$2: a reminder question came"
    [[ -n $window ]] || fail "$2: no entry window \"Amorial v$version\" within a minute"
}
# close_program <what>: Alt+F4 in the entry window ends the program well.
close_program() {
    timeout 10 xdotool windowfocus "$window" key --clearmodifiers alt+F4
    local status=0
    wait "$program" || status=$?
    program=
    ((status == 0)) || fail "$1: the program, closed with Alt+F4, ended with status $status"
    wine_settled || fail "$1: wine processes still running after the program ended"
}

# The program's files, as the build installs them: the program, the Qt and
# compiler libraries it loads, Qt's platform plugin and style, its licence,
# the notice on the libraries and their licences, and the portable settings
# file, which only the ZIP ships. Nothing of the tests comes with them.
cmake --install "$build_dir" --prefix "$scratch/installed" >/dev/null || fail "cmake --install failed"
program_files=$(cd "$scratch/installed" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
grep -qx amorial.exe <<<"$program_files" || fail "the build installs no amorial.exe: $program_files"
grep -qx amorial.ini <<<"$program_files" || fail "the build installs no portable settings file amorial.ini: $program_files"
! grep -Eq '(^|/)(tst_[^/]*|Qt6Test\.dll)$' <<<"$program_files" || fail "the build installs tests: $program_files"
installer_files=$(grep -vx amorial.ini <<<"$program_files")

# The earlier version: the same files and one more, which the new one no
# longer ships. It is built without a certificate, and so not signed.
mkdir -p "$scratch/earlier-extra"
echo "shipped by 1.19 only" >"$scratch/earlier-extra/earlier-only.txt"
packing=$(cd "$scratch" && env -u AMORIAL_SIGN_PKCS12 cpack -G NSIS --config "$build_dir/CPackConfig.cmake" -B "$scratch" \
    -D CPACK_PACKAGE_VERSION=1.19 -D CPACK_NSIS_AMORIAL_FILE_VERSION=1.19.0.0 \
    -D CPACK_PACKAGE_FILE_NAME=amorial-1.19-win64 \
    -D "CPACK_INSTALLED_DIRECTORIES=$scratch/earlier-extra;.")
for name in amorial.exe amorial-1.19-win64.exe; do
    grep -q "Not signed: $name (no certificate" <<<"$packing" || fail "packing without a certificate did not say that $name is not signed: $packing"
done
# The new version is signed with a certificate of its own, made for this run.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Amorial installer test" \
    -addext extendedKeyUsage=codeSigning -keyout "$scratch/key.pem" -out "$scratch/certificate.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$scratch/key.pem" -in "$scratch/certificate.pem" -passout pass:test-only \
    -out "$scratch/certificate.p12"
packing=$(cd "$scratch" && AMORIAL_SIGN_PKCS12=$scratch/certificate.p12 AMORIAL_SIGN_PASSWORD=test-only \
    cpack -G "NSIS;ZIP" --config "$build_dir/CPackConfig.cmake" -B "$scratch")
[[ $(grep -c '^-- Signed: ' <<<"$packing") == 3 ]] ||
    fail "packing with a certificate did not sign the program twice and the installer once: $packing"
signed() { osslsigncode verify -in "$1" -CAfile "$scratch/certificate.pem" >"$scratch/verify.log" 2>&1; }
earlier=$scratch/amorial-1.19-win64.exe
installer=$scratch/$package_name.exe
zip=$scratch/$package_name.zip
for package in "$earlier" "$installer" "$zip"; do
    [[ -f $package ]] || fail "no $(basename "$package"): $(ls "$scratch")"
done
zip_files=$(cmake -E tar tf "$zip" | grep -v '/$' | sed "s|^$package_name/||" | LC_ALL=C sort)
[[ $zip_files == "$program_files" ]] ||
    fail "the ZIP holds other files than the program's:$(diff <(echo "$program_files") <(echo "$zip_files"))"
# The installer's own version resource.
installer_version=$(python3 "$(dirname "$0")/../windows/peresources.py" version "$installer")
for line in ProductName=Amorial "ProductVersion=$version" "FileVersion=$version" 'CompanyName=The Amorial developers'; do
    grep -qxF "$line" <<<"$installer_version" || fail "the installer's version resource lacks $line: $installer_version"
done

# licence_texts_read <folder>: the notice and the licences are what they say,
# in Windows' line ends.
licence_texts_read() {
    local folder=$1 file first_line
    while IFS='|' read -r file first_line; do
        [[ $(head -n 1 "$folder/$file") == "$first_line"$'\r' ]] ||
            fail "$file in $folder does not begin with \"$first_line\" and a CR LF: $(head -n 1 "$folder/$file")"
    done <<'TEXTS'
LICENSE.txt|MIT License
licenses/LGPL-3.0.txt|                   GNU LESSER GENERAL PUBLIC LICENSE
licenses/GPL-3.0.txt|                    GNU GENERAL PUBLIC LICENSE
licenses/Qt-copyright.txt|Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
TEXTS
    [[ $(head -n 1 "$folder/NOTICE.txt") == "Amorial $version for Windows"$'\r' ]] ||
        fail "NOTICE.txt in $folder does not begin with \"Amorial $version for Windows\": $(head -n 1 "$folder/NOTICE.txt")"
    grep -q '^Qt 6\.4\.2: ' "$folder/NOTICE.txt" || fail "NOTICE.txt in $folder names no Qt 6.4.2"
    grep -q '^Upstream-Name: qtbase-everywhere-src' "$folder/licenses/Qt-copyright.txt" || fail "Qt-copyright.txt in $folder is not Qt's"
    grep -q 'GCC RUNTIME LIBRARY EXCEPTION' "$folder/licenses/GCC-runtime-copyright.txt" ||
        fail "GCC-runtime-copyright.txt in $folder has no GCC Runtime Library Exception"
    grep -q 'winpthreads' "$folder/licenses/mingw-w64-copyright.txt" || fail "mingw-w64-copyright.txt in $folder says nothing of winpthreads"
}
mkdir "$scratch/unzipped"
(cd "$scratch/unzipped" && cmake -E tar xf "$zip")
licence_texts_read "$scratch/unzipped/$package_name"
[[ -f $scratch/unzipped/$package_name/amorial.ini && ! -s $scratch/unzipped/$package_name/amorial.ini ]] ||
    fail "the ZIP's amorial.ini is missing or not empty"
signed "$installer" || fail "the installer's signature does not verify: $(cat "$scratch/verify.log")"
signed "$scratch/unzipped/$package_name/amorial.exe" ||
    fail "the signature of amorial.exe in the ZIP does not verify: $(cat "$scratch/verify.log")"
! signed "$earlier" || fail "the installer built without a certificate is signed"

# The same bytes from every packing of a build: unsigned, packed again two
# seconds later, in another folder and time zone, the installer and the ZIP
# are the same; every file in the ZIP carries the source's date.
pack_unsigned() { # <folder> <generators> [VARIABLE=value...]
    mkdir -p "$1"
    (cd "$1" && env -u AMORIAL_SIGN_PKCS12 "${@:3}" cpack -G "$2" --config "$build_dir/CPackConfig.cmake" -B "$1" \
        >"$1/packing.log" 2>&1) || fail "packing into $1 failed: $(tail -n 5 "$1/packing.log")"
}
pack_unsigned "$scratch/unsigned" "NSIS;ZIP"
sleep 2
pack_unsigned "$scratch/again/elsewhere" "NSIS;ZIP" TZ=Pacific/Kiritimati
for name in "$package_name.exe" "$package_name.zip"; do
    cmp -s "$scratch/unsigned/$name" "$scratch/again/elsewhere/$name" || fail "two packings of one build give different $name"
done
zip_dates=$(python3 -c 'import sys, zipfile
print("\n".join(sorted({"%04d-%02d-%02d %02d:%02d:%02d" % i.date_time for i in zipfile.ZipFile(sys.argv[1]).infolist()})))' \
    "$scratch/unsigned/$package_name.zip")
source_dos_date=$(TZ=UTC0 date -d "@$((source_date / 2 * 2))" '+%Y-%m-%d %H:%M:%S')
[[ $zip_dates == "$source_dos_date" ]] || fail "the ZIP's files are not all dated $source_dos_date, the source's date: $zip_dates"
mkdir "$scratch/unsigned/unzipped"
(cd "$scratch/unsigned/unzipped" && cmake -E tar xf "../$package_name.zip")
unsigned_program=$scratch/unsigned/unzipped/$package_name/amorial.exe
# No time of linking in the program's header, and no folder of the build in
# the program; stripped for packing, its header carries the source's date.
header_time() { TZ=UTC0 LC_ALL=C x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Time\/Date[[:space:]]*//p'; }
[[ $(header_time "$scratch/installed/amorial.exe") == "$(TZ=UTC0 LC_ALL=C date -d @0 '+%a %b %e %H:%M:%S %Y')" ]] ||
    fail "amorial.exe carries the time of its linking: $(header_time "$scratch/installed/amorial.exe")"
[[ $(header_time "$unsigned_program") == "$(TZ=UTC0 LC_ALL=C date -d "@$source_date" '+%a %b %e %H:%M:%S %Y')" ]] ||
    fail "the packed amorial.exe is not dated $source_date, the source's date: $(header_time "$unsigned_program")"
source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build_dir/CMakeCache.txt")
for folder in "$source_dir" "$(cd "$build_dir" && pwd)"; do
    ! grep -qaF "$folder" "$scratch/installed/amorial.exe" || fail "amorial.exe names the build's folder $folder"
done

# Signing is the last step: the signed program is the unsigned one with its
# signature attached. (Taking the signature off instead would leave the
# padding and the header checksum that signing adds.)
# same_with_signature <signed> <unsigned> <what>
same_with_signature() {
    rm -f "$scratch/signature.der"
    osslsigncode extract-signature -in "$1" -out "$scratch/signature.der" >/dev/null 2>&1 ||
        fail "osslsigncode could not read the signature of $3"
    # Attaching checks the signature against the system's authorities too,
    # which do not know the test's certificate; the file written is what counts.
    rm -f "$scratch/attached.exe"
    osslsigncode attach-signature -sigin "$scratch/signature.der" -in "$2" -out "$scratch/attached.exe" >/dev/null 2>&1 || true
    cmp -s "$scratch/attached.exe" "$1" || fail "the signed $3 is not the unsigned one with its signature attached"
}
same_with_signature "$scratch/unzipped/$package_name/amorial.exe" "$unsigned_program" amorial.exe

packed=$SECONDS
# The installed program must find everything it loads beside itself.
unset WINEPATH
# What an interrupted run may have left.
rm -rf "$install_dir" "$drive_c/Program Files/Amorial"
find "$drive_c" -path '*/Start Menu/Programs/Amorial*' -prune -exec rm -rf {} +
in_wine 60 reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
wine_settled || fail "wine processes still running before the install"
before=$(drive_c_files)
keys_before=$(hklm_keys)
mentions_before=$(hklm_mentions)

in_wine 300 "Z:${earlier//\//\\}" /S "/D=C:\\$install_name" || fail "the silent install of 1.19 failed (status $?)"
wine_settled || fail "wine processes still running after the install of 1.19"
[[ -f $install_dir/earlier-only.txt ]] || fail "1.19 did not install its own file: $(installed_files)"

# No /D: the new version goes where the earlier one is.
in_wine 300 "Z:${installer//\//\\}" /S || fail "the silent upgrade failed (status $?)"
wine_settled || fail "wine processes still running after the upgrade"
[[ ! -e "$drive_c/Program Files/Amorial" ]] || fail "the upgrade installed into Program Files, not into the folder in use"
expected=$(printf '%s\nUninstall.exe\n' "$installer_files" | LC_ALL=C sort)
installed=$(installed_files)
[[ $installed == "$expected" ]] ||
    fail "after the upgrade the folder holds other files than the program's:$(diff <(echo "$expected") <(echo "$installed"))"
licence_texts_read "$install_dir"
signed "$install_dir/amorial.exe" || fail "the installed amorial.exe is not signed: $(cat "$scratch/verify.log")"
# The signed installer is, with its signature attached, the installer packed
# from this build with the signature of the program it holds attached.
osslsigncode extract-signature -in "$install_dir/amorial.exe" -out "$scratch/program-signature.der" >/dev/null 2>&1 ||
    fail "osslsigncode could not read the installed program's signature"
pack_unsigned "$scratch/with-program-signature" NSIS "AMORIAL_PROGRAM_SIGNATURE=$scratch/program-signature.der"
same_with_signature "$installer" "$scratch/with-program-signature/$package_name.exe" installer
added=$(LC_ALL=C comm -13 <(echo "$before") <(drive_c_files))
shortcuts=$(grep '\.lnk$' <<<"$added" || true)
[[ $shortcuts == *'/Start Menu/Programs/Amorial.lnk' && $(wc -l <<<"$shortcuts") == 1 ]] ||
    fail "the shortcuts are not just the Start-menu entry Amorial: $shortcuts"

# The Add/Remove Programs entry, each value with its type.
size_kb=$(du -sk --apparent-size "$install_dir" | cut -f1)
declare -A entry=(
    [DisplayName]='REG_SZ Amorial'
    [DisplayVersion]="REG_SZ $version"
    [Publisher]='REG_SZ The Amorial developers'
    [DisplayIcon]="REG_SZ C:\\$install_name\\amorial.exe,0"
    [InstallLocation]="REG_SZ C:\\$install_name"
    [UninstallString]="REG_SZ \"C:\\$install_name\\Uninstall.exe\""
    [QuietUninstallString]="REG_SZ \"C:\\$install_name\\Uninstall.exe\" /S"
    [URLInfoAbout]='REG_SZ http://www.amorial.example'
    [NoModify]='REG_DWORD 0x1'
    [NoRepair]='REG_DWORD 0x1'
)
for name in "${!entry[@]}"; do
    value=$(entry_value "$name")
    [[ $value == "${entry[$name]}" ]] || fail "Add/Remove Programs entry: $name is '$value', not '${entry[$name]}'"
done
estimated=$(entry_value EstimatedSize)
[[ $estimated =~ ^REG_DWORD\ 0x([0-9a-f]+)$ ]] || fail "Add/Remove Programs entry: EstimatedSize is '$estimated', not a DWORD"
((16#${BASH_REMATCH[1]} * 10 > size_kb * 9 && 16#${BASH_REMATCH[1]} * 10 < size_kb * 11)) ||
    fail "Add/Remove Programs entry: EstimatedSize is $((16#${BASH_REMATCH[1]})) KB for a folder of $size_kb KB"

# Started from its folder, as the Start-menu entry does, it shows its window;
# with no settings of an earlier run, no update question comes before it.
in_wine 60 reg delete 'HKCU\Software\amorial' /f >/dev/null 2>&1 || true
start_program "$install_name" installed no

# While it runs: the installer and the uninstaller refuse and touch nothing.
# The uninstaller is run in place (_?=), as an upgrade runs it, so that its
# status is its own rather than that of the copy it would start in Temp.
state=$(installed_state)
status=0
in_wine 120 "Z:${installer//\//\\}" /S || status=$?
((status != 0)) || fail "the silent install went ahead while the program ran"
((status != 124 && status != 137)) || fail "the silent install did not end within two minutes while the program ran"
[[ $(installed_state) == "$state" ]] || fail "the refused install changed the installed files"
status=0
in_wine 120 "C:\\$install_name\\Uninstall.exe" /S "_?=C:\\$install_name" || status=$?
((status != 0)) || fail "the silent uninstall went ahead while the program ran"
[[ $(installed_state) == "$state" ]] || fail "the refused uninstall changed the installed files"

close_program installed
[[ $(stored_date) == "$(date +%F)" ]] || fail "the installed program did not keep today's date in the registry: '$(stored_date)'"
[[ ! -e $install_dir/amorial.ini ]] || fail "the installed program wrote amorial.ini"

in_wine 120 "C:\\$install_name\\Uninstall.exe" /S || fail "the silent uninstall failed (status $?)"
# The uninstaller runs from a copy of itself in the temporary folder and
# returns at once; the copy has finished when the prefix is idle.
wine_settled 120 || fail "the uninstaller was still running after two minutes"
left=$(LC_ALL=C comm -3 <(echo "$before") <(drive_c_files))
[[ -z $left ]] || fail "the uninstall left these behind (or took them away): $left"
[[ ! -e $install_dir ]] || fail "the uninstall left the folder $install_name"
keys_left=$(LC_ALL=C comm -13 <(echo "$keys_before") <(hklm_keys))
[[ -z $keys_left ]] || fail "the uninstall left these keys in HKLM: $keys_left"
mentions_left=$(LC_ALL=C comm -13 <(echo "$mentions_before") <(hklm_mentions))
[[ -z $mentions_left ]] || fail "HKLM still names Amorial: $mentions_left"

# The portable copy: the ZIP unpacked into a folder of its own.
cp -r "$scratch/unzipped/$package_name" "$portable_dir"
ini=$portable_dir/amorial.ini
in_wine 60 reg delete 'HKCU\Software\amorial' /f >/dev/null 2>&1 || true
registry_untouched() {
    ! in_wine 60 reg query 'HKCU\Software\amorial' >/dev/null 2>&1 || fail "$1: the program wrote to HKCU\\Software\\amorial"
}
# start_portable <what> <question expected: yes|no>: the portable copy started
# and closed; it writes nothing to the registry.
start_portable() {
    start_program "$portable_name" "$1" "$2"
    close_program "$1"
    registry_untouched "$1"
}
ini_date() { tr -d '\r' <"$ini" | sed -n 's/^Duration=//p'; }
start_portable "portable, first start" no
[[ $(ini_date) == "$(date +%F)" ]] || fail "portable, first start: amorial.ini holds not today's date: $(cat "$ini")"
printf '[Settings]\nDuration=%s\n' "$(date -d '15 days ago' +%F)" >"$ini"
start_portable "portable, 15 days later" yes
[[ $(ini_date) == "$(date +%F)" ]] || fail "portable, 15 days later: amorial.ini holds not today's date: $(cat "$ini")"
# On a locked stick: the file and its folder read-only.
printf '[Settings]\nDuration=%s\n' "$(date -d '15 days ago' +%F)" >"$ini"
cp "$ini" "$scratch/ini-before"
chmod a-w "$ini" "$portable_dir"
start_portable "portable, read-only" yes
cmp -s "$ini" "$scratch/ini-before" || fail "portable, read-only: amorial.ini changed: $(cat "$ini")"
[[ $(ls -A "$portable_dir" | LC_ALL=C sort) == $(ls -A "$scratch/unzipped/$package_name" | LC_ALL=C sort) ]] ||
    fail "portable, read-only: the folder's files changed: $(ls -A "$portable_dir")"
chmod u+w "$ini" "$portable_dir"

echo "installer: $(stat -c %s "$installer") bytes, built in ${packed} s;" \
    "upgraded, checked, started, refused, closed and uninstalled in $((SECONDS - packed)) s"
