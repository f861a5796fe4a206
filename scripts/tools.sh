# SPDX-License-Identifier: MIT
# Sourced by scripts/bootstrap and by the test scripts. The one table of the
# Debian packages the scripts and tests need: each with the commands it is here
# for and why. The command-to-package look-up (tool_package) is derived from it.
#
# What building and running need is not in the table but in debian/control:
# its Build-Depends and the program's own Depends (debian_packages below);
# the table names those packages only for their commands.

# package | commands the scripts and tests call | why it is here
amorial_packages=(
    "cmake | cmake ctest cpack | configures and builds; runs the tests; makes the Windows packages"
    "ninja-build | ninja | the build tool"
    "g++ | g++ | the compiler"
    "scdoc | scdoc | builds the manual page"
    "librsvg2-bin | rsvg-convert | draws the theme icons from the SVG"
    "python3 | python3 | the end-to-end test reads the accessibility tree with it"
    "binutils | readelf strings | the package and start-up checks"
    "util-linux | unshare | the full-disk test"
    "dpkg | dpkg-deb | the package check"
    "dpkg-dev | dpkg-buildpackage dpkg-source dpkg-parsechangelog dpkg-shlibdeps | builds the Debian package"
    "debhelper | dh | debian/rules builds with it"
    "build-essential | | dpkg-buildpackage requires it of every package build"
    "lintian | lintian | Debian's package checker, run by the package test"
    "devscripts | hardening-check | run by the package test"
    "man-db | man | man -l checks the manual page"
    "desktop-file-utils | desktop-file-validate | checks the desktop entry"
    "appstream | appstreamcli | checks the metainfo"
    "libx11-dev | | the start-up benchmark watches the X server"
    "xvfb | Xvfb xvfb-run | a real X server for the end-to-end test and the package's own tests"
    "xauth | xauth | xvfb-run needs it"
    "xdotool | xdotool | drives the program like a person"
    "openbox | openbox | a window manager, so that the centring test's windows have a frame"
    "imagemagick | import convert | screenshots of the windows under wine, read by OCR"
    "tesseract-ocr | tesseract | reads the windows' texts off the screen under wine"
    "optipng | optipng | shrinks the screenshots in docs/"
    "x11-utils | xdpyinfo xwininfo xprop | look at the X server and its windows"
    "bc | bc | arithmetic in the benchmarks"
    "dbus-daemon | dbus-run-session | a session bus for the accessibility bridge"
    "dbus-bin | dbus-send | talks to the session bus"
    "dbus-x11 | dbus-launch | the test that no session bus is autolaunched needs it possible"
    "at-spi2-core | | the accessibility bus"
    "python3-pyatspi | | reads the accessibility tree in the end-to-end test"
    "gir1.2-atspi-2.0 | | the accessibility library's bindings"
    "gcc-mingw-w64-x86-64-posix | x86_64-w64-mingw32-gcc-posix | the Windows build: mingw-w64 with posix threads"
    "g++-mingw-w64-x86-64-posix | x86_64-w64-mingw32-g++-posix | the Windows build"
    "binutils-mingw-w64-x86-64 | x86_64-w64-mingw32-objdump x86_64-w64-mingw32-windres | objdump and windres for the Windows program"
    "mingw-w64-tools | x86_64-w64-mingw32-widl | the Windows build"
    "wine | wine wineserver wineboot winepath | runs the Windows tests"
    "wine64 | | the 64-bit loader itself, without the 32-bit half"
    "nsis | makensis | the Windows installer"
    "icoutils | icotool | makes the Windows icon"
    "osslsigncode | osslsigncode | signs the Windows program and installer"
    "openssl | openssl | the installer test's certificate for signing"
    "xz-utils | xz | unpacks the Windows Qt"
    "curl | curl | fetches Debian's source of Qt where no Windows Qt is at hand"
    "mmdebstrap | mmdebstrap | makes the Debian 13 root of the browser build (scripts/web-build)"
    "chromium | chromium | the browser the web suite drives, headless"
    "chromium-driver | chromedriver | drives it for the web suite"
    "python3-selenium | | drives it from tests/web/browser_test.py"
)

declare -gA tool_package=()
amorial_table_packages=()
for _row in "${amorial_packages[@]}"; do
    IFS='|' read -r _package _commands _ <<<"$_row"
    _package=${_package// /}
    amorial_table_packages+=("$_package")
    for _command in $_commands; do tool_package[$_command]=$_package; done
done
unset _row _package _commands _command

# debian_packages <debian/control> [--tests]: what building and running need,
# one a line: the Build-Depends but debhelper (the Debian package build's own
# tool) and, without --tests, those only the tests need (<!nocheck>); and the
# program's Depends other than the ${...} that the package tools fill in.
debian_packages() {
    awk -v tests="${2:-}" '
        /^[A-Za-z-]+:/ { field = tolower($1) }
        /^$/ { field = "" }
        field == "build-depends:" || field == "depends:" {
            line = $0
            sub(/^[A-Za-z-]+:/, "", line)
            if (tests != "--tests") gsub(/[a-z0-9][a-z0-9+.-]*[^,|]*<!nocheck>/, "", line)
            gsub(/\[[^]]*\]|<[^>]*>|\([^)]*\)|\$\{[^}]*\}/, "", line)
            n = split(line, names, /[ ,|]+/)
            for (i = 1; i <= n; i++)
                if (names[i] != "" && names[i] !~ /^debhelper/) print names[i]
        }' "$1"
}

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

# debian_mirror: the Debian archive this machine's apt takes its packages from,
# as apt's own configuration names it (deb822 .sources files, or the one-line
# sources.list); fails when it names none.
debian_mirror() {
    local mirror
    mirror=$( { sed -n 's|^URIs: *\(\S*/debian\)/*$|\1|p' /etc/apt/sources.list.d/*.sources
                sed -n 's|^deb \(\[[^]]*\] *\)\{0,1\}\(\S*/debian\)/* .*|\2|p' /etc/apt/sources.list /etc/apt/sources.list.d/*.list
              } 2>/dev/null | head -n 1)
    [[ -n $mirror ]] || { echo "apt's configuration (/etc/apt/sources.list.d/*.sources, /etc/apt/sources.list) names no Debian archive" >&2; return 1; }
    echo "$mirror"
}
