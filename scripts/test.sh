#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what testing needs, builds everything and runs every test through
# CTest: the dev build also makes the replay tool for every cross target and
# the WebAssembly version, which the tests compare with the native build. A
# part that fails to build fails its tests; every failure is reported, not
# only the first.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test web || exit
# ccache keeps what each compiler made, for the next build of this tree or
# of another clone: paths under the clone are hashed relative to it, and the
# build folder's own path is left out of debugging builds' hash too.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
    export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
cmake --preset dev >/dev/null || exit
failed=()
cmake --build --preset dev -- -k 0 || failed+=("the build")
ctest --preset dev || failed+=("the tests")
if [ ${#failed[@]} -gt 0 ]; then
    echo "test.sh: ${failed[*]} failed" >&2
    exit 1
fi
