#!/usr/bin/env python3
"""How far the chosen parts move f3: for each series and way of combining,
the median and 95th-percentile error of the section's f3 against the exact
design, over realistic designs (SOS User-specified, C 0.1 to 4.7 uF from the
E12 series, 5 to 40 Hz, Q 0.707 to 3), drawn with a fixed seed.

Usage: scripts/part_errors.py [--designs N] [--seed S] [--solver PATH]
Prints a Markdown table (the one in the README).
"""
import argparse
import json
import random
import statistics
import subprocess
from pathlib import Path

SOURCES = ["shown", "E3", "E6", "E12", "E24", "E48", "E96", "E192"]
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


def f3_error(solver, design, source, combine):
    c, f, q = design
    args = [solver, "--mode", "sos", "--cfilter", str(c), "--freq", str(f), "--q", str(q),
            "--parts", source, "--combine", combine, "--r-tol", "0", "--c-tol", "0", "--json"]
    built = json.loads(subprocess.run(args, capture_output=True, text=True, check=True).stdout)["as_built"]
    return abs(built["section"]["f3"] / built["exact_section"]["f3"] - 1) * 100


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
    print("| Parts | " + " | ".join(COMBINES) + " |")
    print("|---|" + "---|" * len(COMBINES))
    for source in SOURCES:
        cells = []
        for combine in COMBINES if source != "shown" else COMBINES[:1]:
            errors = [f3_error(args.solver, d, source, combine) for d in designs]
            cells.append(f"{statistics.median(errors):.3f} / {percentile(errors, 0.95):.3f}")
        cells += ["" for _ in range(len(COMBINES) - len(cells))]
        print(f"| {source} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
