#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The cost of a tick in replay tools, for comparing the native tool with the
WebAssembly one under node, or two builds. Each script plays RACKS breaks
and the first TICKS ticks after each, while all sixteen balls roll; with
--play, continual play instead: STROKES hard strokes from random points
(the same every run), TICKS ticks after each, racks ending and the last
ball's colours cycling on the way. The same script with no ticks is timed
too, and the difference divided by the ticks is the cost of one tick, free
of start-up and of reading the script, in wall time and in CPU time (user
and system, steadier on a busy machine). The best of RUNS runs counts.

Usage: bench/replay_tick_bench.py TOOL... [--racks 10000] [--ticks 100] [--runs 5]
       bench/replay_tick_bench.py TOOL... --play [--strokes 2000] [--ticks 500]
"""
import argparse
import random
import resource
import subprocess
import time


def script(racks, ticks):
    rack = "click mnuReset\nmove 10500 3300\ndown\ntick %d\n" % ticks
    return (rack * racks + "dump\n").encode()


def play_script(strokes, ticks):
    rng = random.Random(1)
    lines = ["move %d %d\ndown\ntick %d\n" % (rng.randrange(600, 18400), rng.randrange(600, 8600),
                                              ticks) for _ in range(strokes)]
    return ("".join(lines) + "dump\n").encode()


def best_time(tool, stdin, runs):
    """The shortest wall time and the shortest CPU time of RUNS runs."""
    best_wall = best_cpu = None
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run([tool], input=stdin, stdout=subprocess.DEVNULL, check=True)
        wall = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        best_wall = wall if best_wall is None else min(best_wall, wall)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    return best_wall, best_cpu


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("tools", nargs="+")
    parser.add_argument("--racks", type=int, default=10000)
    parser.add_argument("--play", action="store_true")
    parser.add_argument("--strokes", type=int, default=2000)
    parser.add_argument("--ticks", type=int)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    if args.play:
        args.ticks = args.ticks or 500
        playing = play_script(args.strokes, args.ticks)
        idle = play_script(args.strokes, 0)
        ticks = args.strokes * args.ticks
    else:
        args.ticks = args.ticks or 100
        playing = script(args.racks, args.ticks)
        idle = script(args.racks, 0)
        ticks = args.racks * args.ticks
    first = None
    for tool in args.tools:
        with_ticks, with_cpu = best_time(tool, playing, args.runs)
        without, without_cpu = best_time(tool, idle, args.runs)
        per_tick = (with_ticks - without) / ticks
        cpu_per_tick = (with_cpu - without_cpu) / ticks
        first = first or per_tick
        print("%s: %.3f s with %d ticks, %.3f s without: %.3f us a tick (%.2fx the first), "
              "%.3f us of CPU" % (tool, with_ticks, ticks, without, per_tick * 1e6,
                                  per_tick / first, cpu_per_tick * 1e6))


if __name__ == "__main__":
    main()
