#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The WebAssembly replay tool against the native one, byte for byte: standard
output, standard error and exit status.

  replay_parity.py golden NATIVE WEB SCRIPT GOLDEN
      one golden transcript: the web tool's output and exit status must be
      the transcript, and everything must match the native tool's;
  replay_parity.py random NATIVE WEB FIRST_SEED COUNT [--keep DIR]
      COUNT seeded random scripts from FIRST_SEED on (random_script.py); a
      script whose runs differ is kept in DIR to replay by hand.
"""
import argparse
import os
import subprocess
import sys

import random_script


def check_tool(path):
    if not (os.path.isfile(path) and os.access(path, os.X_OK)):
        sys.exit("the WebAssembly replay tool %s is missing: build it with scripts/build-web.sh, "
                 "or configure the native build with -DVORL_WEB_TESTS=OFF to leave the web "
                 "tests out" % path)


def run(tool, script):
    done = subprocess.run([tool], input=script, capture_output=True, timeout=300)
    return done.returncode, done.stdout, done.stderr


def first_difference(name, a, b):
    """The first line where two outputs part, for the report."""
    la, lb = a.split(b"\n"), b.split(b"\n")
    for i, (x, y) in enumerate(zip(la, lb)):
        if x != y:
            return "%s line %d: native %r, web %r" % (name, i + 1, x, y)
    return "%s: native has %d lines, web %d" % (name, len(la), len(lb))


def differences(native, web):
    """What differs between the native run and the web run; empty if nothing."""
    found = []
    if native[0] != web[0]:
        found.append("exit status: native %d, web %d" % (native[0], web[0]))
    for name, i in (("stdout", 1), ("stderr", 2)):
        if native[i] != web[i]:
            found.append(first_difference(name, native[i], web[i]))
    return found


def golden(args):
    check_tool(args.web)
    with open(args.script, "rb") as f:
        script = f.read()
    with open(args.golden, "rb") as f:
        expected = f.read()
    native, web = run(args.native, script), run(args.web, script)
    found = differences(native, web)
    transcript = web[1] + b"exit %d\n" % web[0]
    if transcript != expected:
        found.append("the web tool's transcript differs from %s: %s" % (
            args.golden, first_difference("transcript", expected, transcript)))
    for line in found:
        print(line)
    print("%s: %d bytes of output and errors compared" % (
        os.path.basename(args.script), len(web[1]) + len(web[2])))
    return 1 if found else 0


def random_scripts(args):
    check_tool(args.web)
    failed = ticks = compared = 0
    for seed in range(args.first_seed, args.first_seed + args.count):
        script, script_ticks = random_script.script(seed)
        native, web = run(args.native, script), run(args.web, script)
        ticks += script_ticks
        compared += len(native[1]) + len(native[2])
        found = differences(native, web)
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
          "errors compared: %d differ" % (args.count, args.first_seed,
                                          args.first_seed + args.count - 1, ticks, compared,
                                          failed))
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="mode", required=True)
    g = sub.add_parser("golden")
    for name in ("native", "web", "script", "golden"):
        g.add_argument(name)
    r = sub.add_parser("random")
    r.add_argument("native")
    r.add_argument("web")
    r.add_argument("first_seed", type=int)
    r.add_argument("count", type=int)
    r.add_argument("--keep")
    args = parser.parse_args()
    return golden(args) if args.mode == "golden" else random_scripts(args)


if __name__ == "__main__":
    sys.exit(main())
