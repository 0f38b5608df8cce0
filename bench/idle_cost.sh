#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the game costs while nobody plays: the desktop window at rest in a
# virtual X server, and a browser tab at rest in headless Chromium.
#
# Desktop: wake-ups a second across the game's threads (the voluntary and
# involuntary context switches in /proc/PID/task/*/status) and CPU as a share
# of one core (the run time in /proc/PID/task/*/schedstat), over SECONDS on
# the opening table, three launches. Browser: bench/idle_tab.js counts the
# page's timer and frame callbacks in 5 s.
#
# Needs xvfb (xvfb-run), chromium and the npm package of the browser tests
# (the dev build installs it in build/dev/web-npm).
# Usage: bench/idle_cost.sh [VORL [SITE_DIR [SECONDS]]]
#   (defaults build/dev/vorl, build-web/site, 10)
set -euo pipefail
cd "$(dirname "$0")/.."
vorl=${1:-build/dev/vorl}
site=${2:-build-web/site}
seconds=${3:-10}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" "$0" "$vorl" "$site" "$seconds"
fi

# Context switches and run time (ns) of every thread of process $1, summed.
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
run_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'
}
now_us() { echo $((${EPOCHREALTIME/./})); }

echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
for run in 1 2 3; do
    QT_QPA_PLATFORM=xcb "$vorl" 2>/dev/null &
    pid=$!
    sleep 3 # the window is up and the opening table has come to rest
    s0=$(switches "$pid") c0=$(run_ns "$pid") t0=$(now_us)
    sleep "$seconds"
    s1=$(switches "$pid") c1=$(run_ns "$pid") t1=$(now_us)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v s=$((s1 - s0)) -v c=$((c1 - c0)) -v t=$((t1 - t0)) -v n="$seconds" 'BEGIN {
        printf "desktop at rest, %d s: %.1f wake-ups a second, %.3f %% of one core\n",
            n, s / (t / 1e6), c / (t * 10) }'
done
node bench/idle_tab.js "$site" build/dev/web-npm/node_modules
