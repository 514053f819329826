#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve's subwoofer options from the outside: the speaker object,
the text for people, the system-response table, and the command lines it
refuses. Usage: speaker_test.py [LAUNCHER...] PATH/TO/vandrel-solve"""
import json
import math
import os
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

run = runner(sys.argv[1:], timeout=60)  # the program, after what runs it (wine) if anything

DRIVER = """# a 12-inch driver
name = Twelve
fs = 26 Hz
qes = 0.48
qms = 6.2
vas = 68 L
re = 3.3
sd = 480 cm2
xmax = 12.5 mm
le = 1.6 mH
bl = 14
"""
DRIVER_JSON = '{"name": "Ten", "fs": 32, "qes": 0.55, "qms": 4, "vas": 40, "re": 6.2, "sd": 330,\n' \
              ' "xmax": 9, "le": 0.8, "qts": null}\n'
MEASUREMENT = "* measured\nFreq(Hz) SPL(dB) Phase\n10 80 0\n100 90 0\n"


def dig(obj, path):
    for key in path.split("."):
        obj = obj[key]
    return obj


def close(got, want, rel=1e-6):
    return got == want if want is None or isinstance(want, (str, list)) else got is not None and math.isclose(
        got, want, rel_tol=rel, abs_tol=1e-12)


with tempfile.TemporaryDirectory() as folder:
    def path(name, content=None):
        p = os.path.join(folder, name)
        if content is not None:
            with open(p, "w") as f:
                f.write(content)
        return p

    driver, driver_json, frd = path("twelve.txt", DRIVER), path("ten.json", DRIVER_JSON), path("m.frd", MEASUREMENT)
    VENTED = ("--driver", driver, "--vb", "70", "--fb", "27", "--port-diameter", "10")
    WIDE = ("--driver", driver, "--vb", "70", "--fb", "27", "--port-diameter", "15")
    SEALED = ("--driver", driver_json, "--vb", "30", "--ql", "10")

    # (arguments, expected values by dotted path in the speaker object; numbers
    # worked out apart from the program)
    cases = [
        (VENTED + ("--volts", "20", "--suggest"),
         {"driver.name": "Twelve", "driver.qts": 0.44550898203592815, "driver.bl_tm": 14.151635135042175,
          "driver.mms_g": 178.31477373862953, "driver.cms_mm_per_n": 0.21013879642781848,
          "box.type": "vented", "box.ql": 7, "box.qtc": None, "drive_v": 20, "filter_parts": "exact",
          "passband_spl_db": 106.72097464882908, "without_filter.f3_hz": 25.16840817567421,
          "with_filter.f3_hz": 26.173073722862036, "with_filter.spl_db_at.20": 95.31785251431717,
          "with_filter.peak_excursion_mm": 11.371645282864602, "without_filter.peak_port_velocity_ms":
          21.794758019506588, "unsafe_below_hz": None, "box.port_length_cm": 39.08764820084471,
          # The port's air at 1 V is highest at the system's f3, 1.0709079 m/s: above 17 m/s at 20 V.
          "suggestion": None, "safe_drive_v": 15.874380918665237, "suggestion_search.unmet": "port",
          "suggestion_search.port_diameter_needed_cm": 11.224489529569048}),
        (WIDE + ("--volts", "20", "--suggest"),
         {"suggestion.mode": "Butterworth", "suggestion.freq_text": "16.5", "suggestion.f3_hz": 26.0817039608,
          "suggestion.parts": "exact", "suggestion.filter_peak_db": 0, "suggestion_search.limits_kept":
          ["xmax", "amplifier", "port"], "suggestion_search.unmet": None, "box.port_length_cm": 93.43345845190059,
          "safe_drive_v": None}),
        (VENTED + ("--volts", "30"), {"unsafe_below_hz": 21.443077671058006, "suggestion": None,
                                      "suggestion_note": None}),
        (VENTED + ("--volts", "60", "--suggest"), {"suggestion": None, "safe_drive_v": 15.874380918665237}),
        (("--driver", driver, "--vb", "70", "--fb", "27", "--volts", "60", "--suggest"),
         {"suggestion": None, "safe_drive_v": 37.319060011839, "suggestion_search.unmet": "xmax",
          "box.port_length_cm": None, "limits.port_limit_ms": None}),
        (VENTED + ("--watts", "121.2"), {"drive_v": math.sqrt(121.2 * 3.3)}),
        # Watts that give the most volts there may be, and a driver given no name.
        (VENTED + ("--re", "1000", "--watts", "1e5"), {"drive_v": 10000}),
        (("--fs", "30", "--qts", "0.4", "--vas", "50", "--re", "4", "--sd", "500", "--xmax", "10", "--vb", "40"),
         {"driver.name": None}),
        (VENTED + ("--fs", "30", "--qts", "0.4", "--ql", "none"),
         {"driver.fs_hz": 30, "driver.qes": 0.4, "driver.qms": None, "box.ql": None}),
        (VENTED + ("--parts", "E24", "--box", "VENTED"), {"filter_parts": "E24"}),
        (SEALED, {"driver.name": "Ten", "box.type": "sealed", "box.fb_hz": None, "box.port_diameter_cm": None,
                  "box.fc_hz": 48.88080741286229, "box.qtc": 0.7385836284910512, "drive_v": 2.83,
                  "with_filter.peak_port_velocity_ms": None}),
    ]
    for args, expected in cases:
        name = " ".join(a.replace(folder + os.sep, "") for a in args)
        result = run(*args, "--json")
        check(name + " status", result.returncode == 0, f"exit {result.returncode}: {result.stderr}")
        try:
            speaker = json.loads(result.stdout)["speaker"]
        except (json.JSONDecodeError, KeyError) as error:
            check(name + " speaker", False, repr(error))
            continue
        check(name + " keys", list(speaker) == [
            "driver", "box", "drive_v", "filter_parts", "passband_spl_db", "without_filter", "with_filter",
            "unsafe_below_hz", "suggestion", "suggestion_note", "safe_drive_v", "limits", "max_spl",
            "suggestion_search", "warnings"], str(list(speaker)))
        check(name + " drive keys", list(speaker["with_filter"]) == [
            "f3_hz", "spl_db_at", "peak_excursion_mm", "peak_excursion_hz", "peak_port_velocity_ms",
            "peak_port_velocity_hz"] and list(speaker["with_filter"]["spl_db_at"]) == ["20", "30", "40"],
            str(speaker["with_filter"]))
        for key, want in expected.items():
            got = dig(speaker, key)
            check(f"{name} {key}", close(got, want), f"{got!r}, wanted {want!r}")

    # The suggestion, the warnings, the note.
    suggested = json.loads(run(*WIDE, "--volts", "30", "--amp-volts", "45", "--suggest", "--json").stdout)["speaker"]
    s = suggested["suggestion"]
    check("suggestion keys", list(s) == ["mode", "freq", "q", "freq_text", "q_text", "f3_hz", "peak_excursion_mm",
                                         "peak_excursion_hz", "peak_port_velocity_ms", "parts", "filter_peak_db",
                                         "filter_peak_hz", "peak_amplifier_v", "corner_peak_excursion_mm",
                                         "corner_peak_port_velocity_ms", "corner_peak_amplifier_v", "binding",
                                         "binding_ratio"], str(s))
    check("suggestion within its limits", s["corner_peak_excursion_mm"] <= 12.5 and len(s["freq_text"]) <= 6
          and len(s["q_text"]) <= 6 and 0.707 <= s["q"] <= 10 and s["corner_peak_amplifier_v"] <= 45 * 1.0058
          and s["corner_peak_port_velocity_ms"] <= 17 and 0 < s["filter_peak_db"] <= 3.52, str(s))
    warned = json.loads(run(*VENTED, "--volts", "20", "--json").stdout)["speaker"]["warnings"]
    check("warnings", warned[0].endswith("twelve.txt: line 11: unknown name \"bl\" is ignored")
          and any("17 m/s" in w for w in warned), str(warned))
    check("note", "keeps the cone within xmax" in suggested["suggestion_note"], suggested["suggestion_note"])

    # For people.
    text = run(*VENTED, "--volts", "20", "--suggest").stdout
    for line in ("Subwoofer: Twelve in a 70 L vented box tuned to 27 Hz (Ql 7, port 10 cm)",
                 "  f3                    25.17 Hz                26.17 Hz",
                 "  SPL at 20 Hz          97.27 dB                95.32 dB (1.95 dB lost)",
                 "  beyond Xmax (12.5 mm) with the filter: never",
                 "  limits: amplifier 20 V, Xmax 12.5 mm, port air 17 m/s\n",
                 "  port:   10 cm wide, 39.09 cm long (3.07 L); end corrections 0.85 r flanged and 0.613 r free\n",
                 "  loudest at 20 Hz      95.72 dB (port)         95.32 dB (drive), 0.407 dB lost\n",
                 "  suggestion: none\n    No filter can help: the port's air goes beyond 17 m/s in the pass band"):
        check("text " + line.strip(), line in text, text)

    # The system-response table, with a measurement.
    csv = path("system.csv")
    wrote = run(*VENTED, "--measurement", frd, "--system-response", csv)
    check("table status", wrote.returncode == 0, wrote.stderr)
    rows = Path(csv).read_text().splitlines()
    check("table header", rows[0] == "hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,"
          "port_velocity_ms,port_velocity_filtered_ms,measured_db,measured_filtered_db,max_spl_db,max_spl_limit,"
          "max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered", rows[0])
    cells = [row.split(",") for row in rows]
    check("table rows", len(rows) == 602 and rows[1].startswith("1,") and rows[-1].startswith("1000,")
          and rows[201].startswith("10,") and cells[200][7:9] == ["", ""] and cells[402][7:9] == ["", ""]
          and cells[401][7] == "90", f"{len(rows)} {rows[200]} {rows[401]}")
    # At 2.83 V the amplifier binds at 10 Hz without the filter, full scale through it with.
    check("table limits", cells[201][9:13] == ["56.063098152400045", "amplifier", "45.881449411693296", "drive"]
          and close(float(cells[201][13]), 0.876403288516039, 1e-12), rows[201])
    wrote = run(*SEALED, "--system-response", csv)
    check("sealed table", Path(csv).read_text().splitlines()[0] ==
          "hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,max_spl_db,max_spl_limit,"
          "max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered", wrote.stderr)

    # Refused, with exit status 2 and the option, file or line named; no file left.
    bad_driver = path("bad.txt", "fs = 26\nqes = 0.48\nvas = lots\n")
    bad_frd = path("bad.frd", "10 80\n5 81\n")
    blocked = os.path.join(folder, "no-such-folder", "s.csv")
    refused = [
        (("--fs", "0", "--qts", "0.4", "--vas", "50", "--re", "4", "--sd", "500", "--xmax", "10", "--vb", "40"),
         "--fs: fs must be above 0 Hz"),
        (("--fs", "abc", "--vb", "40"), "--fs: fs must be a number"),
        (("--driver", bad_driver, "--vb", "40"), "bad.txt: line 3: vas must be a number"),
        (("--driver", path("none.txt"), "--vb", "40"), "none.txt: there is no such file"),
        (("--driver", driver), "--vb is missing"),
        (("--driver", driver, "--vb", "-5"), "--vb: vb must be above 0"),
        (("--driver", driver, "--vb", "40", "--fs", "1e9"), "--fs: fs of 1000000000 Hz is too large"),
        (("--qes", "0.4", "--vb", "40"), "the driver's fs is missing"),
        (("--driver", driver, "--vb", "40", "--fb", "30", "--box", "sealed"), "--fb: a sealed box"),
        (("--driver", driver, "--vb", "40", "--box", "vented"), "--fb is missing"),
        (("--driver", driver, "--vb", "40", "--port-diameter", "5"), "--port-diameter: a sealed box has no port"),
        (("--driver", driver, "--vb", "40", "--volts", "nan"), "--volts: volts must be a number"),
        (("--driver", driver, "--vb", "40", "--watts", "0"), "--watts: watts must be above 0"),
        (("--driver", driver, "--vb", "40", "--volts", "1", "--watts", "1"), "--volts excludes --watts"),
        (("--driver", driver, "--vb", "40", "--re", "1000", "--watts", "1e7"),
         "--watts: watts of 10000000 W into 1000 ohms would take 100000 V, beyond anything real (at most 10000 V)\n"),
        (("--driver", driver, "--vb", "40", "--measurement", bad_frd), "bad.frd: line 2: the frequency 5 Hz"),
        (("--suggest",), "--suggest needs a driver"),
        (("--system-response", csv), "--system-response needs a driver"),
        (VENTED + ("--parts", "E24", "--spice", path("f.cir"), "--system-response", blocked), "no-such-folder"),
    ]
    before = sorted(os.listdir(folder))
    for args, message in refused:
        name = " ".join(a.replace(folder + os.sep, "") for a in args)
        bad = run(*args)
        check(name + " status", bad.returncode == 2, f"{bad.returncode} {bad.stderr}")
        check(name + " message", bad.stderr.startswith("vandrel-solve: ") and message in bad.stderr
              and bad.stdout == "", bad.stderr)
    check("nothing written", sorted(os.listdir(folder)) == before, str(os.listdir(folder)))

    # No design, or none that parts could make: exit status 1, no speaker
    # object, no table.
    for args, says in ((("--freq", "1234567"), ""),
                       (("--cfilter", "1E-300", "--freq", "1"), "C would be 1e-300 uF, outside the 1 pF")):
        none = run(*VENTED, *args, "--system-response", path("none.csv"), "--json")
        check(f"no design {args}", none.returncode == 1 and says in none.stderr
              and "speaker" not in json.loads(none.stdout) and not os.path.exists(path("none.csv")),
              f"{none.returncode} {none.stderr}")

finish("speaker_test")
