#!/bin/sh
# SPDX-License-Identifier: MIT
# The game as a packager builds it: plain CMake with its default generator
# (Make), Release, no preset. No warning is an error there, and the steps
# that compile nothing make the folders they write into (Ninja makes an
# output's folder, Make does not): the gzipped manual page, and the browser
# tests' npm packages when this build has them, from npm's cache alone.
# Nothing is compiled: this build compiles every source with the same
# compiler and warnings, and a second compile would cost minutes for nothing.
#   packager_build.sh SOURCE BUILD GAME WEB_TESTS     (GAME, WEB_TESTS: ON or OFF)
set -eu
build=$2
rm -rf "$build" && mkdir -p "$build"
targets=
[ "$3" = ON ] && targets=vorl_packaging_files
[ "$4" = ON ] && targets="$targets vorl_web_test_packages"
cmake -S "$1" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DVORL_BUILD_GAME="$3" \
    -DVORL_WEB_TESTS="$4" >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
! grep -E -- '-Werror([^=]|$)' "$build/compile_commands.json" ||
    { echo "FAIL: a packager's build makes warnings errors" >&2; exit 1; }
for target in $targets; do
    npm_config_offline=true cmake --build "$build" --target "$target" ||
        { echo "FAIL: $target in a Make build" >&2; exit 1; }
done
echo "a Make build configures without -Werror and makes:" $targets
