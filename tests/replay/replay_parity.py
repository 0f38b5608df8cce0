#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Another build of the replay tool (WebAssembly under node, a cross target
under its emulator) against the native one, byte for byte: standard output,
standard error and exit status.

  replay_parity.py golden NATIVE OTHER SCRIPT GOLDEN
      one golden transcript: the other tool's output and exit status must be
      the transcript, and everything must match the native tool's;
  replay_parity.py scripts NATIVE OTHER SCRIPT... [--must-differ]
      each script must give the same on both; with --must-differ, which a
      control build takes, some script must give something else instead;
  replay_parity.py random NATIVE OTHER FIRST_SEED COUNT [--keep DIR]
      COUNT seeded random scripts from FIRST_SEED on (random_script.py); a
      script whose runs differ is kept in DIR to replay by hand.

--name LABEL names the other build in the report (by default "other").
"""
import argparse
import os
import subprocess
import sys

import random_script


def check_tool(path):
    if not (os.path.isfile(path) and os.access(path, os.X_OK)):
        sys.exit("%s is missing: `cmake --build` makes it, unless its build failed (see the "
                 "build's output)" % path)


def run(tool, script):
    done = subprocess.run([tool], input=script, capture_output=True, timeout=300)
    return done.returncode, done.stdout, done.stderr


def first_difference(what, a, b, label):
    """The first line where two outputs part, for the report."""
    la, lb = a.split(b"\n"), b.split(b"\n")
    for i, (x, y) in enumerate(zip(la, lb)):
        if x != y:
            return "%s line %d: native %r, %s %r" % (what, i + 1, x, label, y)
    return "%s: native has %d lines, %s %d" % (what, len(la), label, len(lb))


def differences(native, other, label):
    """What differs between the native run and the other one; empty if nothing."""
    found = []
    if native[0] != other[0]:
        found.append("exit status: native %d, %s %d" % (native[0], label, other[0]))
    for what, i in (("stdout", 1), ("stderr", 2)):
        if native[i] != other[i]:
            found.append(first_difference(what, native[i], other[i], label))
    return found


def golden(args):
    with open(args.script, "rb") as f:
        script = f.read()
    with open(args.golden, "rb") as f:
        expected = f.read()
    native, other = run(args.native, script), run(args.other, script)
    found = differences(native, other, args.name)
    transcript = other[1] + b"exit %d\n" % other[0]
    if transcript != expected:
        found.append("the %s tool's transcript differs from %s: %s" % (
            args.name, args.golden, first_difference("transcript", expected, transcript,
                                                     args.name)))
    for line in found:
        print(line)
    print("%s: %d bytes of output and errors compared" % (
        os.path.basename(args.script), len(other[1]) + len(other[2])))
    return 1 if found else 0


def scripts(args):
    differing = compared = 0
    for path in args.script:
        with open(path, "rb") as f:
            script = f.read()
        native, other = run(args.native, script), run(args.other, script)
        compared += len(native[1]) + len(native[2])
        found = differences(native, other, args.name)
        if found:
            differing += 1
            if not args.must_differ:
                print("%s:\n  %s" % (path, "\n  ".join(found)))
    print("%d scripts, %d bytes of output and errors compared: %d differ on %s" % (
        len(args.script), compared, differing, args.name))
    if args.must_differ:
        return 0 if differing else 1
    return 1 if differing else 0


def random_scripts(args):
    failed = ticks = compared = 0
    for seed in range(args.first_seed, args.first_seed + args.count):
        script, script_ticks = random_script.script(seed)
        native, other = run(args.native, script), run(args.other, script)
        ticks += script_ticks
        compared += len(native[1]) + len(native[2])
        found = differences(native, other, args.name)
        if found:
            failed += 1
            kept = ""
            if args.keep:
                os.makedirs(args.keep, exist_ok=True)
                kept = os.path.join(args.keep, "random_%d.vrs" % seed)
                with open(kept, "wb") as f:
                    f.write(script)
                kept = " (kept as %s)" % kept
            print("seed %d%s:\n  %s" % (seed, kept, "\n  ".join(found)))
    print("%d random scripts (seeds %d to %d), %d ticks asked for, %d bytes of output and "
          "errors compared: %d differ on %s" % (args.count, args.first_seed,
                                                args.first_seed + args.count - 1, ticks,
                                                compared, failed, args.name))
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--name", default="other")
    sub = parser.add_subparsers(dest="mode", required=True)
    g = sub.add_parser("golden")
    for name in ("native", "other", "script", "golden"):
        g.add_argument(name)
    s = sub.add_parser("scripts")
    s.add_argument("native")
    s.add_argument("other")
    s.add_argument("script", nargs="+")
    s.add_argument("--must-differ", action="store_true")
    r = sub.add_parser("random")
    r.add_argument("native")
    r.add_argument("other")
    r.add_argument("first_seed", type=int)
    r.add_argument("count", type=int)
    r.add_argument("--keep")
    args = parser.parse_args()
    check_tool(args.other)
    return {"golden": golden, "scripts": scripts, "random": random_scripts}[args.mode](args)


if __name__ == "__main__":
    sys.exit(main())
