#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the WebAssembly version into build-web/ with Debian's Emscripten,
# offline: the browser version as a static site in build-web/site/, and
# build-web/vorl-replay, the replay tool run under node. The Qt game, the
# tests and the benchmarks are native only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh web
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF -DVORL_BUILD_BENCH=OFF -DVORL_FUZZ=OFF \
    -DVORL_HARDEN=OFF >/dev/null
cmake --build build-web -j2
