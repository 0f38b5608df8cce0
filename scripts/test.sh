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
# refused or caught. The Windows build's streams are still in text mode: a CR
# before each LF is expected there.
scripts/cross-check.sh --controls --random 12 build/vorl-replay
# The game as a packager builds it: plain CMake, Release, no warnings as errors.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release -j2 --target vorl
ctest --preset dev
