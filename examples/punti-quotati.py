#!/usr/bin/env python3
"""Writes punti-quotati.txt, the survey of spot heights of the user guide.

    examples/punti-quotati.py [FILE]

The ground around the example lines, in the projects' own datum (the ground
at the first pylon is 0): a rise of 2.5 m under the central pylon, a hollow
of 0.5 m at the end of the cable and slopes climbing away from the line on
both sides.  One spot height about every 25 m over X -60 ... 1060 and
Y -110 ... 210, each moved up to 5 m at random as a surveyor's points are,
heights to the centimetre; "X;Y;Z" as a GIS export writes them.  The random
numbers are seeded, so the file is the same every time.
"""

import math
import random
import sys


def ground(x, y):
    rise = 2.5 * math.exp(-((x - 350) ** 2 + (y - 40) ** 2) / (2 * 120 ** 2))
    hollow = 0.5 * math.exp(-((x - 980) ** 2 + (y - 110) ** 2) / (2 * 60 ** 2))
    slopes = 1.5 * (y / 200) ** 2
    return rise - hollow + slopes


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "punti-quotati.txt"
    random.seed(20261210)
    lines = ["X;Y;Z"]
    for i in range(45):
        for j in range(13):
            x = -60 + 25 * i + random.uniform(-5, 5)
            y = -110 + 25 * j + random.uniform(-5, 5)
            lines.append(f"{x:.2f};{y:.2f};{ground(x, y):.2f}")
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
