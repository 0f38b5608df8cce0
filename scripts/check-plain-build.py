#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The build a packager runs, checked without compiling the game again.

Configures the game as plain CMake does it (no preset, the system's default
compiler and generator, Release, no tests) in build/packager, checks that no
warning is made an error there, and has that compiler parse every source of
the game and its tools with the build's own flags (-fsyntax-only): it must
accept them all without a warning. The dev build compiles everything with
clang; this is where g++, Debian's compiler, sees the shipped sources.

Usage: scripts/check-plain-build.py [BUILD_DIR]
"""
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_only(entry):
    """The entry's command, parsing only; None when there is nothing to parse."""
    if not os.path.exists(entry["file"]):  # generated at build time (moc)
        return None
    args, skip = [], False
    for arg in shlex.split(entry["command"]):
        if skip:
            skip = False
        elif arg == "-o":
            skip = True
        elif arg != "-c":
            args.append(arg)
    return args + ["-fsyntax-only"]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "packager")
    env = {k: v for k, v in os.environ.items() if k != "CMAKE_CXX_COMPILER_LAUNCHER"}
    subprocess.run(["cmake", "-S", ROOT, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                    "-DBUILD_TESTING=OFF"],
                   check=True, env=env, stdout=subprocess.DEVNULL)
    with open(os.path.join(build, "CMakeCache.txt")) as cache:
        if any(line.startswith("CMAKE_COMPILE_WARNING_AS_ERROR:BOOL=ON") for line in cache):
            sys.exit("check-plain-build: a plain build makes warnings errors")
    with open(os.path.join(build, "compile_commands.json")) as db:
        entries = json.load(db)
    commands = []
    for entry in entries:
        if "-Werror" in entry["command"]:
            sys.exit(f"check-plain-build: -Werror in a plain build: {entry['file']}")
        command = parse_only(entry)
        if command:
            commands.append((entry, command))

    def run(item):
        entry, command = item
        done = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
        return entry["file"], done.returncode, done.stdout + done.stderr

    failed = 0
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        for name, status, output in pool.map(run, commands):
            if status != 0 or output.strip():
                failed += 1
                print(f"{os.path.relpath(name, ROOT)}:\n{output}", file=sys.stderr)
    compiler = entries[0]["command"].split()[0] if entries else "?"
    if failed:
        sys.exit(f"check-plain-build: {compiler} reported on {failed} of {len(commands)} files")
    print(f"plain Release build: configured, no warning is an error, "
          f"{len(commands)} files parsed by {compiler} without a warning")


if __name__ == "__main__":
    main()
