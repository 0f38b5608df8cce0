#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game's command line as its users meet it: help and version without a
# display, an unknown option refused, no display reported in one line rather
# than a crash, and Qt's own options still taken.
# Usage: command_line_test.sh VORL VERSION
set -uo pipefail

vorl=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check WHAT EXPECTED_STATUS ACTUAL_STATUS [CONDITION...]
    local what=$1 want=$2 got=$3
    shift 3
    if [ "$got" -eq "$want" ] && { [ $# -eq 0 ] || "$@"; }; then
        echo "ok   $what"
    else
        echo "FAIL $what (exit $got, wanted $want)"
        sed 's/^/     out: /' "$work/out"
        sed 's/^/     err: /' "$work/err"
        failures=$((failures + 1))
    fi
}
# Runs the game with no display at all, unless the caller sets one.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err"
}
lines() { [ "$(wc -l <"$1")" -eq "$2" ]; }

run "$vorl" --help
check "--help prints the usage on stdout" 0 $? grep -q '^Usage: .*vorl \[OPTION\]' "$work/out"
run "$vorl" -h
check "-h is --help" 0 $? grep -q '^  -v, --version' "$work/out"
run "$vorl" --version
check "--version prints the project's version" 0 $? \
    grep -qx "vorl (Darvo's Vorl Hall) $version" "$work/out"

run "$vorl" --nonsense
check "an unknown option is refused with the usage on stderr" 2 $? eval \
    '[ ! -s "$work/out" ] && grep -q "unknown option '"'"'--nonsense'"'"'" "$work/err" &&
     grep -q "^Usage:" "$work/err"'
run "$vorl" stray
check "a stray argument is refused" 2 $?
run "$vorl" --reduce-flashing
check "--reduce-flashing is the game's own option" 1 $? grep -q "cannot open a display" "$work/err"

run "$vorl"
check "no display: one clear line, no crash" 1 $? eval \
    'lines "$work/err" 1 && grep -q "^vorl: cannot open a display" "$work/err"'
run env DISPLAY=:9999 "$vorl"
check "a display that cannot be opened: one clear line" 1 $? eval \
    'lines "$work/err" 1 && grep -qx "vorl: cannot open a display" "$work/err"'

# Qt's own options: the offscreen platform opens no display; the game runs
# until it is stopped.
run timeout 2 "$vorl" -platform offscreen -style Fusion
check "Qt's -platform and -style are taken" 124 $?
run "$vorl" -platform offscreen --nonsense
check "an unknown option next to Qt's is refused" 2 $?

echo "$failures failed"
[ "$failures" -eq 0 ]
