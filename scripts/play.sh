#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what playing needs, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh play
# The tests' build folder is used when there is one; otherwise the users' preset.
build=build/dev
if [ ! -f "$build/CMakeCache.txt" ]; then
    build=build/default
    [ -f "$build/CMakeCache.txt" ] || cmake --preset default >/dev/null
fi
cmake --build "$build" --target vorl
exec "$build/vorl" "$@"
