#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The netlists of vandrel-solve --spice through ngspice: the path's f3 and
peak that ngspice finds must match the engine's figures within 0.2 % and
0.05 dB. Exits 77 (skipped) without ngspice, but fails without it in CI
(VANDREL_REQUIRE_TOOLS=1)."""
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import read_spice_raw, skip  # noqa: E402

program = sys.argv[1]
ngspice = shutil.which("ngspice")
if not ngspice:
    skip("no ngspice")

DESIGNS = [
    ("butterworth", "--parts", "E24"),
    ("sos", "--freq", "20", "--q", "2", "--parts", "E24", "--combine", "series"),
    ("sos", "--cfilter", "0.22", "--freq", "31", "--q", "1.2", "--parts", "E12", "--combine", "parallel"),
    ("sos", "--gain", "0", "--cfilter", "4.7", "--freq", "8", "--q", "0.9", "--parts", "shown", "--load", "2.2"),
    ("peaking", "--freq-peak", "25", "--peakmag", "3", "--parts", "E96"),
    ("peaking", "--gain", "20", "--cfilter", "0.1", "--freq-peak", "40", "--peakmag", "10", "--parts", "exact"),
    ("butterworth", "--gain", "12", "--cfilter", "0.33", "--freq", "5", "--parts", "E192", "--combine", "series"),
]


def read_raw(path):
    """Frequencies and the level of v(out), dB, from an ASCII rawfile."""
    hz, vectors = read_spice_raw(path)
    return hz, [20 * math.log10(abs(v)) for v in vectors["v(out)"]]


def rise_through(hz, db, level):
    """Lowest frequency where the level rises through `level`, interpolated on a log axis."""
    for i in range(1, len(hz)):
        if db[i - 1] < level <= db[i]:
            t = (level - db[i - 1]) / (db[i] - db[i - 1])
            return math.exp(math.log(hz[i - 1]) + t * (math.log(hz[i]) - math.log(hz[i - 1])))
    return None


def highest(db):
    """The highest level, refined by a parabola through its neighbours (log axis, even steps)."""
    i = max(range(1, len(db) - 1), key=lambda k: db[k])
    a, b, c = db[i - 1], db[i], db[i + 1]
    denominator = a - 2 * b + c
    return b if denominator == 0 else b - (a - c) ** 2 / (8 * denominator)


failures = []
with tempfile.TemporaryDirectory() as folder:
    with open(os.path.join(folder, ".spiceinit"), "w") as f:
        f.write("set filetype=ascii\n")
    for n, (mode, *rest) in enumerate(DESIGNS):
        netlist, raw = os.path.join(folder, f"{n}.cir"), os.path.join(folder, f"{n}.raw")
        solved = subprocess.run([program, "--mode", mode, *rest, "--spice", netlist, "--json"],
                                capture_output=True, text=True, check=True)
        built = json.loads(solved.stdout)["as_built"]["path"]
        subprocess.run([ngspice, "-b", "-r", raw, netlist], cwd=folder, capture_output=True, check=True)
        hz, db = read_raw(raw)
        name = " ".join([mode, *rest])
        if len(hz) != 601 or hz[0] != 1 or abs(hz[-1] - 1000) > 1e-9:
            failures.append(f"{name}: sweep {len(hz)} points from {hz[0]} to {hz[-1]}")
            continue
        gain = built["gain_db"]
        f3 = rise_through(hz, db, gain - 10 * math.log10(2))
        if built["f3"] is None or f3 is None or abs(f3 / built["f3"] - 1) > 0.002:
            failures.append(f"{name}: f3 {f3} from ngspice, {built['f3']} from the engine")
        print(f"{name}: f3 {f3:.5f} vs {built['f3']:.5f}, peak {highest(db) - gain:.4f} vs {built['peak_db']:.4f}")
        peak = max(highest(db) - gain, 0)
        if abs(peak - built["peak_db"]) > 0.05:
            failures.append(f"{name}: peak {peak:.4f} dB from ngspice, {built['peak_db']:.4f} from the engine")

for failure in failures:
    print("FAIL", failure)
print(f"ngspice_test: {len(DESIGNS) - len(failures)} of {len(DESIGNS)} designs agree")
sys.exit(1 if failures else 0)
