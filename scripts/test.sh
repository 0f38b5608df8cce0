#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what testing needs, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
# The browser version and the WebAssembly replay tool, which the web.* tests
# check; the browser tests drive Chromium with the one npm package they lock.
scripts/build-web.sh
mkdir -p build-web/npm
cp tests/web/package.json tests/web/package-lock.json build-web/npm/
npm ci --prefix build-web/npm --no-audit --no-fund --loglevel=error
cmake --preset dev >/dev/null
cmake --build --preset dev
# The replay tool built for i386, arm64 (g++ and clang), Windows and with
# clang on x86-64 gives the native one's output byte for byte on every script
# and a dozen random ones, and the builds that would compute differently are
# refused or caught.
scripts/cross-check.sh --controls --random 12 build/dev/vorl-replay
# The game as a packager builds it: plain CMake, Release, no preset. The dev
# build has compiled every source with the same compiler and warnings, so this
# is only configured, to check that no warning is an error there.
cmake -S . -B build/packager -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
if grep -qE -- '-Werror([^=]|$)' build/packager/compile_commands.json; then
    echo "test.sh: a plain build makes warnings errors" >&2
    exit 1
fi
ctest --preset dev
