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
# The game as a packager builds it (plain CMake, the system's compiler,
# Release, no warnings as errors): configured, and every source parsed by that
# compiler, but not compiled a third time.
scripts/check-plain-build.py
ctest --preset dev
