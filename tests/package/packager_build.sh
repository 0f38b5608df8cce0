#!/bin/sh
# SPDX-License-Identifier: MIT
# The game as a packager builds it: plain CMake with its default generator
# (Make), Release, every other default kept, no preset.
# - No warning is an error there.
# - The steps that compile nothing make the folders they write into: Ninja
#   makes an output's folder itself, Make does not, so a step that forgets it
#   passes in the developers' build and fails in a newcomer's. The gzipped
#   manual page, and the browser tests' npm packages when this build has
#   them (from npm's cache alone: the tests reach no network).
# Nothing is compiled: this build has compiled every source with the same
# compiler and warnings, and a second compile of the core, the Qt layer and
# the tests would cost minutes of a 2-core machine for nothing more.
#   packager_build.sh SOURCE BUILD GAME WEB_TESTS     (GAME, WEB_TESTS: ON or OFF)
set -eu
source=$1 build=$2 game=$3 web=$4
rm -rf "$build"
mkdir -p "$build"
targets=
[ "$game" = ON ] && targets=vorl_packaging_files
[ "$web" = ON ] && targets="$targets vorl_web_test_packages"
cmake -S "$source" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
    -DVORL_BUILD_GAME="$game" -DVORL_WEB_TESTS="$web" >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
if grep -E -- '-Werror([^=]|$)' "$build/compile_commands.json"; then
    echo "FAIL: a packager's build makes warnings errors" >&2
    exit 1
fi
for target in $targets; do
    npm_config_offline=true cmake --build "$build" --target "$target" ||
        { echo "FAIL: $target in a Make build" >&2; exit 1; }
done
echo "a Make build configures without -Werror and makes:${targets:- nothing asked}"
