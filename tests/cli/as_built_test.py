#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve --parts from the outside: the as_built object, the parts list
for people, the files it writes and the options it refuses."""
import json
import os
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

run = runner(sys.argv[1:], timeout=60)  # the program, after what runs it (wine) if anything

SOS20 = ("--mode", "sos", "--freq", "20", "--q", "2")

# (arguments, exit status, expected as_built: None for no object, else a dict
# of dotted paths and values)
cases = [
    # Within 1 %: a second part only for R4, where 33k alone is 3.7 % off.
    (SOS20 + ("--parts", "E24", "--combine", "series"), 0,
     {"series": "E24", "combine": "series", "cap_series": "typed", "load_kohm": 10, "parts.r1.chosen": [15],
      "parts.r3.chosen": [2], "parts.r4.chosen": [30, 1.8], "parts.c.in_e6": True, "parts.c.chosen": 1,
      "tolerance.runs": 10000, "tolerance.r_pct": 1, "tolerance.c_pct": 5}),
    # Within 0 %: every second part that comes closer.
    (SOS20 + ("--parts", "E24", "--combine", "series", "--r-tol", "0"), 0,
     {"parts.r1.chosen": [15, 0.068], "parts.r3.chosen": [1.6, 0.39], "parts.r4.chosen": [30, 1.8]}),
    (("--cfilter", "0.5", "--parts", "exact", "--cap-series", "e6"), 0,
     {"cap_series": "E6", "parts.c.value": 0.5, "parts.c.chosen": 0.47, "exact_section.f0": 17}),
    (("--cfilter", "0.56", "--parts", "E24", "--cap-series", "E12"), 0, {"parts.c.chosen": 0.56}),
    (SOS20 + ("--parts", "shown", "--load", "4.7", "--r-tol", "0.1", "--c-tol", "10"), 0,
     {"series": "shown", "load_kohm": 4.7, "parts.r3.chosen": [1.9], "parts.r4.value": 31.8,
      "tolerance.r_pct": 0.1, "tolerance.c_pct": 10}),
    (("--gain", "0", "--parts", "exact"), 0, {"parts.r1": None, "section.peak_hz": None, "section.peak_db": 0,
                                              "exact_section.f0": 17, "exact_section.q": 0.707}),
    (("--cfilter", "0.5", "--parts", "E12"), 0, {"parts.c.in_e12": False, "parts.c.nearest_e6": 0.47}),
    (("--cfilter", "0.56", "--parts", "E12"), 0, {"parts.c.in_e12": True, "parts.c.in_e6": False,
                                                 "parts.c.nearest_e6": 0.47, "parts.c.nearest_e12": 0.56}),
    # A corner near the feedback capacitor's: no f3, said in words; the runs that reach one counted.
    (("--freq", "700", "--gain", "12", "--parts", "E24"), 0,
     {"path.f3": None, "tolerance.path_f3_runs": 38,
      "warnings": ["The feedback capacitor (0.01 uF across 15k, 1.06 kHz) lies near the filter's corner and "
                   "cuts into the pass band: the path never comes within 3 dB of its gain, so it has no f3"]}),
    (("--cfilter", "1E-303", "--freq", "1", "--parts", "E24", "--combine", "parallel"), 1, None),
    (SOS20, 0, None),
    (("--freq", "1234567", "--parts", "E24"), 1, None),
    (("--mode", "sos", "--cfilter", "10", "--freq", "1000", "--q", "10", "--parts", "shown"), 1, None),
    # Parts beyond the range of a double: refused, where pairs were once sought forever.
    (("--cfilter", "1E-306", "--parts", "E192", "--combine", "parallel"), 1, None),
]


def dig(obj, path):
    for key in path.split("."):
        obj = obj[key]
    return obj


for args, status, expected in cases:
    name = " ".join(args)
    result = run(*args, "--json")
    check(name + " status", result.returncode == status, f"exit {result.returncode}, wanted {status}")
    out = json.loads(result.stdout)
    check(name + " as_built", ("as_built" in out) == (expected is not None), str(list(out)))
    if expected is None or "as_built" not in out:
        continue
    built = out["as_built"]
    check(name + " keys", list(built) == ["series", "combine", "cap_series", "load_kohm", "parts", "section",
                                          "exact_section", "path", "tolerance", "warnings"], str(list(built)))
    check(name + " path keys", list(built["path"]) == ["gain_db", "f3", "peak_hz", "peak_db", "group_delay_ms"]
          and list(built["path"]["group_delay_ms"]) == ["20", "30", "40"], str(built["path"]))
    for path, want in expected.items():
        check(f"{name} {path}", dig(built, path) == want, f"{dig(built, path)!r}, wanted {want!r}")
    for key in ("section_f3", "path_f3", "peak_db"):
        spread = built["tolerance"][key]
        check(f"{name} tolerance.{key}", spread is None or spread == sorted(spread), str(spread))

# The parts list for people.
text = run(*SOS20, "--parts", "E24", "--combine", "series")
check("text status", text.returncode == 0, str(text.returncode))
check("text parts", "R4  30 k\u03a9 + 1.8 k\u03a9 = 31.8 k\u03a9  (exact 31.831 k\u03a9" in text.stdout
      and "Whole path into 10 k\u03a9:" in text.stdout and "Tolerance (resistors \u00b11 %" in text.stdout, text.stdout)

with tempfile.TemporaryDirectory() as folder:
    spice, csv = os.path.join(folder, "f.cir"), os.path.join(folder, "f.csv")
    wrote = run(*SOS20, "--parts", "E96", "--spice", spice, "--response", csv)
    check("files status", wrote.returncode == 0, wrote.stderr)
    with open(csv) as f:
        rows = f.read().splitlines()
    check("csv rows", rows[0] == "hz,section_exact_db,section_db,path_db,path_group_delay_ms" and len(rows) == 602
          and rows[1].startswith("1,") and rows[-1].startswith("1000,"), f"{rows[0]} {len(rows)}")
    with open(spice) as f:
        netlist = f.read()
    check("netlist", "\nVIN in 0 AC 1\n" in netlist and netlist.endswith(".ac dec 200 1 1k\n.end\n"), netlist)

    # The response follows the capacitors bought.
    typed_csv, e6_csv = os.path.join(folder, "typed.csv"), os.path.join(folder, "e6.csv")
    for path, cap in ((typed_csv, "typed"), (e6_csv, "E6")):
        run("--cfilter", "0.5", "--parts", "shown", "--cap-series", cap, "--response", path)
    with open(typed_csv) as f, open(e6_csv) as g:
        typed_rows, e6_rows = f.read().splitlines(), g.read().splitlines()
    check("csv follows the capacitors", typed_rows[0] == e6_rows[0] and typed_rows[200] != e6_rows[200],
          f"{typed_rows[200]} {e6_rows[200]}")
    os.remove(typed_csv)
    os.remove(e6_csv)

    # Refused: the file is not written and nothing is left behind.
    blocked = os.path.join(folder, "no-such-folder", "f.cir")
    load_range = "the load must be a number of kOhm from 0.01 to 1000000"
    for args, says in ((("--parts", "E24", "--spice", blocked), "cannot write"), (("--spice", spice), "--parts"),
                       (("--parts", "E25"), "unknown parts source E25"),
                       (("--parts", "E24", "--r-tol", "-1"), "a tolerance must be"),
                       (("--parts", "E24", "--c-tol", "100"), "a tolerance must be"),
                       (("--parts", "E24", "--load", "0"), load_range),
                       (("--parts", "E24", "--load", "0.009"), load_range),
                       (("--parts", "E24", "--load", "inf"), load_range),
                       (("--parts", "E24", "--combine", "twisted"), "twisted"), (("--load", "5"), "--parts"),
                       (("--parts", "E24", "--cap-series", "E24"), "E24"), (("--cap-series", "E6"), "--parts")):
        bad = run(*args)
        check(" ".join(args) + " status", bad.returncode == 2, f"{bad.returncode} {bad.stderr}")
        check(" ".join(args) + " message", bad.stderr.startswith("vandrel-solve: ") and says in bad.stderr
              and bad.stdout == "", bad.stderr)
    check("nothing half-written", sorted(os.listdir(folder)) == ["f.cir", "f.csv"], str(os.listdir(folder)))

    # Every number option reads a decimal and nothing else: no hex, no
    # infinity or NaN, no blanks, nothing beyond a double; and its own range.
    load = "vandrel-solve: --load: the load must be a number of kOhm from 0.01 to 1000000"
    r_tol = "vandrel-solve: --r-tol: a tolerance must be a percentage from 0 to below 100"
    c_tol = "vandrel-solve: --c-tol: a tolerance must be a percentage from 0 to below 100"
    for option, text, says in (("--r-tol", "0x1A", r_tol), ("--c-tol", "0x1p1", c_tol), ("--load", "0x1p3", load),
                               ("--load", "0X10", load), ("--load", "inf", load), ("--load", "-inf", load),
                               ("--load", "infinity", load), ("--load", "nan", load), ("--r-tol", "inf", r_tol),
                               ("--r-tol", "nan", r_tol), ("--c-tol", "inf", c_tol), ("--c-tol", "-nan", c_tol),
                               ("--load", "1e999", load), ("--load", " 5", load), ("--load", "5 ", load),
                               ("--load", "", load), ("--load", "5k", load), ("--load", "1000000.001", load),
                               ("--r-tol", "100", r_tol), ("--r-tol", "-0.001", r_tol), ("--c-tol", "1e2", c_tol)):
        bad = run("--parts", "E24", option, text)
        name = f"{option} {text!r}"
        check(name + " status", bad.returncode == 2, f"{bad.returncode} {bad.stderr[:100]}")
        check(name + " message", bad.stderr.split("\n")[0] == says, bad.stderr[:100])
    for option, text, key, want in (("--load", "0.01", "load_kohm", 0.01), ("--load", "1000000", "load_kohm", 1e6),
                                    ("--load", "+4.7", "load_kohm", 4.7), ("--load", "1e3", "load_kohm", 1000),
                                    ("--load", ".5", "load_kohm", 0.5), ("--r-tol", "99.99", "r_pct", 99.99),
                                    ("--r-tol", "0", "r_pct", 0), ("--c-tol", "2.5E1", "c_pct", 25)):
        good = run("--parts", "E24", option, text, "--json")
        built = json.loads(good.stdout).get("as_built", {}) if good.returncode == 0 else {}
        got = built.get(key, built.get("tolerance", {}).get(key))
        check(f"{option} {text} read", good.returncode == 0 and got == want, f"{good.returncode} {got!r}")

    # Written again over the files it wrote before.
    again = run(*SOS20, "--parts", "E12", "--spice", spice, "--response", csv)
    with open(spice) as f:
        check("written again", again.returncode == 0 and "* Parts: E12 series" in f.read(), again.stderr)

finish("as_built_test")
