#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The game on Debian's weston, headless, on an output smaller than the game:
under the desktop shell it takes its caption and the largest size that fits,
and a screenshot shows the cloth whole, its shape kept; under the kiosk shell
it commits buffers of the size the compositor gives. Read from the game's
WAYLAND_DEBUG log. The headless weston takes no input: that stays with the X
tests. Exit status 77 when weston, qt6-wayland or ImageMagick is missing.
  wayland_test.py VORL
"""
import glob, os, pathlib, re, shutil, subprocess, sys, tempfile, time

OUT_W, OUT_H = 1000, 700
CLOTH_W, CLOTH_H = 673, 329  # the cloth at the natural size (the X tests' screenshot)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    failures.extend([] if ok else [what])
    return ok


def session(vorl, shell, folder, inspect):
    """Runs the game on weston with SHELL; inspect(env, log, configure, buffer) once it shows."""
    env = dict(os.environ, XDG_RUNTIME_DIR=folder, WAYLAND_DISPLAY=shell, WAYLAND_DEBUG="1",
               QT_QPA_PLATFORM="wayland")
    env.pop("DISPLAY", None)
    log_path = pathlib.Path(folder, shell + ".log")
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                               "--no-config", "--idle-time=0", "--shell=%s-shell.so" % shell,
                               "--socket=" + shell, "--width=%d" % OUT_W, "--height=%d" % OUT_H],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    game = None
    try:
        for _ in range(100):
            if os.path.exists(os.path.join(folder, shell)):
                with open(log_path, "w") as log:
                    game = subprocess.Popen([vorl], env=env, stdout=subprocess.DEVNULL, stderr=log)
                break
            time.sleep(0.1)
        for _ in range(200):
            # A buffer attached after the first configure; then the last of each.
            log = log_path.read_text(errors="replace")
            first = re.search(r" xdg_toplevel@\d+\.configure\(", log)
            if first and re.search(r"-> wl_surface@\d+\.attach\(wl_buffer", log[first.end():]):
                time.sleep(1)  # the first frames drawn
                log = log_path.read_text(errors="replace")
                configure = re.findall(r" xdg_toplevel@\d+\.configure\((\d+), (\d+),", log)
                buffer = re.findall(r"create_buffer\(new id wl_buffer@\d+, \d+, (\d+), (\d+),", log)
                return inspect(env, log, tuple(map(int, configure[-1])), tuple(map(int, buffer[-1])))
            time.sleep(0.1)
        check(False, "the game's window is shown under the %s shell" % shell)
    finally:
        for process in (game, weston):
            if process:
                process.terminate()
                process.wait(10)


def desktop(env, log, configure, buffer):
    check('set_title("Darvo\'s Vorl Hall")' in log, "the window's caption")
    w, h = buffer
    check(w <= OUT_W and h <= OUT_H and (w == OUT_W or h == OUT_H),
          "the window, %dx%d, is the largest that fits %dx%d" % (w, h, OUT_W, OUT_H))
    folder = env["XDG_RUNTIME_DIR"]
    subprocess.run(["weston-screenshooter"], cwd=folder, env=dict(env, WAYLAND_DEBUG=""),
                   timeout=20)
    shot = glob.glob(os.path.join(folder, "*.png"))
    if check(len(shot) == 1, "a screenshot"):
        # The bounding box of the cloth's colour, and how much of it is cloth.
        found = subprocess.run(["convert", shot[0], "-fill", "white", "-opaque", "rgb(0,128,0)",
                                "-fill", "black", "+opaque", "white", "-format",
                                "%@ %[fx:mean*w*h]", "info:"], capture_output=True, text=True)
        cw, ch, _, _, count = map(float, re.split(r"[x+ ]", found.stdout.strip()))
        check(abs(cw / ch * CLOTH_H / CLOTH_W - 1) < 0.02 and count > 0.9 * cw * ch
              and cw < CLOTH_W, "the cloth is drawn whole and smaller, its shape kept: %dx%d, "
              "%.0f %% green" % (cw, ch, 100 * count / (cw * ch)))


def kiosk(env, log, configure, buffer):
    check(configure == (OUT_W, OUT_H) and buffer == configure,
          "the compositor gives %dx%d, the game commits %dx%d" % (configure + buffer))


def main():
    missing = [t for t in ("weston", "weston-screenshooter", "convert") if not shutil.which(t)]
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        missing.append("qt6-wayland")
    if missing:
        print("SKIP: missing " + ", ".join(missing))
        return 77
    for shell, inspect in (("desktop", desktop), ("kiosk", kiosk)):
        with tempfile.TemporaryDirectory(prefix="vorl-wayland-") as folder:
            session(sys.argv[1], shell, folder, inspect)
    print("%d checks failed" % len(failures) if failures else "all checks hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
