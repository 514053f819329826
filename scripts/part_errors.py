#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How far the chosen parts move f3: for each series and way of combining,
the median and 95th-percentile error of the section's f3 against the exact
design, over realistic designs (SOS User-specified, C 0.1 to 4.7 uF from the
E12 series, 5 to 40 Hz, Q 0.707 to 3), drawn with a fixed seed.

Usage: scripts/part_errors.py [--designs N] [--seed S] [--solver PATH]
Prints a Markdown table (the one in the README).
"""
import argparse
import json
import math
import random
import statistics
import subprocess
from pathlib import Path

SOURCES = ["shown", "E3", "E6", "E12", "E24", "E48", "E96", "E192"]
# One decade of each series, in hundredths, for the nearest-value comparison.
DECADES = {
    "E3": [100, 220, 470],
    "E6": [100, 150, 220, 330, 470, 680],
    "E12": [100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820],
    "E24": [100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
            330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910],
}
# E192 is the rounded geometric series but for 9.20; E96 and E48 take every
# second value of the one above.
DECADES["E192"] = [920 if i == 185 else round(100 * 10 ** (i / 192)) for i in range(192)]
DECADES["E96"] = DECADES["E192"][::2]
DECADES["E48"] = DECADES["E96"][::2]
COMBINES = ["single", "series", "parallel"]
CAPACITORS = [0.1, 0.12, 0.15, 0.18, 0.22, 0.27, 0.33, 0.39, 0.47, 0.56, 0.68, 0.82,
              1.0, 1.2, 1.5, 1.8, 2.2, 2.7, 3.3, 3.9, 4.7]


def percentile(values, p):
    """Linear interpolation between order statistics."""
    ordered = sorted(values)
    position = p * (len(ordered) - 1)
    below = int(position)
    above = min(below + 1, len(ordered) - 1)
    return ordered[below] + (position - below) * (ordered[above] - ordered[below])


def as_built(solver, design, source, combine):
    c, f, q = design
    args = [solver, "--mode", "sos", "--cfilter", str(c), "--freq", str(f), "--q", str(q),
            "--parts", source, "--combine", combine, "--r-tol", "0", "--c-tol", "0", "--json"]
    return json.loads(subprocess.run(args, capture_output=True, text=True, check=True).stdout)["as_built"]


def f3_error(built):
    return abs(built["section"]["f3"] / built["exact_section"]["f3"] - 1) * 100


def section_f3(c_uf, r3, r4):
    """f3 of the section, worked out here from its parts (kOhm, uF)."""
    f0 = 1000 / (2 * math.pi * c_uf * math.sqrt(r3 * r4))
    qq = r4 / r3 / 4
    return f0 * math.sqrt((1 / (2 * qq) - 1) + math.sqrt(2 - 1 / qq + 1 / (4 * qq * qq)))


def nearest(series, value):
    """The value of a series nearest to `value`, by difference."""
    decade = 10 ** math.floor(math.log10(value))
    return min((m / 100 * decade * scale for m in series for scale in (0.1, 1, 10)), key=lambda v: abs(v - value))


def nearest_error(built, series):
    """f3 error of the nearest value of each resistor, for comparison."""
    parts = built["parts"]
    r3, r4 = nearest(series, parts["r3"]["exact"]), nearest(series, parts["r4"]["exact"])
    return abs(section_f3(parts["c"]["value"], r3, r4) / built["exact_section"]["f3"] - 1) * 100


def main():
    top = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--designs", type=int, default=210)
    parser.add_argument("--seed", type=int, default=2009)
    parser.add_argument("--solver", default=str(top / "build" / "cli" / "vandrel-solve"))
    args = parser.parse_args()

    rng = random.Random(args.seed)
    designs = [(rng.choice(CAPACITORS), round(rng.uniform(5, 40), 1), round(rng.uniform(0.707, 3), 3))
               for _ in range(args.designs)]

    print(f"f3 error of the chosen parts, % ({args.designs} designs, seed {args.seed}): median / 95th percentile\n")
    print("| Parts | nearest value of each | " + " | ".join(COMBINES) + " |")
    print("|---|---|" + "---|" * len(COMBINES))
    summary = lambda errors: f"{statistics.median(errors):.3f} / {percentile(errors, 0.95):.3f}"
    for source in SOURCES:
        cells = []
        for combine in COMBINES if source != "shown" else COMBINES[:1]:
            built = [as_built(args.solver, d, source, combine) for d in designs]
            if combine == "single":
                cells.append(summary([nearest_error(b, DECADES[source]) for b in built])
                             if source in DECADES else "")
            cells.append(summary([f3_error(b) for b in built]))
        cells += ["" for _ in range(len(COMBINES) + 1 - len(cells))]
        print(f"| {source} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
