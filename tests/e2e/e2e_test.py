#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The game in a real X server, driven by real pointer and key events.

Starts the game under Xvfb, moves the pointer, clicks and types through
XTEST (xdotool without --window) and reads the screen back with ImageMagick's
`import`. Positions below are the view's logical pixels (twips / 15); the
view is the bottom part of the window, under the menu bar.

  e2e_test.py table VORL REPLAY [--screenshot PNG]   the game at 1x
  e2e_test.py hidpi VORL                             the table at 2x
  e2e_test.py lost VORL                              windows destroyed by another client
  e2e_test.py fit VORL REPLAY                        a small screen, a resized window

Exit status 0 when every check holds, 1 otherwise, 77 when the game was not built
or a tool is missing.
"""

import argparse
import ctypes
import ctypes.util
import glob
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

SKIP = 77
VIEW_W, VIEW_H = 1272, 712
CAPTION = "Darvo's Vorl Hall"

CLOTH = (0, 128, 0)
RAIL = (192, 64, 0)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
RED = (255, 0, 0)
CYAN = (0, 255, 255)

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def run(*args, timeout=10, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, timeout=timeout, **kw)


def wait_until(predicate, timeout, interval=0.05):
    """Polls until the predicate gives something true; returns its last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(interval)


class XServer:
    """An Xvfb that xvfb-run starts on a free display, open to every local
    client (-ac) as a bare Xvfb is, and stops when the test ends."""

    def __init__(self, width, height, dpi):
        self.proc = subprocess.Popen(
            ["xvfb-run", "-a", "-s", f"-screen 0 {width}x{height}x24 -dpi {dpi} -ac",
             "sh", "-c", 'echo "$DISPLAY"; exec cat >/dev/null'],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        display = self.proc.stdout.readline().strip()
        if not display:
            raise RuntimeError("xvfb-run did not start an X server")
        self.env = dict(os.environ, DISPLAY=display)
        self.size = (width, height)

    def xdotool(self, *args, timeout=10):
        return run("xdotool", *args, env=self.env, timeout=timeout).stdout

    def screen(self):
        raw = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                             check=True, capture_output=True, env=self.env, timeout=10).stdout
        return Screen(raw, *self.size)

    def stop(self):
        self.proc.stdin.close()
        self.proc.wait(timeout=10)


class Screen:
    def __init__(self, raw, width, height):
        if len(raw) != width * height * 3:
            raise RuntimeError(f"screenshot of {len(raw)} bytes for {width}x{height}")
        self.raw, self.width = raw, width

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.raw[i:i + 3])


class Game:
    """The game on the given X server, with its window found by caption."""

    def __init__(self, x, vorl, scale=1, extra_env=None):
        self.x, self.scale = x, scale
        env = dict(x.env, **(extra_env or {}))
        env.pop("QT_QPA_PLATFORM", None)
        self.proc = subprocess.Popen([vorl], env=env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.PIPE, text=True)
        self.window = x.xdotool("search", "--sync", "--onlyvisible", "--name", f"^{CAPTION}$",
                                timeout=20).split()[0]
        geometry = dict(line.split("=") for line in
                        x.xdotool("getwindowgeometry", "--shell", self.window).split())
        self.left, self.top = int(geometry["X"]), int(geometry["Y"])
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        # The view fills the window below the menu bar.
        self.view_top = self.top + self.height - VIEW_H * scale

    def to_screen(self, x, y):
        return self.left + x * self.scale, self.view_top + y * self.scale

    def pixel(self, screen, x, y):
        """The colour at a view position, in device pixels."""
        return screen.at(self.left + x, self.view_top + y)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=10)


def visible_windows(x, pid):
    try:
        return set(x.xdotool("search", "--onlyvisible", "--pid", str(pid)).split())
    except subprocess.CalledProcessError:  # none found
        return set()


def windows_named(x, pattern):
    try:
        return x.xdotool("search", "--onlyvisible", "--name", pattern).split()
    except subprocess.CalledProcessError:  # none found
        return []


def press(game, *keys, up=1):
    """Types the keys, then waits until `up` windows of the game are showing:
    1 is the game alone, each open menu or box adds one."""
    game.x.xdotool("key", "--delay", "30", *keys)
    count = lambda: len(visible_windows(game.x, game.proc.pid))
    if not wait_until(lambda: count() == up, 5):
        raise RuntimeError(f"after {keys}: {count()} windows showing instead of {up}")


def colour_name(c):
    return "#%02x%02x%02x" % c


def expect_colours(game, screen, points, what):
    for (x, y), want, where in points:
        got = game.pixel(screen, x, y)
        check(got == want, f"{what}: {where} at ({x},{y}) is {colour_name(want)}"
              + ("" if got == want else f", found {colour_name(got)}"))


def ink_rows(game, screen, left, top, width, height, background):
    """For each row of the area, whether any pixel differs from the background."""
    return [any(game.pixel(screen, x, y) != background for x in range(left, left + width))
            for y in range(top, top + height)]


def bands(rows):
    return sum(1 for i, ink in enumerate(rows) if ink and (i == 0 or not rows[i - 1]))


def cue_ball_centre(game, screen):
    """The centre of the pure white pixels on the cue ball's row band, in view
    pixels; the head string's white line at x 552 is left out."""
    xs, ys = [], []
    for y in range(190, 245):
        for x in range(60, 745):
            if abs(x - 552) > 3 and game.pixel(screen, x, y) == WHITE:
                xs.append(x)
                ys.append(y)
    if len(xs) < 100:
        return None
    return sum(xs) / len(xs), sum(ys) / len(ys)


def wakeups(pid):
    """Context switches of every thread of the process: one a wake-up."""
    return sum(int(line.split()[1]) for status in glob.glob(f"/proc/{pid}/task/*/status")
               for line in pathlib.Path(status).read_text().splitlines() if "ctxt_switches" in line)


def predicted_rest(replay, x, y):
    """Where the game's own replay tool puts the cue ball's centre after a
    stroke from the pointer at view pixel (x, y)."""
    return replayed_rest(replay, f"move {x * 15} {y * 15}\ndown\n")


def replayed_rest(replay, script):
    """Where the replay tool puts the cue ball's centre, in view pixels, once
    the script's stroke has run out."""
    out = run(replay, input=script + "tick 1000\ndump\n").stdout
    line = next(l for l in out.splitlines() if l.startswith("ball 15 "))
    fields = dict(f.split("=") for f in line.split()[2:])
    return ((float(fields["left"]) + float(fields["width"]) / 2) / 15,
            (float(fields["top"]) + float(fields["height"]) / 2) / 15)


def comes_to_rest_at(game, rest, seen):
    """Whether the cue ball comes to rest within a pixel of `rest`; `seen`
    keeps the last two centres found."""
    def at_rest_there():
        seen[:] = [seen[1], cue_ball_centre(game, game.x.screen())]
        still = None not in seen and all(abs(a - b) < 0.2 for a, b in zip(*seen))
        return still and all(abs(a - b) < 1 for a, b in zip(seen[1], rest))
    return wait_until(at_rest_there, 30, 0.2)


def test_table(vorl, replay, screenshot):
    x = XServer(1600, 1000, 96)
    x.xdotool("mousemove", "1590", "990")  # off the window: no cue line to the pointer yet
    game = Game(x, vorl)
    try:
        check((game.width, game.height - VIEW_H) > (VIEW_W, 0),
              f"window {game.width}x{game.height}: a 1272x712 view under a menu bar")
        x.xdotool("windowfocus", "--sync", game.window)

        # The opening table.
        screen = wait_until(lambda: (lambda s: s if game.pixel(s, 400, 133) == CLOTH else None)(
            x.screen()), 5) or x.screen()
        expect_colours(game, screen, [
            ((400, 133), CLOTH, "cloth"),
            ((25, 180), RAIL, "rail outside the bed's edge"),
            ((50, 180), RAIL, "rail inside it"),
            ((372, 48), BLACK, "top middle pocket"),
            ((308, 212), YELLOW, "solid ball 0"),
            ((228, 228), CLOTH, "cloth through ring ball 8"),
            ((221, 228), YELLOW, "ring of ball 8"),
            ((592, 216), WHITE, "cue ball"),
            ((602, 216), WHITE, "cue ball's rim"),
            ((50, 574), RED, "player 1's name label"),
        ], "opening")
        if screenshot:
            run("import", "-silent", "-window", game.window, screenshot, env=x.env)

        # Access keys: Edit > Board Color > Cyan, Edit > Border Color > Red.
        press(game, "alt+d", up=2)
        press(game, "b", up=3)
        press(game, "c")
        press(game, "alt+d", up=2)
        press(game, "Down", "Down", "Right", up=3)
        press(game, "r")
        screen = wait_until(lambda: (lambda s: s if game.pixel(s, 25, 180) == RED else None)(
            x.screen()), 2) or x.screen()
        expect_colours(game, screen, [
            ((400, 133), CYAN, "cloth"),
            ((228, 228), CYAN, "cloth through ring ball 8"),
            ((25, 180), RED, "rail"),
            ((400, 25), RED, "top rail"),
            ((221, 228), YELLOW, "ring of ball 8"),
        ], "recoloured")

        # Help > How To Play shows the panel's text, a second time hides it.
        background = game.pixel(screen, 1260, 20)
        panel = (840, 88, 337, 369)
        check(bands(ink_rows(game, screen, *panel, background)) == 0, "help panel hidden at first")
        press(game, "alt+h", up=2)
        press(game, "t")
        shown = wait_until(lambda: bands(ink_rows(game, x.screen(), *panel, background)), 2)
        check(shown >= 10, f"help panel shows its text ({shown} lines of ink)")
        press(game, "alt+h", up=2)
        press(game, "t")
        hidden = wait_until(lambda: bands(ink_rows(game, x.screen(), *panel, background)) == 0, 2)
        check(hidden, "help panel hidden again")

        # Help > Programer: a box titled "Vorl" over the game, closed with Enter.
        press(game, "alt+h", up=2)
        press(game, "g", up=2)
        boxes = windows_named(x, "^Vorl$")
        check(len(boxes) == 1, f"one window titled Vorl ({len(boxes)})")
        if boxes:
            props = run("xprop", "-id", boxes[0], "WM_NAME", "_NET_WM_WINDOW_TYPE",
                        "WM_TRANSIENT_FOR", env=x.env).stdout
            check('WM_NAME(STRING) = "Vorl"' in props, "the box's title is Vorl")
            check("_NET_WM_WINDOW_TYPE_DIALOG" in props, "the box is a dialog")
            check(f"window id # {hex(int(game.window))}" in props, "the box belongs to the game")
            box = dict(line.split("=") for line in
                       x.xdotool("getwindowgeometry", "--shell", boxes[0]).split())
            left, top = int(box["X"]) - game.left, int(box["Y"]) - game.view_top
            width, height = int(box["WIDTH"]), int(box["HEIGHT"])
            screen = x.screen()
            face = game.pixel(screen, left + 2, top + 2)
            # The credit line above, the button's frame and caption below.
            rows = ink_rows(game, screen, left + 1, top + 1, width - 2, height - 2, face)
            check(bands(rows[:height // 2]) == 1, "one line of text in the box's upper half")
            check(width < 400 and height < 120, f"a small box ({width}x{height})")
            # Grey text on a grey face and a blue frame round OK: any green
            # is a theme's picture on the button.
            green = [(x, y) for y in range(top, top + height) for x in range(left, left + width)
                     if (lambda r, g, b: g > r + 10 and g > b + 10)(*game.pixel(screen, x, y))]
            check(not green, f"no picture on the OK button ({len(green)} green pixels)")
        press(game, "Return")
        check(wait_until(lambda: not windows_named(x, "^Vorl$"), 2), "Enter closes the box")

        # Left alone, the game sleeps (64 ticks a second would be some 200
        # wake-ups in three seconds)...
        time.sleep(1)
        before = wakeups(game.proc.pid)
        time.sleep(3)
        idle = wakeups(game.proc.pid) - before
        check(idle < 30, f"the game sleeps at rest ({idle} wake-ups in 3 s)")

        # ... and after the rest a press sends the cue ball away from the
        # pointer, to where the replay tool puts it for the same stroke.
        aim = (640, 216)
        x.xdotool("mousemove", *map(str, game.to_screen(*aim)))
        time.sleep(0.1)
        x.xdotool("click", "1")
        start = 592.5
        first = wait_until(lambda: (lambda c: c if c and c[0] < start - 2 else None)(
            cue_ball_centre(game, x.screen())), 3)
        check(first is not None and abs(first[1] - 216.5) < 3,
              f"the cue ball leaves its spot to the left, away from the pointer ({first})")
        rest = predicted_rest(replay, *aim)
        # About 300 ticks, five seconds at full pace; a busy machine slows the game.
        began = time.monotonic()
        seen = [None, None]
        check(comes_to_rest_at(game, rest, seen),
              f"it comes to rest at ({rest[0]:.1f},{rest[1]:.1f}) as replayed "
              f"(last two seen {seen}, after {time.monotonic() - began:.1f} s)")

        # File > Exit ends the game at once, with status 0.
        press(game, "alt+f", up=2)
        x.xdotool("key", "e")
        began = time.monotonic()
        try:
            status = game.proc.wait(timeout=1)
            check(status == 0, f"File > Exit ends the game with status {status}")
            print(f"     (ended {time.monotonic() - began:.2f} s after the key)")
        except subprocess.TimeoutExpired:
            check(False, "File > Exit ends the game within a second")
    finally:
        game.stop()
        x.stop()


def destroy_window(x, window):
    """Destroys a window from another client, as any X client may; with no
    window manager nothing asks its owner first."""
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDestroyWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(x.env["DISPLAY"].encode())
    if not display:
        raise RuntimeError("cannot open the display")
    xlib.XDestroyWindow(display, int(window))
    xlib.XSync(display, 0)
    xlib.XCloseDisplay(display)


def test_lost(vorl):
    x = XServer(1600, 1000, 96)
    x.xdotool("mousemove", "1590", "990")
    game = Game(x, vorl)
    try:
        x.xdotool("windowfocus", "--sync", game.window)
        wait_until(lambda: game.pixel(x.screen(), 400, 133) == CLOTH, 5)

        # The credit box's window destroyed: the box counts as closed, and a
        # stroke gets through to the game and its ticks again.
        press(game, "alt+h", up=2)
        press(game, "g", up=2)
        boxes = windows_named(x, "^Vorl$")
        check(len(boxes) == 1, f"the credit box is open ({len(boxes)})")
        if boxes:
            destroy_window(x, boxes[0])
        time.sleep(0.5)
        x.xdotool("mousemove", *map(str, game.to_screen(640, 216)), "click", "1")
        moved = wait_until(lambda: (lambda c: c and c[0] < 590)(cue_ball_centre(game, x.screen())),
                           5)
        check(moved, "after the box's window is destroyed a stroke sends the cue ball away")
        check(game.proc.poll() is None, "the game runs on")

        # The game's own window destroyed: the game ends as if it were closed.
        destroy_window(x, game.window)
        try:
            status = game.proc.wait(timeout=5)
            check(status == 0, f"with its window destroyed the game ends with status {status}")
        except subprocess.TimeoutExpired:
            check(False, "with its window destroyed the game ends within five seconds")
        errors = game.proc.stderr.read() if game.proc.poll() is not None else ""
        check("error" not in errors.lower(), f"nothing on stderr about it ({errors.strip()!r})")
    finally:
        game.stop()
        x.stop()


def test_hidpi(vorl):
    x = XServer(2800, 1600, 192)
    x.xdotool("mousemove", "2790", "1590")
    game = Game(x, vorl, scale=2, extra_env={"QT_SCALE_FACTOR": "2"})
    try:
        check(game.width == 2 * VIEW_W and game.height > 2 * VIEW_H,
              f"window {game.width}x{game.height}: a 2544x1424 view under a menu bar")
        screen = wait_until(lambda: (lambda s: s if game.pixel(s, 800, 266) == CLOTH else None)(
            x.screen()), 5) or x.screen()
        # Device pixels. The cue ball's rim ends at 604.5 logical pixels: a
        # 1x picture blown up would show one half-white blend in both 1208
        # and 1209; drawn at device resolution they are white, then cloth.
        rim = game.pixel(screen, 1208, 433)
        check(min(rim) >= 240, f"the cue ball's rim fills device pixel 1208 ({colour_name(rim)})")
        expect_colours(game, screen, [
            ((1184, 433), WHITE, "cue ball"),
            ((1209, 433), CLOTH, "first device pixel past the rim"),
            ((40, 360), RAIL, "rail's outer edge, 20 logical"),
            ((119, 360), RAIL, "rail's inner edge, 60 logical"),
            ((120, 360), CLOTH, "cloth just inside the rail"),
            ((96, 1148), BLACK, "player 1 label's border, device pixel 1 of 2"),
            ((97, 1148), BLACK, "device pixel 2 of 2"),
            ((98, 1148), RED, "the label's face"),
        ], "at 2x")
        outside = game.pixel(screen, 39, 360)
        check(outside not in (RAIL, CLOTH), "the rail is 80 device pixels wide: nothing at 39")
        check(game.pixel(screen, 95, 1148) != BLACK, "the label's border is 2 device pixels wide")
    finally:
        game.stop()
        x.stop()


def test_fit(vorl, replay):
    # A 1024x640 screen, too small for the form at 1:1, under a window manager.
    x = XServer(1024, 640, 96)
    wm = subprocess.Popen(["openbox"], env=x.env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.STDOUT)
    wait_until(lambda: "CARDINAL" in run("xprop", "-root", "_NET_WORKAREA", env=x.env).stdout, 5)
    game = Game(x, vorl)

    def placed():  # the client area on the screen, then the frame's left, right, top, bottom
        info = run("xwininfo", "-id", game.window, env=x.env).stdout
        frame = run("xprop", "-id", game.window, "_NET_FRAME_EXTENTS", env=x.env).stdout
        return [int(n) for n in re.findall(r"(?:Absolute upper-left [XY]|Width|Height): +(-?\d+)",
                                           info) + re.findall(r"\d+", frame.partition("=")[2])]
    try:
        inside = lambda p: len(p) == 8 and p[6] > 0 and p[0] - p[4] >= 0 <= p[1] - p[6] and (
            p[0] + p[2] + p[5] <= 1024 and p[1] + p[3] + p[7] <= 640)
        at = wait_until(lambda: (lambda p: p if inside(p) else None)(placed()), 5) or placed()
        check(inside(at) and at[2] < VIEW_W, f"scaled down, title bar, menu bar and form on "
              f"the screen (client area and frame {at})")
        # The form's width sets the scale; its height is that width's share, rounded down.
        menu, rest = at[3] - at[2] * VIEW_H // VIEW_W, predicted_rest(replay, 640, 216)

        # Resized to 954x560 under the menu bar: the form at 0.75, 13 pixels down.
        x.xdotool("windowsize", "--sync", game.window, "954", str(menu + 560))
        game.left, game.view_top, game.scale = at[0], at[1] + menu + 13, 0.75
        drawn = lambda s: game.pixel(s, 300, 100) == CLOTH and game.pixel(s, 45, 424) == RED and (
            game.pixel(s, 800, 539) == game.pixel(s, 800, -11) != BLACK)
        check(wait_until(lambda: drawn(x.screen()), 5), "the form drawn at 0.75, the score panel "
              "in view, the margins below and above it in its back colour, the picture unseen")
        x.xdotool("mousemove", *map(str, game.to_screen(640, 216)), "click", "1")
        # Seen back at 1:1, the cue ball comes to rest where it is replayed.
        x.xdotool("windowsize", "--sync", game.window, str(VIEW_W), str(menu + VIEW_H))
        at = wait_until(lambda: (lambda p: p if p[2] == VIEW_W else None)(placed()), 5) or at
        game.left, game.view_top, game.scale = at[0], at[1] + menu, 1
        check(wait_until(lambda: (lambda c: c and max(abs(c[0] - rest[0]), abs(c[1] - rest[1]))
                                  < 1)(cue_ball_centre(game, x.screen())), 30, 0.2),
              f"struck at 0.75, the cue ball comes to rest at ({rest[0]:.1f},{rest[1]:.1f})")
    finally:
        game.stop()
        wm.terminate()
        x.stop()


def test_keys(vorl, replay):
    """The table has the keys from the start, the pointer off the window: a
    stroke from the keyboard rests where the replay tool's `key` commands put it."""
    x = XServer(1600, 1000, 96)
    x.xdotool("mousemove", "1590", "990")
    game = Game(x, vorl)
    try:
        x.xdotool("windowfocus", "--sync", game.window)
        # From the opening cue line, 7 degrees right of up, to straight right
        # and softer: the ball comes back off the rail along its row.
        keys = ["Right"] * 16 + ["shift+Right"] * 3 + ["Down"] * 5 + ["space"]
        x.xdotool("key", "--delay", "30", *keys)
        rest = replayed_rest(replay, "".join(
            f"key {k.replace('shift', 'Shift').replace('space', 'Space')}\n" for k in keys))
        seen = [None, None]
        check(comes_to_rest_at(game, rest, seen), f"struck from the keyboard, the cue ball rests "
              f"at ({rest[0]:.1f},{rest[1]:.1f}) as replayed (last two seen {seen})")
    finally:
        game.stop()
        x.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["table", "hidpi", "lost", "fit", "keys"])
    parser.add_argument("vorl")
    parser.add_argument("replay", nargs="?")
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    if not os.access(args.vorl, os.X_OK):
        print(f"SKIP: {args.vorl} was not built")
        return SKIP
    missing = [tool for tool in ("xvfb-run", "xdotool", "import") if not shutil.which(tool)]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed")
        return SKIP
    began = time.monotonic()
    if args.mode == "table":
        test_table(args.vorl, args.replay, args.screenshot)
    elif args.mode == "lost":
        if not ctypes.util.find_library("X11"):
            print("SKIP: no libX11 to destroy windows with")
            return SKIP
        test_lost(args.vorl)
    elif args.mode == "fit":
        test_fit(args.vorl, args.replay)
    elif args.mode == "keys":
        test_keys(args.vorl, args.replay)
    else:
        test_hidpi(args.vorl)
    print(f"{len(failures)} checks failed in {time.monotonic() - began:.1f} s")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
