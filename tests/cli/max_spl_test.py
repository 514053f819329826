#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The loudest safe level at every one of the 601 frequencies, worked out
apart from the program from the system-response table's own SPL, excursion
and port columns at the drive: the level at the largest amplifier voltage
that keeps the amplifier's most, sqrt(Pe Re), Xmax and the port limit (and,
with the filter, full scale through it), and the limit that sets it.
Usage: max_spl_test.py [LAUNCHER...] PATH/TO/vandrel-solve"""
import csv
import io
import math
import os
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

run = runner(sys.argv[1:], timeout=60)

TWELVE = ["--fs", "26", "--qes", "0.48", "--qms", "6.2", "--vas", "68", "--re", "3.3", "--sd", "480",
          "--xmax", "12.5", "--le", "1.6"]
# (name, options, drive V, amplifier V, Pe W or None, Re, Xmax mm, port limit m/s or None)
SYSTEMS = [
    ("vented, every limit", TWELVE + ["--vb", "70", "--fb", "27", "--port-diameter", "10", "--volts", "10",
                                      "--amp-volts", "40", "--pe", "100", "--port-limit", "20"],
     10, 40, 100, 3.3, 12.5, 20),
    ("vented at its drive", TWELVE + ["--vb", "70", "--fb", "27", "--port-diameter", "15", "--volts", "30"],
     30, 30, None, 3.3, 12.5, 17),
    ("sealed, a peaking filter", TWELVE + ["--vb", "40", "--volts", "20", "--amp-watts", "500", "--mode", "sos",
                                           "--freq", "25", "--q", "2", "--parts", "E24"],
     20, math.sqrt(500 * 3.3), None, 3.3, 12.5, None),
]


def loudest(spl, volts_cap, caps):
    """The level at the least of the voltage caps, and which it is."""
    name, limit = min(caps.items(), key=lambda item: item[1])
    return spl + 20 * math.log10(limit / volts_cap), name


with tempfile.TemporaryDirectory() as folder:
    for name, options, v, amp, pe, re, xmax, port in SYSTEMS:
        table = os.path.join(folder, "sr.csv")
        result = run(*options, "--system-response", table)
        check(f"{name}: status", result.returncode == 0, result.stderr)
        if result.returncode != 0:
            continue
        rows = list(csv.DictReader(io.StringIO(Path(table).read_text())))
        check(f"{name}: 601 rows", len(rows) == 601, str(len(rows)))
        worst = 0.0
        wrong_limit = []
        for row in rows:
            f = float(row["hz"])
            spl = float(row["spl_db"])
            x, x_filtered = float(row["excursion_mm"]), float(row["excursion_filtered_mm"])
            through = float(row["amplifier_v_filtered"])  # V h(f)
            caps = {"amplifier": amp}
            if pe is not None:
                caps["thermal"] = math.sqrt(pe * re)
            caps["xmax"] = v * xmax / x
            if port is not None:
                caps["port"] = v * port / float(row["port_velocity_ms"])
            want, limit = loudest(spl, v, caps)
            # With the filter the amplifier sees V h(f) for V: its excursion and
            # air per amplifier volt are the filtered ones over V h(f).
            caps_f = {"drive": through, "amplifier": amp}
            if pe is not None:
                caps_f["thermal"] = math.sqrt(pe * re)
            caps_f["xmax"] = through * xmax / x_filtered
            if port is not None:
                caps_f["port"] = through * port / float(row["port_velocity_filtered_ms"])
            want_f, limit_f = loudest(spl, v, caps_f)
            got, got_f = float(row["max_spl_db"]), float(row["max_spl_filtered_db"])
            worst = max(worst, abs(got - want), abs(got_f - want_f))
            # Where two caps lie within 0.01 dB either may be named.
            for got_limit, expected, all_caps in ((row["max_spl_limit"], limit, caps),
                                                  (row["max_spl_filtered_limit"], limit_f, caps_f)):
                if got_limit != expected and not (got_limit in all_caps and
                                                  abs(20 * math.log10(all_caps[got_limit] / all_caps[expected])) < 0.01):
                    wrong_limit.append(f"{f} Hz: {got_limit} for {expected}")
        check(f"{name}: within 0.05 dB at every frequency", worst <= 0.05, f"{worst:.4f} dB off")
        check(f"{name}: the limit that binds", not wrong_limit, "; ".join(wrong_limit[:5]))

finish("max_spl")
