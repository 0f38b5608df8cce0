#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The Windows replay tool under wine, run again and again on one script,
each run against the native tool's output: how often does a run come back
with no output, or another one?

  bench/wine_runs.py NATIVE WINDOWS_LAUNCHER SCRIPT [--runs N] [--streams S]
                     [--gap SECONDS] [--server]

S streams run side by side (as `ctest -j2` does); --gap waits a random time
up to SECONDS after each run, so that runs also start while a wineserver
left to itself stops (it lingers three seconds after its last program).
--server keeps one wineserver up for the whole measurement, as the cross
tests' fixture does, through the launcher's wine.sh.
"""
import argparse
import concurrent.futures
import random
import re
import subprocess
import sys
import time


def run(tool, script):
    done = subprocess.run([tool], input=script, capture_output=True, timeout=300)
    return done.returncode, done.stdout, done.stderr


def wine_command(launcher, mode):
    """wine.sh's command line for MODE, read from the launcher's exec line:
    everything up to wine.sh and its first argument, the path of wine."""
    with open(launcher) as f:
        line = next(l for l in f if l.startswith("exec "))
    words = [w.replace("'\\''", "'") for w in re.findall(r"'((?:[^']|'\\'')*)'", line)]
    script = next(i for i, w in enumerate(words) if w.endswith("wine.sh"))
    return words[:script + 2] + [mode]


def stream(args, script, expected, count, seed):
    rng = random.Random(seed)
    tally = {"runs": 0, "empty": 0, "different": 0}
    seen = []
    for _ in range(count):
        got = run(args.launcher, script)
        tally["runs"] += 1
        if got != expected:
            tally["empty" if not got[1] else "different"] += 1
            seen.append("exit %d, %d bytes out, stderr %r" % (got[0], len(got[1]), got[2][:300]))
        if args.gap:
            time.sleep(rng.uniform(0, args.gap))
    return tally, seen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("native")
    parser.add_argument("launcher")
    parser.add_argument("script")
    parser.add_argument("--runs", type=int, default=1000)
    parser.add_argument("--streams", type=int, default=2)
    parser.add_argument("--gap", type=float, default=0)
    parser.add_argument("--server", action="store_true")
    args = parser.parse_args()
    with open(args.script, "rb") as f:
        script = f.read()
    expected = run(args.native, script)
    if args.server:
        subprocess.run(wine_command(args.launcher, "--start-server"), check=True)
    began = time.monotonic()
    try:
        with concurrent.futures.ThreadPoolExecutor(args.streams) as pool:
            share = [args.runs // args.streams + (i < args.runs % args.streams)
                     for i in range(args.streams)]
            results = list(pool.map(lambda i: stream(args, script, expected, share[i], i),
                                    range(args.streams)))
    finally:
        if args.server:
            subprocess.run(wine_command(args.launcher, "--stop-server"), check=True)
    total = {k: sum(r[0][k] for r in results) for k in results[0][0]}
    for r in results:
        for line in r[1][:5]:
            print("  " + line)
    print("%d runs in %d streams, %.0f s: %d empty, %d different" % (
        total["runs"], args.streams, time.monotonic() - began, total["empty"],
        total["different"]))
    return 1 if total["empty"] or total["different"] else 0


if __name__ == "__main__":
    sys.exit(main())
