#!/bin/sh
# SPDX-License-Identifier: MIT
# The Windows toolchain's emulator: runs a console program under WINE (the
# path of wine64 or wine) with no display and no debug messages, in the
# prefix WINEPREFIX names, so that what the program prints is all that comes
# out. The prefix is made at the first run, once even when several runs
# start together, without the .NET and browser installers.
#   wine.sh WINE PROGRAM [ARGUMENT...]
#   wine.sh WINE --start-server | --stop-server
# Left to itself, wine starts a wineserver and its own services with a run
# and stops them a few seconds after it; the services hold the run's standard
# streams until then, so every run takes seconds longer, and every start and
# stop is a chance for a run to meet a server on its way out. The tests keep
# one server up from their first run to their last: --start-server makes the
# prefix, starts a server that stays and its services on /dev/null;
# --stop-server stops them all.
set -eu
wine=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
unset DISPLAY
: "${WINEPREFIX:?the toolchain file sets WINEPREFIX}"
export WINEPREFIX
server=$(dirname "$wine")/wineserver64
[ -x "$server" ] || server=$(dirname "$wine")/wineserver
[ -x "$server" ] || server=wineserver
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] ||
        { "$1" wineboot --init && "$2" -w; } >/dev/null 2>&1' sh "$wine" "$server"
fi
case "${1-}" in
    # A server left from an earlier run is stopped first: a second one would
    # not start beside it.
    --start-server)
        exec </dev/null >/dev/null 2>&1
        "$server" -k || true
        "$server" -w
        "$server" -p
        exec "$wine" cmd /c exit ;;
    --stop-server) "$server" -k 2>/dev/null || true; exec "$server" -w ;;
esac
exec "$wine" "$@"
