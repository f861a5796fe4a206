#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package into a scratch folder and checks its files and
# control fields, and validates the desktop entry and the metainfo. Installs nothing.
set -euo pipefail
build_dir=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$source_dir/src/resources/desktop/example.amorial.Amorial.desktop"
appstreamcli validate --no-net --pedantic "$source_dir/src/resources/desktop/example.amorial.Amorial.metainfo.xml" >/dev/null \
    || appstreamcli validate --no-net "$source_dir/src/resources/desktop/example.amorial.Amorial.metainfo.xml"

(cd "$scratch" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch" >/dev/null)
deb=$(ls "$scratch"/*.deb)
[[ $(basename "$deb") == amorial_1.20_*.deb ]] || fail "unexpected package name $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for expected in \
    ./usr/bin/amorial \
    ./usr/share/applications/example.amorial.Amorial.desktop \
    ./usr/share/metainfo/example.amorial.Amorial.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/amorial.png \
    ./usr/share/icons/hicolor/scalable/apps/amorial.svg; do
    grep -qx "$expected" <<<"$files" || fail "package lacks $expected"
done
if grep -E '^\./usr/(lib|include)/|tst_' <<<"$files"; then fail "package carries build-only files"; fi

[[ $(dpkg-deb -f "$deb" Package) == amorial ]] || fail "Package field"
[[ $(dpkg-deb -f "$deb" Version) == 1.20 ]] || fail "Version field"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-dejavu-core; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "package checks passed: $(basename "$deb")"
