#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser version and serves it on this machine only; open the
# address it prints. VORL_WEB_PORT picks the port (8000 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
port=${VORL_WEB_PORT:-8000}
echo "Darvo's Vorl Hall is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
