#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Lighthouse on the browser version, with its desktop and its mobile preset,
# in Debian's Chromium, on the compressing server of scripts/play-web.sh.
# Prints each category's score and the page's load metrics; the reports stay
# in build-web/lighthouse/. Lighthouse is installed into build-web/npm-bench
# the first time (it is for measuring by hand, not a test).
#   bench/web/lighthouse.sh [RUNS]   (after scripts/build-web.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-1}
version=12.8.2  # the last that runs on node 20
bench=build-web/npm-bench
if [ ! -x "$bench/node_modules/.bin/lighthouse" ]; then
    mkdir -p "$bench"
    npm install --prefix "$bench" --no-audit --no-fund --loglevel=error "lighthouse@$version"
fi
out=build-web/lighthouse
mkdir -p "$out"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
node tools/web-server/web-server.js build-web/site "$port" 127.0.0.1 >/dev/null &
server=$!
trap 'kill $server' EXIT
sleep 0.5

for run in $(seq "$runs"); do
    for preset in desktop mobile; do
        preset_flag=()
        [ "$preset" = desktop ] && preset_flag=(--preset=desktop)
        profile=$(mktemp -d)
        CHROME_PATH=${VORL_CHROMIUM:-/usr/bin/chromium} "$bench/node_modules/.bin/lighthouse" \
            "http://127.0.0.1:$port/" "${preset_flag[@]}" --quiet --output=json \
            --output-path="$out/$preset-$run.json" \
            --only-categories=performance,accessibility,best-practices,seo \
            --chrome-flags="--headless=new --no-sandbox --disable-gpu --disable-quic --no-first-run \
--disable-background-networking --disable-component-update --disable-sync --user-data-dir=$profile"
        rm -rf "$profile"
        node -e '
            const r = require(process.argv[1]);
            const score = (c) => Math.round(r.categories[c].score * 100);
            const ms = (a) => r.audits[a].numericValue.toFixed(0);
            console.log(`${process.argv[2]}: performance ${score("performance")}, accessibility ` +
                `${score("accessibility")}, best practices ${score("best-practices")}, SEO ${score("seo")}; ` +
                `FCP ${ms("first-contentful-paint")} ms, LCP ${ms("largest-contentful-paint")} ms, ` +
                `TBT ${ms("total-blocking-time")} ms, CLS ${r.audits["cumulative-layout-shift"].numericValue.toFixed(3)}`);
            const failed = Object.values(r.audits).filter((a) => a.score !== null && a.score < 1 &&
                a.scoreDisplayMode !== "informative" && a.scoreDisplayMode !== "manual" &&
                a.scoreDisplayMode !== "notApplicable");
            for (const a of failed) console.log(`  below full marks: ${a.id} (${a.displayValue ?? a.score})`);
        ' "$PWD/$out/$preset-$run.json" "$preset"
    done
done
