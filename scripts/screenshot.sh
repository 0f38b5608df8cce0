#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Refreshes docs/screenshot.png: the opening table as the end-to-end test sees
# it in a real X server (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset dev >/dev/null
cmake --build --preset dev --target vorl vorl-replay
python3 tests/e2e/e2e_test.py table build/dev/vorl build/dev/vorl-replay --screenshot docs/screenshot.png
