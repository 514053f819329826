#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve's driver files and measurements from the outside: WinISD
files in and out (--save-driver), units, files that cannot be read, decimal
commas, control characters in messages, a table without "nan", levels
gained. Usage: speaker_files_test.py [LAUNCHER...] PATH/TO/vandrel-solve"""
import json
import os
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

run = runner(sys.argv[1:], timeout=60)  # the program, after what runs it (wine) if anything

# A WinISD driver file: [Driver] first, SI units, keys not used, CR LF.
WDR = ("[Driver]\r\nBrand=Acme\r\nModel=Twelve 1\r\nComment=x\r\nFs=26\r\nQms=6.2\r\nQes=0.48\r\nRe=3.3\r\n"
       "Le=0.0016\r\nSd=0.048\r\nVas=0.068\r\nXmax=0.0125\r\nPe=500\r\nBL=14\r\n")

with tempfile.TemporaryDirectory() as folder:
    def path(name, content=None):
        p = os.path.join(folder, name)
        if content is not None:
            with open(p, "w", newline="") as f:
                f.write(content)
        return p

    wdr = path("twelve.wdr", WDR)

    # A .wdr in: the values in the program's units.
    got = run("--driver", wdr, "--vb", "70", "--fb", "27", "--json")
    check("wdr status", got.returncode == 0, got.stderr)
    driver = json.loads(got.stdout)["speaker"]["driver"] if got.returncode == 0 else {}
    want = {"name": "Acme Twelve 1", "fs_hz": 26, "qes": 0.48, "qms": 6.2, "vas_l": 68, "re_ohm": 3.3,
            "sd_cm2": 480, "xmax_mm": 12.5, "le_mh": 1.6}
    for key, value in want.items():
        check("wdr " + key, driver.get(key) == value, f"{driver.get(key)!r}, wanted {value!r}")
    check("wdr no warnings", json.loads(got.stdout)["speaker"]["warnings"] == [] if got.returncode == 0 else False,
          got.stdout[-300:])

    # --save-driver, in either form, alone or with the analysis; read back the same.
    saved_txt, saved_wdr = path("saved.txt"), path("saved.WDR")
    alone = run("--driver", wdr, "--save-driver", saved_txt)
    check("save alone status", alone.returncode == 0 and alone.stderr == "", f"{alone.returncode} {alone.stderr}")
    check("save alone text", Path(saved_txt).read_text() ==
          "name = Acme Twelve 1\nfs = 26 Hz\nqes = 0.48\nqms = 6.2\nqts = 0.44550898203592815\nvas = 68 L\n"
          "re = 3.3 ohm\nsd = 480 cm2\nxmax = 12.5 mm\nle = 1.6 mH\npe = 500 W\n"
          if os.path.exists(saved_txt) else False, saved_txt)
    bl = path("bl.txt", "fs = 26\nqts = 0.4\nvas = 50\nre = 4\nsd = 500\nxmax = 10\nbl = 14\n")
    warned = run("--driver", bl, "--save-driver", path("bl_saved.txt"))
    check("save alone warnings", warned.returncode == 0 and warned.stderr.endswith(
        "bl.txt: line 7: unknown name \"bl\" is ignored\n") and "warning" in warned.stderr, warned.stderr)
    both = run("--driver", saved_txt, "--vas", "2.4 cu ft", "--vb", "70", "--save-driver", saved_wdr, "--json")
    check("save with the analysis", both.returncode == 0 and os.path.exists(saved_wdr), both.stderr)
    check("save wdr text", Path(saved_wdr).read_text() ==
          "[Driver]\nBrand=Acme\nModel=Twelve 1\nFs=26\nQes=0.48\nQms=6.2\nQts=0.44550898203592815\n"
          "Vas=0.0679604318208\nRe=3.3\nSd=0.048\nXmax=0.0125\nLe=0.0016\nPe=500\n"
          if os.path.exists(saved_wdr) else False, Path(saved_wdr).read_text() if os.path.exists(saved_wdr) else "")
    back = run("--driver", saved_wdr, "--vb", "70", "--json")
    check("wdr read back", back.returncode == 0 and json.loads(back.stdout)["speaker"]["driver"]["vas_l"] ==
          67.9604318208, back.stderr)

    # US units on the command line and in files.
    us = run("--driver", wdr, "--vas", "2 ft3", "--sd", "100 sq in", "--xmax", "0.5 in", "--vb", "1.5 cu ft",
             "--fb", "27", "--port-diameter", "4 in", "--json")
    if us.returncode == 0:
        s = json.loads(us.stdout)["speaker"]
        got_us = [s["driver"]["vas_l"], s["driver"]["sd_cm2"], s["driver"]["xmax_mm"], s["box"]["vb_l"],
                  s["box"]["port_diameter_cm"]]
        check("US units", got_us == [56.633693184, 645.16, 12.7, 42.475269888, 10.16], str(got_us))
    else:
        check("US units", False, us.stderr)

    # Refused, exit 2, the reason named; nothing written.
    os.symlink(os.path.join(folder, "loop_b"), os.path.join(folder, "loop_a"))
    os.symlink(os.path.join(folder, "loop_a"), os.path.join(folder, "loop_b"))
    refused = [
        (("--driver", path("zero.wdr", "[Driver]\nFs=26\nQts=0.4\nVas=0\nRe=4\nSd=0.05\nXmax=0.01\n"), "--vb",
          "40"), "vandrel-solve: --driver " + os.path.join(folder, "zero.wdr") +
         " line 4: vas must be above 0 litres (it is 0)\n"),
        (("--driver", path("empty.txt", ""), "--vb", "40"), "empty.txt: it holds no driver values"),
        (("--driver", path("name.txt", "name = Test#1\n"), "--save-driver", path("n.txt")),
         "name.txt: it holds no driver values"),
        (("--driver", os.path.join(folder, "loop_a"), "--vb", "40"), "loop_a: too many levels of symbolic links"),
        (("--driver", wdr, "--measurement", path("comma.frd", "10\t80\n20,5\t80\n"), "--vb", "40"),
         "comma.frd: line 2: decimal commas are not read: write decimals with a point"),
        (("--driver", wdr, "--vb", "40", "--measurement", path("tiny.frd", "1e-310 80\n20 80\n")),
         "tiny.frd: line 1: the frequency 1e-310 Hz is below 0.001 Hz"),
        (("--save-driver", path("x.txt")), "--save-driver needs a driver"),
        (("--driver", wdr, "--vb", "40", "--fs", "1e9"),
         "--fs: fs of 1000000000 Hz is too large for anything real (at most 20000 Hz)"),
        (("--driver", path("esc.json", '{"\\u001b]0;PWNED\\u0007\\u001b[2J": [], "fs": 26}'), "--vb", "40"),
         'esc.json: line 1: "?]0;PWNED??[2J" must be a number or a text, not an object or a list'),
        (("--driver", wdr, "--vas", "2 m3", "--vb", "40"), '--vas: vas must be a number (in L), not "2 m3"'),
    ]
    before = sorted(os.listdir(folder))
    for args, message in refused:
        name = " ".join(a.replace(folder + os.sep, "") for a in args)
        bad = run(*args)
        check(name + " status", bad.returncode == 2, f"{bad.returncode} {bad.stderr}")
        check(name + " message", message in bad.stderr and "\x1b" not in bad.stderr and "\x07" not in bad.stderr,
              repr(bad.stderr))
    check("nothing written", sorted(os.listdir(folder)) == before, str(os.listdir(folder)))

    # A warning that repeats a name from the file shows its control characters as "?".
    esc = run("--driver", path("esc2.json", '{"\\u001b[2J\\u009b": 1, "fs": 26, "qts": 0.4, "vas": 50, "re": 4,'
                                            ' "sd": 500, "xmax": 10}'), "--vb", "40")
    check("escape in a warning", esc.returncode == 0 and 'unknown name "?[2J?" is ignored' in esc.stdout
          and "\x1b" not in esc.stdout + esc.stderr and "\x9b" not in esc.stdout, repr(esc.stdout[-200:]))

    # The system response with far-apart measured frequencies: no "nan" in any cell.
    csv = path("sr.csv")
    far = run("--driver", wdr, "--vb", "70", "--fb", "27", "--measurement", path("far.frd", "0.001 80\n20 80\n"),
              "--system-response", csv)
    table = Path(csv).read_text() if os.path.exists(csv) else ""
    check("table status", far.returncode == 0, far.stderr)
    check("table without nan", table.count("\n") == 602 and "nan" not in table and "inf" not in table
          and table.splitlines()[1].split(",")[table.splitlines()[0].split(",").index("measured_db")] == "80",
          table[:300])

    # All or none: the driver file is not written when another output cannot be.
    blocked = os.path.join(folder, "no-such-folder", "s.csv")
    none = run("--driver", wdr, "--vb", "70", "--save-driver", path("kept.wdr"), "--system-response", blocked)
    check("all or none", none.returncode == 2 and not os.path.exists(path("kept.wdr")), none.stderr)

    # A gain where the filter peaks is said as a gain.
    peak = run("--mode", "peaking", "--freq-peak", "40", "--peakmag", "6", "--driver", wdr, "--vb", "70", "--fb", "27")
    check("gained", peak.returncode == 0 and "dB gained)" in peak.stdout and "-" not in
          "".join(line.split("(")[-1] for line in peak.stdout.splitlines() if "dB gained" in line), peak.stdout[-900:])

finish("speaker_files_test")
