#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The game on a Wayland compositor: Debian's weston, headless, on an output
smaller than the game's natural size.

  wayland_test.py VORL

- Under weston's desktop shell the game picks its own size: the window has
  its caption, takes the largest size that fits the output, and a screenshot
  (weston-screenshooter, which --debug allows) shows the cloth drawn whole,
  its shape kept.
- Under weston's kiosk shell the compositor gives the window the output's
  size: the game commits buffers of exactly that size.
What the game asks for and commits is read from its WAYLAND_DEBUG log. The
headless compositor takes no input: the pointer and the keys are left to the
X tests.

Exit status 0 when every check holds, 1 otherwise, 77 when weston, Qt's
Wayland plugin or ImageMagick is missing.
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
CAPTION = "Darvo's Vorl Hall"
OUTPUT_W, OUTPUT_H = 1000, 700
CLOTH = "rgb(0,128,0)"
# The cloth's size at the natural scale, in pixels (the X tests' screenshot).
CLOTH_W, CLOTH_H = 673, 329

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def wait_until(predicate, timeout):
    deadline = time.monotonic() + timeout
    while not (value := predicate()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return value


class Session:
    """weston with SHELL and the game on it, its Wayland requests logged."""

    def __init__(self, vorl, shell, folder):
        self.folder = folder
        self.env = dict(os.environ, XDG_RUNTIME_DIR=folder, WAYLAND_DISPLAY="vorl-" + shell,
                        QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1")
        self.env.pop("DISPLAY", None)
        self.weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--debug", "--no-config",
             "--idle-time=0", "--shell=%s-shell.so" % shell, "--socket=vorl-" + shell,
             "--width=%d" % OUTPUT_W, "--height=%d" % OUTPUT_H],
            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.game = None
        if not wait_until(lambda: os.path.exists(os.path.join(folder, "vorl-" + shell)), 10):
            return
        self.log_path = os.path.join(folder, shell + ".log")
        with open(self.log_path, "w") as log:
            self.game = subprocess.Popen([vorl], env=self.env, stdout=subprocess.DEVNULL,
                                         stderr=log)

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def shown(self):
        """The last configure's size and the last buffer's, once one is attached after it."""
        text = self.log()
        configures = list(re.finditer(r" xdg_toplevel@\d+\.configure\((\d+), (\d+),", text))
        buffers = re.findall(r"-> wl_shm_pool@\d+\.create_buffer\(new id wl_buffer@\d+, \d+, "
                             r"(\d+), (\d+),", text)
        if not configures or "wl_surface" not in text[configures[-1].end():] or not buffers:
            return None
        if not re.search(r"-> wl_surface@\d+\.attach\(wl_buffer", text[configures[-1].end():]):
            return None
        return tuple(map(int, configures[-1].groups())), tuple(map(int, buffers[-1]))

    def stop(self):
        for process in (self.game, self.weston):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()


def cloth(screenshot):
    """The bounding box of the cloth's colour on the screenshot, and the share of it that is cloth."""
    out = subprocess.run(["convert", screenshot, "-fill", "white", "-opaque", CLOTH, "-fill",
                          "black", "+opaque", "white", "-format", "%@ %[fx:mean*w*h]", "info:"],
                         capture_output=True, text=True, timeout=30, check=True).stdout
    w, h, x, y, count = map(float, re.match(r"(\d+)x(\d+)\+(\d+)\+(\d+) ([\d.e+]+)", out).groups())
    return int(w), int(h), count / (w * h)


def desktop(vorl, folder):
    session = Session(vorl, "desktop", folder)
    try:
        shown = session.game and wait_until(session.shown, 20)
        if not check(bool(shown), "the game's window is shown under the desktop shell"):
            return
        time.sleep(1)  # the first frames
        log = session.log()
        check(re.search(r"-> xdg_toplevel@\d+\.set_title\(\"%s\"\)" % re.escape(CAPTION), log),
              "the window's caption is %r" % CAPTION)
        (_, _), (w, h) = session.shown()
        check(w <= OUTPUT_W and h <= OUTPUT_H and (w == OUTPUT_W or h == OUTPUT_H),
              "the window, %dx%d, is the largest that fits the %dx%d output" % (
                  w, h, OUTPUT_W, OUTPUT_H))
        before = set(glob.glob(os.path.join(folder, "*.png")))
        subprocess.run(["weston-screenshooter"], cwd=folder, env=session.env, timeout=20,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shots = set(glob.glob(os.path.join(folder, "*.png"))) - before
        if not check(len(shots) == 1, "weston-screenshooter took a screenshot"):
            return
        cw, ch, filled = cloth(shots.pop())
        check(abs(cw / ch / (CLOTH_W / CLOTH_H) - 1) < 0.02 and filled > 0.9 and cw < CLOTH_W,
              "the cloth is drawn whole and smaller, its shape kept: %dx%d, %.0f %% of it green"
              % (cw, ch, filled * 100))
    finally:
        session.stop()


def kiosk(vorl, folder):
    session = Session(vorl, "kiosk", folder)
    try:
        shown = session.game and wait_until(session.shown, 20)
        if check(bool(shown), "the game's window is shown under the kiosk shell"):
            given, committed = shown
            check(given == (OUTPUT_W, OUTPUT_H) and committed == given,
                  "the compositor gives %dx%d, the game commits %dx%d" % (given + committed))
    finally:
        session.stop()


def main():
    vorl = sys.argv[1]
    plugin = glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so")
    missing = [tool for tool in ("weston", "weston-screenshooter", "convert")
               if not shutil.which(tool)] + ([] if plugin else ["qt6-wayland"])
    if missing or not os.access(vorl, os.X_OK):
        print("SKIP: missing " + ", ".join(missing or [vorl]))
        return SKIP
    with tempfile.TemporaryDirectory(prefix="vorl-wayland-") as folder:
        desktop(vorl, folder)
        kiosk(vorl, folder)
    print("%d checks failed" % len(failures) if failures else "all checks hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
