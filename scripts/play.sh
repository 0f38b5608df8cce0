#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what playing needs, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh play
# A build folder that already exists (the tests' one, say) is used as it is.
[ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
cmake --build build --target vorl
exec build/vorl "$@"
