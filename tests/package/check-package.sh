#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks what dpkg-buildpackage made: lintian on the source package, the .deb
# and the .changes; the files of the .deb against what `cmake --install` puts
# in place; the control fields; the version against CMakeLists.txt; the
# hardening, the manual page, the desktop entry and the metainfo.
#   check-package.sh <the .changes> <the package's CMake build folder> [--unpacked]
# With --unpacked, the package's autopkgtests (debian/tests) also run, against
# the program unpacked from the .deb rather than installed. Installs nothing.
set -euo pipefail
changes=$1
package_build=$2
unpacked_tests=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
out=$(dirname "$changes")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$source_dir/scripts/tools.sh"
require_tools cmake dpkg-deb dpkg-parsechangelog lintian hardening-check man readelf desktop-file-validate appstreamcli ||
    fail "tools are missing"

# The version is CMakeLists.txt's, and the changelog's latest entry names it too.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$package_build/CMakeCache.txt")
[[ -n $version ]] || fail "no project version in $package_build/CMakeCache.txt"
[[ $(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version) == "$version" ]] ||
    fail "debian/changelog's latest entry is not CMakeLists.txt's version $version"
deb=$(ls "$out"/amorial_"$version"_*.deb)
[[ -f $out/amorial_$version.dsc ]] || fail "no source package amorial_$version.dsc"

# Debian's own checker on everything the build made: no errors, no warnings and
# no notes (those that stay are overridden in debian/, each with its reason).
# debian/control keeps the newest Standards-Version that Debian 12's lintian
# knows, as a newer one is a warning there; a newer lintian (Debian 13's) then
# notes that policy has moved on, which is no fault of the package.
lintian_options=()
newest_policy=$(grep -o '"version" *: *"[0-9.]*"' /usr/share/lintian/data/debian-policy/releases.json 2>/dev/null |
    grep -o '[0-9][0-9.]*' | sort -V | tail -n 1)
ours=$(sed -n 's/^Standards-Version: *//p' "$source_dir/debian/control")
if [[ -n $newest_policy ]] && dpkg --compare-versions "$newest_policy" gt "$ours.0"; then
    lintian_options+=(--suppress-tags out-of-date-standards-version)
fi
lintian_report=$(lintian --info --display-info --fail-on error,warning,info "${lintian_options[@]}" "$changes" 2>&1) ||
    { echo "$lintian_report" >&2; fail "lintian finds fault with the packages"; }
lintian_report=$(grep -v 'running with root privileges' <<<"$lintian_report" || true)
[[ -z $lintian_report ]] || echo "$lintian_report"

# Every file `cmake --install` puts in place is in the package, and the package
# holds nothing else but the copyright file and the changelog Debian's tools add.
DESTDIR=$scratch/expected cmake --install "$package_build" --prefix /usr >/dev/null
expected=$( { (cd "$scratch/expected" && find . ! -type d);
              printf '%s\n' ./usr/share/doc/amorial/copyright ./usr/share/doc/amorial/changelog.gz; } | sort)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[[ $expected == "$packaged" ]] || fail "the package's files differ from the install's (< install, > package):
$(diff <(echo "$expected") <(echo "$packaged") || true)"
# The section games and the program in /usr/games go together.
grep -qx ./usr/games/amorial <<<"$packaged" || fail "the program belongs in /usr/games"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == amorial ]] || fail "Package field"
[[ $(field Version) == "$version" ]] || fail "Version field: $(field Version)"
[[ $(field Section) == games ]] || fail "Section field: $(field Section)"
[[ $(field Recommends) == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
[[ $(field Homepage) == "$(sed -n 's/^AMORIAL_SITE:STRING=//p' "$package_build/CMakeCache.txt")" ]] ||
    fail "the Homepage field is not AMORIAL_SITE"
depends=$(field Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-dejavu-core; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

contents=$scratch/contents
dpkg-deb -x "$deb" "$contents"
# Debian's hardening checker, every item. The control-flow marks survive the link
# only where the C library's own start files carry them too (Debian 13's do,
# Debian 12's do not), so only there can they be asked for.
hardening_options=()
start_file=$(${CXX:-c++} -print-file-name=Scrt1.o)
readelf -n "$start_file" 2>/dev/null | grep -q 'IBT' || hardening_options+=(--nocfprotection)
# Branch protection (BTI and PAC, -mbranch-protection) exists only on AArch64;
# Debian 13's checker asks for it on every architecture, Debian 12's knows nothing of it.
if [[ $(uname -m) != aarch64 ]] && grep -q nobranchprotection "$(command -v hardening-check)"; then
    hardening_options+=(--nobranchprotection)
fi
hardening_report=$(hardening-check "${hardening_options[@]}" "$contents/usr/games/amorial") ||
    fail "hardening-check: $hardening_report"
# The manual page as man shows it, with groff's warnings on (lintian's own call).
man_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$contents/usr/share/man/man6/amorial.6.gz" 2>&1 >/dev/null)
[[ -z $man_warnings ]] || fail "man warns about the manual page: $man_warnings"
zcat "$contents/usr/share/man/man6/amorial.6.gz" | grep -q '^\.TH "amorial" "6"' || fail "the manual page is not in section 6"

# The copyright file names the year the program names.
program_year=$("$contents/usr/games/amorial" --version | sed -n 's/^Copyright (c) \([0-9-]*\) .*/\1/p')
copyright_year=$(sed -n 's/^Copyright: *\([0-9-]*\) .*/\1/p' "$source_dir/debian/copyright" | head -n 1)
[[ -n $program_year && $program_year == "$copyright_year" ]] ||
    fail "debian/copyright names $copyright_year, the program's --version '$program_year'"

# The changelog the package carries is debian/changelog.
zcat "$contents/usr/share/doc/amorial/changelog.gz" | cmp -s - "$source_dir/debian/changelog" ||
    fail "the packaged changelog is not debian/changelog"

desktop-file-validate "$contents/usr/share/applications/example.amorial.Amorial.desktop"
metainfo=$contents/usr/share/metainfo/example.amorial.Amorial.metainfo.xml
appstream_report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1 || true)
if grep -E '^[EW]: ' <<<"$appstream_report" >/dev/null || ! grep -q "Validation was successful" <<<"$appstream_report"; then
    fail "appstreamcli: $appstream_report"
fi
[[ $(grep -c '<image>.*/amorial/screenshots/\(entry\|result\|about\)-window\.png</image>' "$metainfo") == 3 ]] \
    || fail "the metainfo lacks screenshots of the three windows"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo lacks the release $version"

# The autopkgtests, on the program as unpacked from the package.
if [[ $unpacked_tests == --unpacked ]]; then
    for test in $(sed -n 's/^Tests: *//p' "$source_dir/debian/tests/control"); do
        AMORIAL_PROGRAM=$contents/usr/games/amorial AMORIAL_VERSION=$version \
            sh "$source_dir/debian/tests/$test" || fail "the package's test $test"
    done
fi

echo "package checks passed: $(basename "$deb")"
