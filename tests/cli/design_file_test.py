#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve --design FILE: the file's values as if their options had
been given, an option on the command line in place of the file's value
(and of the values that go with it), a measurement's relative path from the
file's folder, and every damaged or foreign file refused with what is
wrong and exit 2, nothing written."""
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish  # noqa: E402

program = sys.argv[1]

DESIGN = {
    "format": "vandrel-design", "version": 1,
    "filter": {"mode": "sos", "cfilter": "1.0", "gain": "6", "freq": "20", "q": "2"},
    "parts": {"series": "E24", "combine": "series", "r_tol": 1, "c_tol": 5, "load": 10, "cap_series": "typed"},
    "driver": {"name": "Test 12", "fs": 26, "qes": 0.48, "qms": 6.2, "vas": 68, "re": 3.3, "sd": 480, "xmax": 12.5,
               "le": 1.6},
    "box": {"type": "vented", "vb": 70, "fb": 27},
    "drive": {"volts": 10},
    "limits": {"amp_volts": 20, "supply": 15},
}


def run(folder, design, *args):
    path = os.path.join(folder, "d.vandrel")
    Path(path).write_text(design if isinstance(design, str) else json.dumps(design))
    return subprocess.run([program, "--design", path, *args, "--json"], capture_output=True, text=True, cwd=folder)


def with_changes(**sections):
    d = json.loads(json.dumps(DESIGN))
    for section, values in sections.items():
        if values is None:
            d.pop(section, None)
        elif isinstance(values, dict):
            d.setdefault(section, {}).update(values)
        else:
            d[section] = values
    return d


# (name, design, extra options, what the JSON must say: (path, value))
RUNS = [
    ("the file alone", DESIGN, [],
     [(("design", "q"), 2), (("as_built", "parts", "r4", "chosen"), [30.0, 1.8]),
      (("as_built", "combine"), "series"), (("speaker", "drive_v"), 10), (("fields", "txt_cfilter"), "1.0")]),
    ("a field on the command line", DESIGN, ["--q", "1"],
     [(("design", "q"), 1), (("as_built", "combine"), "series")]),
    ("the mode on the command line", DESIGN, ["--mode", "butterworth"], [(("design", "q"), 0.707)]),
    ("--combine without --parts beside a file with parts", DESIGN, ["--combine", "single"],
     [(("as_built", "combine"), "single"), (("as_built", "parts", "r4", "chosen"), [33.0])]),
    ("--watts in place of the file's volts", DESIGN, ["--watts", "5"], [(("speaker", "drive_v"), 4.06201920231798)]),
    ("--qts in place of the file's qes and qms", DESIGN, ["--qts", "0.5"],
     [(("speaker", "driver", "qes"), 0.5), (("speaker", "driver", "qms"), None)]),
    ("numbers as strings", with_changes(parts={"load": "2.2"}), [], [(("as_built", "load_kohm"), 2.2)]),
    ("no parts section: no parts chosen", with_changes(parts=None, driver=None, box=None, drive=None, limits=None), [],
     [(("as_built",), "absent")]),
]


def dig(j, path):
    for p in path:
        if not isinstance(j, dict) or p not in j:
            return "absent"
        j = j[p]
    return j


# (name, design text or object, words of the message)
REFUSED = [
    ("a newer version", with_changes(version=2), "version 2, newer than this Vandrel reads"),
    ("an older version", with_changes(version=0), "version 0, which this Vandrel does not read"),
    ("no version", {"format": "vandrel-design"}, "no version number"),
    ("a version that is not whole", with_changes(version=1.5), "no version number"),
    ("another format", with_changes(format="winisd"), "not a design file"),
    ("not JSON", '{"format": "vandrel-design",\n"version": 1,\n oops}', "line 3: it is not valid JSON"),
    ("not an object", "[1, 2]", "holds no JSON object"),
    ("an unknown section", with_changes(extras={"a": 1}), 'unknown section "extras"'),
    ("an unknown value", with_changes(driver={"fz": 3}), 'unknown value driver."fz"'),
    ("a value that is a list", with_changes(measurement=["room.frd"]), "measurement must be a string or a number"),
    ("a value that is null", with_changes(box={"vb": None}), "box.vb must be a string or a number, not null"),
    ("a section that is no object", with_changes(box=3), '"box" must be an object'),
    ("an unknown mode", with_changes(filter={"mode": "chebyshev"}), "filter.mode must be butterworth, sos or peaking"),
    ("an unknown series", with_changes(parts={"series": "E7"}), "parts.series must be exact, shown or a series"),
    ("an unknown box", with_changes(box={"type": "horn"}), "box.type must be sealed or vented"),
    ("a control character", with_changes(driver={"name": "a\u0007b"}), "driver.name holds a control character"),
    ("nested too deep", with_changes(driver={"fs": {"hz": 26}}), "nests objects or lists deeper"),
    ("a load out of range", with_changes(parts={"load": 0}), "--load: the load must be"),
    ("too large", '{"format": "vandrel-design", "version": 1, "measurement": "' + "x" * (1 << 20) + '"}',
     "larger than 1024 KiB"),
]

with tempfile.TemporaryDirectory() as folder:
    for name, design, extra, expected in RUNS:
        r = run(folder, design, *extra)
        check(f"{name}: exit 0", r.returncode == 0, r.stderr)
        if r.returncode == 0:
            j = json.loads(r.stdout)
            for path, value in expected:
                got = dig(j, path)
                ok = abs(got - value) < 1e-12 if isinstance(value, float) and isinstance(got, float) else got == value
                check(f"{name}: {'.'.join(path)}", ok, f"{got} against {value}")

    for name, design, words in REFUSED:
        spice = os.path.join(folder, "never.cir")
        r = run(folder, design, "--parts", "E24", "--spice", spice)
        check(f"{name}: exit 2", r.returncode == 2, (r.returncode, r.stderr[:300]))
        check(f"{name}: says what is wrong", words in r.stderr, r.stderr[:300])
        check(f"{name}: nothing written", not os.path.exists(spice))

    # Every value of a file gives what its option gives.
    full = {"format": "vandrel-design", "version": 1,
            "filter": {"mode": "peaking", "cfilter": "0.47", "gain": "3", "freq": "19", "q": "1.1",
                       "freq_peak": "27", "peakmag": "2.5"},
            "parts": {"series": "E12", "combine": "parallel", "r_tol": 0.5, "c_tol": 2, "load": 4.7,
                      "cap_series": "E6"},
            "driver": {"fs": 31, "qes": 0.52, "qms": 5.1, "vas": 44, "re": 5.8, "sd": 350, "xmax": 9,
                       "le": 0.9, "pe": 300},
            "box": {"type": "vented", "vb": 40, "fb": 29, "ql": 12, "port_diameter": 7.5},
            "drive": {"watts": 20}}
    options = ["--mode", "peaking", "--cfilter", "0.47", "--gain", "3", "--freq", "19", "--q", "1.1",
               "--freq-peak", "27", "--peakmag", "2.5", "--parts", "E12", "--combine", "parallel", "--r-tol", "0.5",
               "--c-tol", "2", "--load", "4.7", "--cap-series", "E6", "--fs", "31", "--qes", "0.52", "--qms", "5.1",
               "--vas", "44", "--re", "5.8", "--sd", "350", "--xmax", "9", "--le", "0.9", "--pe", "300", "--box",
               "vented", "--vb", "40", "--fb", "29", "--ql", "12", "--port-diameter", "7.5", "--watts", "20"]
    from_file = run(folder, full)
    from_options = subprocess.run([program, *options, "--json"], capture_output=True, text=True)
    check("every value as its option: exit 0", from_file.returncode == 0 and from_options.returncode == 0,
          from_file.stderr + from_options.stderr)
    check("every value as its option", from_file.stdout == from_options.stdout,
          (from_file.stdout[:300], from_options.stdout[:300]))
    check("every value as its option: warnings", from_file.stderr == from_options.stderr,
          (from_file.stderr, from_options.stderr))

    # A measurement beside the design file, named by a relative path.
    sub = os.path.join(folder, "sub")
    os.mkdir(sub)
    Path(sub, "room.frd").write_text("10 80\n100 90\n")
    Path(sub, "d.vandrel").write_text(json.dumps(with_changes(measurement="room.frd")))
    table = os.path.join(folder, "t.csv")
    r = subprocess.run([program, "--design", os.path.join(sub, "d.vandrel"), "--system-response", table],
                       capture_output=True, text=True, cwd=folder)
    check("measurement beside the file: exit 0", r.returncode == 0, r.stderr)
    check("measurement beside the file: read", os.path.exists(table) and "measured_db" in Path(table).read_text())

    # The design file's values go to options that the command line lacks
    # without a complaint (the limits, until their options exist).
    r = run(folder, DESIGN)
    check("limits kept quietly", "amp" not in r.stderr, r.stderr)

finish("design_file")
