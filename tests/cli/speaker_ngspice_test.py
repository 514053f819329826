#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The subwoofer's acoustic circuit through ngspice: a netlist written here
from the driver's Thiele-Small parameters, with the electrical side joined to
the acoustic one by two current-controlled sources (Bl/Sd each way), must give
the SPL, cone excursion and port velocity of vandrel-solve --system-response
within 0.1 dB and 0.5 %; through the filter as built (its own netlist run by
ngspice too), so must the filtered columns.

Without ngspice: skipped (exit 77), or failed when VANDREL_REQUIRE_TOOLS=1."""
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
from checks import read_spice_raw, skip  # noqa: E402

program = sys.argv[-1]
launcher = sys.argv[1:-1]
ngspice = shutil.which("ngspice")
if not ngspice:
    skip("no ngspice")

RHO, C = 1.18, 345.0

# (name, driver, box, volts, parts for the filter or None)
SYSTEMS = [
    ("vented with a port", dict(fs=26, qes=0.48, qms=6.2, vas=68, re=3.3, sd=480, xmax=12.5, le=1.6),
     dict(vb=70, fb=27, ql=7, port=10), 20, "E24"),
    ("sealed with leakage", dict(fs=32, qes=0.55, qms=4, vas=40, re=6.2, sd=330, xmax=9, le=0.8),
     dict(vb=30, ql=10), 10, None),
    ("sealed lossless, Qts only", dict(fs=22, qts=0.38, vas=120, re=3.6, sd=1200, xmax=18),
     dict(vb=90), 40, "exact"),
]


def netlist(d, box, volts):
    """The driver in its box as an ngspice circuit in SI units."""
    sd = d["sd"] * 1e-4
    cms = d["vas"] * 1e-3 / (RHO * C * C * sd * sd)
    ws = 2 * math.pi * d["fs"]
    mms = 1 / (ws * ws * cms)
    qes = d.get("qes", d.get("qts"))
    bl = math.sqrt(ws * mms * d["re"] / qes)
    k = bl / sd
    cab = box["vb"] * 1e-3 / (RHO * C * C)
    lines = ["* driver in its box", f"VIN e 0 AC {volts!r}"]
    if d.get("le"):
        lines += [f"RE e n1 {d['re']!r}", f"LE n1 n2 {d['le'] * 1e-3!r}"]
    else:
        lines += [f"RE e n2 {d['re']!r}"]
    lines += ["VSE n2 n3 0", f"HEMF n3 0 VCONE {k!r}",            # back EMF: Bl/Sd times the cone's volume velocity
              f"HP a0 0 VSE {k!r}", "VCONE a0 a1 0"]              # pressure: Bl/Sd times the coil current
    if "qms" in d:
        lines.append(f"RAS a1 a2 {ws * mms / d['qms'] / sd ** 2!r}")
    else:
        lines.append("VRAS a1 a2 0")
    lines += [f"LMAS a2 a3 {mms / sd ** 2!r}", f"CAS a3 box {cms * sd ** 2!r}", "VCAB box b1 0", f"CAB b1 0 {cab!r}"]
    if "fb" in box:
        wb = 2 * math.pi * box["fb"]
        lines += ["VPORT box p1 0", f"LMAP p1 0 {1 / (wb * wb * cab)!r}", f"RAL box 0 {box['ql'] / (wb * cab)!r}"]
    elif "ql" in box:
        fc = d["fs"] * math.sqrt(1 + d["vas"] / box["vb"])
        lines.append(f"RAL box 0 {box['ql'] / (2 * math.pi * fc * cab)!r}")
    return "\n".join(lines + [".ac dec 200 1 1k", ".end", ""])


def current(vectors, source):
    for name in (f"i({source})", f"{source}#branch"):
        if name in vectors:
            return vectors[name]
    raise KeyError(source)


def run_spice(folder, name, text):
    cir, raw = os.path.join(folder, name + ".cir"), os.path.join(folder, name + ".raw")
    if text is not None:
        with open(cir, "w") as f:
            f.write(text)
    subprocess.run([ngspice, "-b", "-r", raw, cir], cwd=folder, capture_output=True, check=True)
    return read_spice_raw(raw)


failures = []
checked = 0


def compare(name, column, got, want, tolerance, relative):
    global checked
    worst = max(abs(g / w - 1) if relative else abs(g - w) for g, w in zip(got, want))
    checked += 1
    if worst > tolerance:
        failures.append(f"{name} {column}: off by {worst:.3g}{'' if relative else ' dB'}")
    print(f"{name}: {column} agrees within {worst:.2g}{' (relative)' if relative else ' dB'}")


with tempfile.TemporaryDirectory() as folder:
    with open(os.path.join(folder, ".spiceinit"), "w") as f:
        f.write("set filetype=ascii\n")
    for n, (name, d, box, volts, parts) in enumerate(SYSTEMS):
        table = os.path.join(folder, f"{n}.csv")
        args = [f"--{k}={v}" for k, v in d.items()] + [f"--vb={box['vb']}", f"--volts={volts}"]
        args += [f"--fb={box['fb']}", "--box=vented"] if "fb" in box else []
        args += [f"--ql={box['ql']}"] if "ql" in box else ["--ql=none"]
        args += [f"--port-diameter={box['port']}"] if "port" in box else []
        filter_netlist = os.path.join(folder, f"{n}-filter.cir")
        args += ["--parts", parts, "--spice", filter_netlist] if parts else []
        solved = subprocess.run([*launcher, program, *args, "--system-response", table, "--json"],
                                capture_output=True, text=True)
        if solved.returncode != 0:
            failures.append(f"{name}: vandrel-solve exit {solved.returncode}: {solved.stderr}")
            continue
        with open(table) as f:
            rows = list(csv.DictReader(f))
        hz, vectors = run_spice(folder, str(n), netlist(d, box, volts))
        if len(hz) != 601 or len(rows) != 601 or any(abs(h / float(r["hz"]) - 1) > 1e-9 for h, r in zip(hz, rows)):
            failures.append(f"{name}: {len(hz)} frequencies from ngspice, {len(rows)} rows")
            continue
        sd = d["sd"] * 1e-4
        cone, radiated = current(vectors, "vcone"), current(vectors, "vcab")
        spl = [20 * math.log10(RHO * f * abs(u) / 20e-6) for f, u in zip(hz, radiated)]
        excursion = [math.sqrt(2) * abs(u) / (sd * 2 * math.pi * f) * 1e3 for f, u in zip(hz, cone)]
        compare(name, "spl_db", [float(r["spl_db"]) for r in rows], spl, 0.1, False)
        compare(name, "excursion_mm", [float(r["excursion_mm"]) for r in rows], excursion, 0.005, True)
        port = None
        if "port" in box:
            area = math.pi * (box["port"] / 200) ** 2
            port = [math.sqrt(2) * abs(u) / area for u in current(vectors, "vport")]
            compare(name, "port_velocity_ms", [float(r["port_velocity_ms"]) for r in rows], port, 0.005, True)
        if parts:
            # The filter's own level relative to its pass-band gain, from ngspice.
            gain_db = json.loads(solved.stdout)["as_built"]["path"]["gain_db"]
            _, filtered = run_spice(folder, f"{n}-filter", None)
            relative = [abs(v) / 10 ** (gain_db / 20) for v in filtered["v(out)"]]
            compare(name, "spl_filtered_db", [float(r["spl_filtered_db"]) for r in rows],
                    [s + 20 * math.log10(h) for s, h in zip(spl, relative)], 0.1, False)
            compare(name, "excursion_filtered_mm", [float(r["excursion_filtered_mm"]) for r in rows],
                    [e * h for e, h in zip(excursion, relative)], 0.005, True)
            if port:
                compare(name, "port_velocity_filtered_ms", [float(r["port_velocity_filtered_ms"]) for r in rows],
                        [p * h for p, h in zip(port, relative)], 0.005, True)

for failure in failures:
    print("FAIL", failure)
print(f"speaker_ngspice_test: {checked} columns compared, {len(failures)} failures")
sys.exit(1 if failures or not checked else 0)
