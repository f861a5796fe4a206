#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one Windows test program for CTest under wine, in the prefix and on the
# display that scripts/windows-test prepared, and never for longer than a time
# limit. Wine does not pass Unix variables named QT_* on to Windows programs,
# so a test's own variables come in AMORIAL_WINE_ENV ("NAME=value") and are set
# inside Windows.
#   wine-run.sh <program.exe> [arguments...]
set -euo pipefail
: "${WINEPREFIX:?run the Windows tests through scripts/windows-test}"
program=$1
shift
limit=${AMORIAL_WINE_TIMEOUT:-100}
if [[ -n ${AMORIAL_WINE_ENV:-} ]]; then
    exec timeout -k 5 "$limit" wine cmd /c "set ${AMORIAL_WINE_ENV}&& $(winepath -w "$program") $*"
fi
exec timeout -k 5 "$limit" wine "$program" "$@"
