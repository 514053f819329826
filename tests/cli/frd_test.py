#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve --filter-frd and --system-frd: "*" comment lines, then 601
lines of frequency, dB and phase from 1 Hz to 1 kHz; the filter's phase
within 0.1 degree of ngspice's vp(out) for the SPICE netlist of the same
parts and its level within 0.01 dB, relative to the pass band or
absolute; unwrapped (no step over 90 degrees); the subwoofer's FRD read back
by the program's own measurement reader (--measurement) as the SPL it
wrote. Exits 77 (skipped) without ngspice, but fails without it in CI
(VANDREL_REQUIRE_TOOLS=1)."""
import csv
import json
import math
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, read_spice_raw, skip  # noqa: E402

program = sys.argv[1]
ngspice = shutil.which("ngspice")
if not ngspice:
    skip("no ngspice")

DESIGNS = [
    ["--mode", "butterworth", "--parts", "E24"],
    ["--mode", "sos", "--freq", "20", "--q", "2", "--parts", "E24", "--combine", "series"],
    ["--mode", "sos", "--gain", "0", "--cfilter", "4.7", "--freq", "8", "--q", "0.9", "--parts", "shown", "--load",
     "2.2"],
    ["--mode", "peaking", "--gain", "20", "--cfilter", "0.1", "--freq-peak", "40", "--peakmag", "10", "--parts",
     "exact"],
]


def read_frd(path):
    comments, rows = [], []
    for line in Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("*"):
            check(f"{path}: comments first", not rows, line)
            comments.append(line)
        else:
            rows.append([float(x) for x in line.split(" ")])
    return comments, rows


def wrapped(d):
    return (d + 180) % 360 - 180


with tempfile.TemporaryDirectory() as folder:
    with open(os.path.join(folder, ".spiceinit"), "w") as f:
        f.write("set filetype=ascii\n")
    for n, options in enumerate(DESIGNS):
        name = " ".join(options)
        cir, raw = os.path.join(folder, f"{n}.cir"), os.path.join(folder, f"{n}.raw")
        rel, absolute = os.path.join(folder, f"{n}.frd"), os.path.join(folder, f"{n}a.frd")
        run = subprocess.run([program, *options, "--spice", cir, "--filter-frd", rel, "--json"],
                             capture_output=True, text=True)
        check(f"{name}: exit 0", run.returncode == 0, run.stderr)
        gain = json.loads(run.stdout)["as_built"]["path"]["gain_db"]
        subprocess.run([program, *options, "--filter-frd", absolute, "--frd-absolute"], capture_output=True,
                       check=True)
        subprocess.run([ngspice, "-b", "-r", raw, cir], cwd=folder, capture_output=True, check=True)
        hz, vectors = read_spice_raw(raw)
        out = vectors["v(out)"]
        for path, offset in ((rel, gain), (absolute, 0)):
            comments, rows = read_frd(path)
            check(f"{name}: comment lines", len(comments) >= 4 and "Vandrel" in comments[0], comments)
            check(f"{name}: 601 lines of three", len(rows) == 601 and all(len(r) == 3 for r in rows), len(rows))
            check(f"{name}: 1 Hz to 1 kHz", rows[0][0] == 1 and abs(rows[-1][0] - 1000) < 1e-9)
            check(f"{name}: rising", all(b[0] > a[0] for a, b in zip(rows, rows[1:])))
            check(f"{name}: unwrapped", all(abs(b[2] - a[2]) < 90 for a, b in zip(rows, rows[1:])))
            worst_phase = max(abs(wrapped(r[2] - math.degrees(math.atan2(v.imag, v.real)))) for r, v in zip(rows, out))
            worst_db = max(abs(r[1] + offset - 20 * math.log10(abs(v))) for r, v in zip(rows, out))
            check(f"{name}: phase within 0.1 degree of ngspice", worst_phase < 0.1, worst_phase)
            check(f"{name}: level within 0.01 dB of ngspice", worst_db < 0.01, worst_db)
        _, rows = read_frd(rel)
        _, rows_absolute = read_frd(absolute)
        check(f"{name}: relative to the pass-band gain", all(abs(a[1] - r[1] - gain) < 1e-9 and a[2] == r[2]
                                                            for r, a in zip(rows, rows_absolute)))

    # The subwoofer's FRD, read back as a measurement: its level is the SPL
    # written, and its phase follows the pressure without steps.
    system = ["--fs", "26", "--qes", "0.48", "--qms", "6.2", "--vas", "68", "--re", "3.3", "--sd", "480", "--xmax",
              "12.5", "--le", "1.6", "--vb", "70", "--fb", "27", "--volts", "10", "--parts", "E24"]
    frd, table, back = (os.path.join(folder, x) for x in ("s.frd", "s.csv", "back.csv"))
    run = subprocess.run([program, *system, "--system-frd", frd, "--system-response", table], capture_output=True,
                         text=True)
    check("system: exit 0", run.returncode == 0, run.stderr)
    comments, rows = read_frd(frd)
    check("system: 601 lines", len(rows) == 601, len(rows))
    check("system: says the driver and box", any("Driver:" in c for c in comments) and any("Box:" in c for c in comments),
          comments)
    check("system: unwrapped", all(abs(b[2] - a[2]) < 90 for a, b in zip(rows, rows[1:])))
    check("system: within +-180 at 1 kHz", -180 < rows[-1][2] <= 180, rows[-1])
    run = subprocess.run([program, *system, "--measurement", frd, "--system-response", back], capture_output=True,
                         text=True)
    check("system read back: exit 0", run.returncode == 0, run.stderr)
    with open(table) as f:
        spl = [float(r["spl_filtered_db"]) for r in csv.DictReader(f)]
    with open(back) as f:
        measured = [float(r["measured_db"]) for r in csv.DictReader(f)]
    check("system read back: the SPL written", max(abs(a - b) for a, b in zip(spl, measured)) < 1e-9)
    check("system read back: the FRD's levels", max(abs(r[1] - s) for r, s in zip(rows, spl)) < 1e-9)

    # Refusals: the subwoofer's FRD needs a driver and a box, the filter's the parts.
    for args, word in ((["--system-frd", frd], "--system-frd needs a driver"), (["--filter-frd", frd], "--parts"),
                       (["--parts", "E24", "--frd-absolute"], "--frd-absolute needs --filter-frd")):
        run = subprocess.run([program, *args], capture_output=True, text=True)
        check(f"refused: {args}", run.returncode == 2 and word in run.stderr, (run.returncode, run.stderr))

finish("frd")
