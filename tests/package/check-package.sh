#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package into a scratch folder and checks its files and
# control fields, runs Debian's lintian on it, and validates the manual page,
# the desktop entry and the metainfo it carries. Installs nothing.
set -euo pipefail
build_dir=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
source "$source_dir/scripts/tools.sh"
require_tools cpack dpkg-deb dpkg-parsechangelog lintian hardening-check man readelf desktop-file-validate appstreamcli ||
    fail "tools are missing"

(cd "$scratch" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch" >/dev/null)
deb=$(ls "$scratch"/*.deb)
[[ $(basename "$deb") == amorial_1.20_*.deb ]] || fail "unexpected package name $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in \
    ./usr/games/amorial \
    ./usr/share/man/man6/amorial.6.gz \
    ./usr/share/doc/amorial/copyright \
    ./usr/share/doc/amorial/changelog.gz \
    ./usr/share/applications/example.amorial.Amorial.desktop \
    ./usr/share/metainfo/example.amorial.Amorial.metainfo.xml \
    ./usr/share/icons/hicolor/16x16/apps/amorial.png \
    ./usr/share/icons/hicolor/22x22/apps/amorial.png \
    ./usr/share/icons/hicolor/24x24/apps/amorial.png \
    ./usr/share/icons/hicolor/32x32/apps/amorial.png \
    ./usr/share/icons/hicolor/48x48/apps/amorial.png \
    ./usr/share/icons/hicolor/64x64/apps/amorial.png \
    ./usr/share/icons/hicolor/128x128/apps/amorial.png \
    ./usr/share/icons/hicolor/256x256/apps/amorial.png \
    ./usr/share/icons/hicolor/scalable/apps/amorial.svg; do
    grep -qx "$expected" <<<"$files" || fail "package lacks $expected"
done
if grep -E '^\./usr/(lib|include)/|tst_' <<<"$files"; then fail "package carries build-only files"; fi
# The section games and the program in /usr/games go together.
if grep -E '^\./usr/bin/' <<<"$files"; then fail "the program belongs in /usr/games"; fi
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "Section field: $(dpkg-deb -f "$deb" Section)"

[[ $(dpkg-deb -f "$deb" Package) == amorial ]] || fail "Package field"
[[ $(dpkg-deb -f "$deb" Version) == 1.20 ]] || fail "Version field"
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "Recommends lacks xdg-utils"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-dejavu-core; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# Debian's own checker: no errors and no warnings. Its notes are shown, not judged.
lintian_report=$(lintian --info --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[[ -n $lintian_report ]] && echo "$lintian_report"
if grep -E '^[EW]: ' <<<"$lintian_report" >/dev/null; then fail "lintian rejects the package"; fi

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

# The changelog's latest entry is this version, in Debian's changelog format.
zcat "$contents/usr/share/doc/amorial/changelog.gz" >"$scratch/changelog"
[[ $(dpkg-parsechangelog -l "$scratch/changelog" -S Version) == 1.20 ]] || fail "the changelog's latest entry is not 1.20"

desktop-file-validate "$contents/usr/share/applications/example.amorial.Amorial.desktop"
metainfo=$contents/usr/share/metainfo/example.amorial.Amorial.metainfo.xml
appstream_report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1 || true)
if grep -E '^[EW]: ' <<<"$appstream_report" >/dev/null || ! grep -q "Validation was successful" <<<"$appstream_report"; then
    fail "appstreamcli: $appstream_report"
fi
[[ $(grep -c '<image>.*/amorial/screenshots/\(entry\|result\|about\)-window\.png</image>' "$metainfo") == 3 ]] \
    || fail "the metainfo lacks screenshots of the three windows"
grep -q '<release version="1.20"' "$metainfo" || fail "the metainfo lacks the release 1.20"

echo "package checks passed: $(basename "$deb")"
