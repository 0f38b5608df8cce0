#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser version and serves it, compressed, on this machine only;
# open the address it prints. VORL_WEB_PORT picks the port (8000 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
exec node tools/web-server/web-server.js build-web/site "${VORL_WEB_PORT:-8000}" 127.0.0.1
