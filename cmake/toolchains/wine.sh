#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows toolchain's emulator: runs a console program under WINE (the
# path of wine64 or wine) with no display and no debug messages, in the
# prefix WINEPREFIX names, so that what the program prints is all that comes
# out. The prefix is made at the first run, once even when several runs
# start together, without the .NET and browser installers.
#   wine.sh WINE PROGRAM [ARGUMENT...]
set -eu
wine=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
unset DISPLAY
: "${WINEPREFIX:?the toolchain file sets WINEPREFIX}"
export WINEPREFIX
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    server=$(dirname "$wine")/wineserver64
    [ -x "$server" ] || server=$(dirname "$wine")/wineserver
    [ -x "$server" ] || server=wineserver
    mkdir -p "$(dirname "$WINEPREFIX")"
    flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] ||
        { "$1" wineboot --init && "$2" -w; } >/dev/null 2>&1' sh "$wine" "$server"
fi
exec "$wine" "$@"
