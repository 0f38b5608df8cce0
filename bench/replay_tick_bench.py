#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The cost of a tick in replay tools, for comparing the native tool with the
WebAssembly one under node. Each script plays RACKS breaks and the first
TICKS ticks after each, while all sixteen balls roll; the same script with
no ticks is timed too, and the difference divided by the ticks is the cost
of one tick, free of start-up and of reading the script. The best of RUNS
runs counts.

Usage: bench/replay_tick_bench.py TOOL... [--racks 10000] [--ticks 100] [--runs 5]
"""
import argparse
import subprocess
import time


def script(racks, ticks):
    rack = "click mnuReset\nmove 10500 3300\ndown\ntick %d\n" % ticks
    return (rack * racks + "dump\n").encode()


def best_time(tool, stdin, runs):
    best = None
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([tool], input=stdin, stdout=subprocess.DEVNULL, check=True)
        elapsed = time.perf_counter() - start
        best = elapsed if best is None else min(best, elapsed)
    return best


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tools", nargs="+")
    parser.add_argument("--racks", type=int, default=10000)
    parser.add_argument("--ticks", type=int, default=100)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    playing = script(args.racks, args.ticks)
    idle = script(args.racks, 0)
    ticks = args.racks * args.ticks
    first = None
    for tool in args.tools:
        with_ticks = best_time(tool, playing, args.runs)
        without = best_time(tool, idle, args.runs)
        per_tick = (with_ticks - without) / ticks
        first = first or per_tick
        print("%s: %.3f s with %d ticks, %.3f s without: %.3f us a tick (%.2fx the first)"
              % (tool, with_ticks, ticks, without, per_tick * 1e6, per_tick / first))


if __name__ == "__main__":
    main()
