# SPDX-License-Identifier: MIT
# Sourced by scripts/bootstrap and by the test scripts: every command that the
# build, the tests and the Windows suite call, with the Debian package that
# provides it, and require_tools, which names what is missing.
declare -gA tool_package=(
    [cmake]=cmake [ctest]=cmake [cpack]=cmake
    [ninja]=ninja-build
    [g++]=g++
    [scdoc]=scdoc
    [rsvg-convert]=librsvg2-bin
    [dpkg-shlibdeps]=dpkg-dev [dpkg-parsechangelog]=dpkg-dev
    [lintian]=lintian
    [hardening-check]=devscripts
    [man]=man-db
    [desktop-file-validate]=desktop-file-utils
    [appstreamcli]=appstream
    [Xvfb]=xvfb
    [xauth]=xauth
    [xdotool]=xdotool
    [openbox]=openbox
    [import]=imagemagick [convert]=imagemagick
    [tesseract]=tesseract-ocr
    [optipng]=optipng
    [xdpyinfo]=x11-utils [xwininfo]=x11-utils [xprop]=x11-utils
    [bc]=bc
    [dbus-run-session]=dbus-daemon
    [dbus-send]=dbus-bin
    [dbus-launch]=dbus-x11
    [python3]=python3
    [x86_64-w64-mingw32-gcc-posix]=gcc-mingw-w64-x86-64-posix
    [x86_64-w64-mingw32-g++-posix]=g++-mingw-w64-x86-64-posix
    [x86_64-w64-mingw32-objdump]=binutils-mingw-w64-x86-64 [x86_64-w64-mingw32-windres]=binutils-mingw-w64-x86-64
    [x86_64-w64-mingw32-widl]=mingw-w64-tools
    [wine]=wine [wineserver]=wine [wineboot]=wine [winepath]=wine
    [makensis]=nsis
    [icotool]=icoutils
    [osslsigncode]=osslsigncode [openssl]=openssl
    [xz]=xz-utils [curl]=curl
    [dpkg-deb]=dpkg [pgrep]=procps
    [unshare]=util-linux [readelf]=binutils [strings]=binutils
    [chromium]=chromium [chromedriver]=chromium-driver [mmdebstrap]=mmdebstrap
)

# require_tools <command>...: fails, naming each missing command and the
# package to install for it.
require_tools() {
    local tool missing=0
    for tool in "$@"; do
        command -v "$tool" >/dev/null && continue
        echo "$tool is missing: Debian's package ${tool_package[$tool]:-(none known)} provides it (scripts/bootstrap installs it)" >&2
        missing=1
    done
    return "$missing"
}
