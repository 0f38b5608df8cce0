#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Seeded random replay scripts: strokes from random pointer positions with
thousands of ticks, so that balls drop and racks end (some racks are cut
short by hiding balls and rolling the last one into a pocket), menu clicks,
procedure calls, set commands with ordinary and awkward values, dumps, and
now and then a line the tool refuses, a comment, a CRLF ending or bytes that
are not UTF-8. The same seed always gives the same script.

Usage: random_script.py SEED   (writes the script to standard output)
"""
import random
import struct
import sys

MENUS = ["mnuReset", "mnuDiff0", "mnudiff1", "mnudiff2", "mnudiff3", "mnuGreen", "mnuCyan",
         "mnuCB", "mnuBB", "mnuBCY", "mnuBR", "mnuhtp", "mnuprog"]
PROCEDURES = ["CheckCushions", "CheckCollisions", "CheckCueBallSunk", "CheckBallsSunk",
              "CheckWinner", "NewGame"]
VARIABLES = ["p1Clicks", "p2Clicks", "curPlayer", "shotActive", "ballsSunk", "helpShown"]
LABELS = ["lblP1BC", "lblP2BC", "lblP1CC", "lblP2CC"]
SHAPE_PROPS = ["Left", "Top", "Width", "Height"]

# Numbers the float reader takes at its edges: signs, points, exponents,
# denormals, the largest float, long runs of digits.
ODD_NUMBERS = ["-0", ".5", "5.", "1E3", "1e+03", "007.50", "1e-40", "1e-45", "7.0065e-46",
               "3.4028235e38", "-3.4028235e38", "1.17549435e-38", "0.000001",
               "3247.49999999999999999999999999", "10500.000000000000000000000001",
               "1" + "0" * 30 + "e-27", "0." + "0" * 50 + "1e54", "+5", "1e-50", "-7e-46"]
# And numbers it refuses.
BAD_NUMBERS = ["1e39", "3.4028236e38", "inf", "-inf", "nan", "+-5", "0x10", "++5", "+",
               "--1", "1,5", "5e", "12a", ".", "-", "1e", "e5"]
# Captions: the tallies are read back as numbers, so numbers of every kind.
CAPTIONS = [b"7", b"", b"  12 apples", b"1e300", b"-1", b"1.5", b"inf", b"0x10", b"-0",
            b"99999999999999.5", b"1e-400", b"4503599627370497", b"\t9", b".", b"+3",
            "Zo\u00eb \u2665".encode(), b"\xff\xfe broken", b"1e15"]


class ScriptWriter:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.lines = []
        self.ticks = 0

    def line(self, text):
        if isinstance(text, str):
            text = text.encode()
        r = self.rng.random()
        if r < 0.02:
            text = b"  " + text + b" \t"
        ending = b"\r\n" if r > 0.97 else b"\r" if r > 0.95 else b"\n"
        self.lines.append(text + ending)

    def tick(self, n):
        self.line("tick %d" % n if n != 1 or self.rng.random() < 0.5 else "tick")
        self.ticks += n

    # --- numbers ---

    def float32_text(self, lo, hi):
        """A number in [lo, hi] written as a person or a program might."""
        x = self.rng.uniform(lo, hi)
        form = self.rng.random()
        if form < 0.3:
            return "%d" % round(x)
        if form < 0.5:
            return "%.1f" % (round(x * 2) / 2)
        if form < 0.7:
            return ("%%.%df" % self.rng.randint(1, 4)) % x
        if form < 0.85:
            # The shortest text of the nearest float, as a dump prints it.
            return repr(struct.unpack("f", struct.pack("f", x))[0])
        if form < 0.95:
            return "%.*e" % (self.rng.randint(0, 6), x)
        return self.rng.choice(ODD_NUMBERS)

    def coordinate(self, horizontal):
        return self.float32_text(-2000, 21000 if horizontal else 12700)

    def velocity(self):
        r = self.rng.random()
        if r < 0.9:
            return "%.*f" % (self.rng.randint(0, 4), self.rng.uniform(-300, 300))
        return self.rng.choice(["0", "-0.0490", "1.00005", "922337203685477.5807",
                                "-922337203685477.5808", "9999999999999999999", "+2", ".5",
                                "5.", "abc"])

    def colour(self):
        r = self.rng.random()
        if r < 0.5:
            return "0x%06X" % self.rng.randrange(1 << 24)
        if r < 0.9:
            return "%d" % self.rng.randrange(1 << 32)
        return self.rng.choice(["0xZZ", "0x", "-1", "4294967296", "0x1FFFFFFFF"])

    # --- actions ---

    def stroke(self):
        self.line("move %s %s" % (self.coordinate(True), self.coordinate(False)))
        self.line("down")
        if self.rng.random() < 0.05:
            self.line("down")  # ignored mid-shot
        self.tick(self.rng.randint(1, 700))
        if self.rng.random() < 0.3:
            self.line("dump")

    def set_command(self):
        r = self.rng.random()
        if r < 0.35:
            ball = self.rng.randrange(17)  # 16 is out of range
            prop = self.rng.choice(SHAPE_PROPS + ["Visible", "FillColor", "BorderColor"])
            if prop in SHAPE_PROPS:
                value = self.coordinate(prop in ("Left", "Width"))
                if prop in ("Width", "Height") and self.rng.random() < 0.7:
                    # Near the float limit a contact throws balls to infinity.
                    value = self.rng.choice(["255", "375", "374.99997", "0", "-375", "2e38",
                                             "3.4e38"])
            elif prop == "Visible":
                value = self.rng.choice(["0", "1", "2"])
            else:
                value = self.colour()
            self.line("set ball %d %s %s" % (ball, prop, value))
        elif r < 0.45:
            prop = self.rng.choice(SHAPE_PROPS + ["FillColor"])
            value = self.coordinate(True) if prop != "FillColor" else self.colour()
            self.line("set pocket %d %s %s" % (self.rng.randrange(7), prop, value))
        elif r < 0.5:
            prop = self.rng.choice(SHAPE_PROPS + ["FillColor"])
            self.line("set border %s %s" % (prop, self.coordinate(True)))
        elif r < 0.75:
            self.line("set vel %d %s %s" % (self.rng.randrange(16), self.velocity(),
                                            self.velocity()))
        elif r < 0.85:
            value = self.rng.choice([str(self.rng.randint(-3, 20)), "32767", "40000", "-32768"])
            self.line("set var %s %s" % (self.rng.choice(VARIABLES), value))
        else:
            label = self.rng.choice(LABELS + ["lblNowhere"])
            self.line(b"set caption " + label.encode() + b" " + self.rng.choice(CAPTIONS))

    def end_rack(self):
        """Hides all object balls but one and rolls that one into a pocket."""
        keep = self.rng.randrange(15)
        for i in range(15):
            if i != keep:
                self.line("set ball %d Visible 0" % i)
        self.line("set var ballsSunk 14")
        self.tick(self.rng.randint(1, 3))
        self.line("set ball %d Left %d" % (keep, self.rng.choice([1000, 1100, 10300, 5300])))
        self.line("set ball %d Top %d" % (keep, self.rng.choice([700, 800, 5700])))
        self.line("set vel %d %s %s" % (keep, self.velocity(), self.velocity()))
        self.tick(self.rng.randint(1, 5))

    def bad_line(self):
        self.line(self.rng.choice([
            "move %s 100" % self.rng.choice(BAD_NUMBERS),
            "move 100 %s" % self.rng.choice(BAD_NUMBERS),
            "set ball 3 Left %s" % self.rng.choice(BAD_NUMBERS),
            "fly", "tick -3", "tick 2 3", "tick x", "down now", "click mnuNowhere",
            "call Nothing", "seed -1", "set", "set thing 1", "dump now", "move 1",
            "set var curPlayer 70000", "set border FillColor 0",
            # Indices past 32 bits: out of range, whatever the width of size_t.
            "set ball 4294967296 Left 0", "set vel 99999999999 1 1",
            "set pocket 18446744073709551616 Top 1",
        ]))

    def script(self):
        budget = self.rng.randint(2000, 9000)
        if self.rng.random() < 0.7:
            self.line("seed %d" % self.rng.randrange(1 << 32))
        self.line("dump")
        while self.ticks < budget:
            r = self.rng.random()
            if r < 0.40:
                self.stroke()
            elif r < 0.50:
                self.tick(self.rng.randint(1, 400))
            elif r < 0.58:
                self.line("dump")
            elif r < 0.63:
                self.line("click %s" % self.rng.choice(MENUS))
            elif r < 0.66:
                self.line("call %s" % self.rng.choice(PROCEDURES))
            elif r < 0.80:
                self.set_command()
            elif r < 0.84:
                self.end_rack()
            elif r < 0.90:
                self.bad_line()
            elif r < 0.93:
                self.line("move %s %s" % (self.coordinate(True), self.coordinate(False)))
            elif r < 0.96:
                self.line(self.rng.choice(["", "# a comment", "   ", "\t# indented"]))
            else:
                self.line("seed %d" % self.rng.randrange(1 << 32))
        self.line("dump")
        if self.rng.random() < 0.2:
            self.line("click mnuExit")
            self.line("dump")  # never runs
        return b"".join(self.lines)


def script(seed):
    """The script for a seed, as bytes, and the ticks it asks for."""
    writer = ScriptWriter(seed)
    text = writer.script()
    return text, writer.ticks


if __name__ == "__main__":
    sys.stdout.buffer.write(script(int(sys.argv[1]))[0])
