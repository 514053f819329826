#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve's limits and levels from the outside: the amplifier, the
voice coil and the port in the speaker object, the loudest safe levels, the
filter's levels with and without a subwoofer, the suggestion as built, and
the command lines refused. Usage: speaker_limits_test.py [LAUNCHER...] PATH/TO/vandrel-solve"""
import json
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

run = runner(sys.argv[1:], timeout=60)

TWELVE = ("--fs", "26", "--qes", "0.48", "--qms", "6.2", "--vas", "68", "--re", "3.3", "--sd", "480",
          "--xmax", "12.5", "--le", "1.6")
VENTED = TWELVE + ("--vb", "70", "--fb", "27", "--port-diameter", "10")
WIDE = TWELVE + ("--vb", "70", "--fb", "27", "--port-diameter", "15")


def dig(obj, path):
    for key in path.split("."):
        obj = obj[key]
    return obj


def close(got, want, rel=1e-9):
    if want is None or isinstance(want, (str, list, bool)):
        return got == want
    return isinstance(got, (int, float)) and math.isclose(got, want, rel_tol=rel, abs_tol=1e-12)


def json_of(*args):
    result = run(*args, "--json")
    try:
        return result.returncode, json.loads(result.stdout), result.stderr
    except json.JSONDecodeError as error:
        return result.returncode, {}, f"{error}: {result.stderr}"


# (arguments, expected values by dotted path in the whole JSON object;
# numbers worked out apart from the program)
cases = [
    (VENTED + ("--volts", "10", "--amp-volts", "40", "--pe", "100", "--port-limit", "20"),
     {"speaker.limits.amp_v": 40, "speaker.limits.pe_w": 100, "speaker.limits.thermal_v": math.sqrt(330),
      "speaker.limits.port_limit_ms": 20, "speaker.limits.xmax_mm": 12.5,
      "speaker.max_spl.db_at.20": 96.43170569420337, "speaker.max_spl.limit_at.20": "thermal",
      "speaker.max_spl.filtered_db_at.30": 99.89624444372767, "speaker.max_spl.filtered_limit_at.30": "drive",
      "speaker.max_spl.lost_db_at.40": 5.360658082153535}),
    (VENTED + ("--volts", "20"),
     {"speaker.limits.amp_v": 20, "speaker.limits.pe_w": None, "speaker.max_spl.db_at.20": 95.72476550457137,
      "speaker.max_spl.limit_at.20": "port", "speaker.max_spl.limit_at.40": "amplifier",
      "speaker.max_spl.lost_db_at.30": 0.3733966909049258}),
    (VENTED + ("--volts", "20", "--amp-watts", "300"), {"speaker.limits.amp_v": math.sqrt(300 * 3.3)}),
    (VENTED + ("--port-limit", "25 m/s"), {"speaker.limits.port_limit_ms": 25}),
    (TWELVE + ("--vb", "50", "--amp-volts", "30V"),
     {"speaker.limits.amp_v": 30, "speaker.limits.port_limit_ms": None, "speaker.box.port_length_cm": None}),
    # The filter's levels, here the exact start design: a 2 V source through 6 dB.
    ((), {"levels.source_v": 2, "levels.supply_v": 15, "levels.swing_v_rms": 13.5 / math.sqrt(2),
          "levels.buffer_peak_v": 3.9795393482012047, "levels.section_peak_v": 3.9746041601903856,
          "levels.buffer_headroom_db": 7.599719349237519, "levels.section_headroom_db": 7.61049775771369,
          "levels.amp_input_v": 3.9122790489585877, "levels.amp_overdrive_db": None,
          "levels.matching_gain_db": None, "levels.warnings": []}),
    (("--parts", "E24", "--amp-sensitivity", "1"),
     {"levels.buffer_peak_v": 3.988979893912961, "levels.amp_input_v": 3.9215686274509807,
      "levels.amp_overdrive_db": 11.869196391320894, "levels.matching_gain_db": 0}),
    (("--mode", "sos", "--freq", "20", "--q", "2", "--gain", "12", "--source-volts", "2 V", "--supply", "15"),
     {"levels.section_peak_v": 16.241335076262796, "levels.section_headroom_db": -4.616059114919253,
      "levels.buffer_headroom_db": 1.6025634985181103}),
    (("--source-volts", "0.5", "--supply", "5", "--amp-sensitivity", "2", "--gain", "0"),
     {"levels.swing_v_rms": 3.5 / math.sqrt(2), "levels.amp_input_v": 0.4901960784313726,
      "levels.amp_overdrive_db": -12.213203261797599, "levels.matching_gain_db": 12.2}),
    (("--freq", "1234567"), {"levels": None}),
]
for args, expected in cases:
    name = " ".join(args) or "(defaults)"
    status, out, err = json_of(*args)
    check(name + " status", status == 0 or args == ("--freq", "1234567"), f"exit {status}: {err}")
    for key, want in expected.items():
        try:
            got = dig(out, key)
        except (KeyError, TypeError) as error:
            check(f"{name} {key}", False, repr(error))
            continue
        check(f"{name} {key}", close(got, want), f"{got!r}, wanted {want!r}")

status, out, _ = json_of()
check("levels keys", list(out) == ["messages", "fields", "labels", "graph_drawn", "design", "levels"]
      and list(out["levels"]) == ["source_v", "supply_v", "swing_v_rms", "buffer_peak_v", "buffer_peak_hz",
                                  "section_peak_v", "section_peak_hz", "buffer_headroom_db", "section_headroom_db",
                                  "amp_input_v", "amp_sensitivity_v", "amp_overdrive_db", "matching_gain_db",
                                  "warnings"], str(out.get("levels")))
_, out, _ = json_of(*VENTED, "--parts", "E24")
check("levels after the subwoofer", list(out)[-3:] == ["as_built", "speaker", "levels"], str(list(out)))

# Warnings: an op-amp that clips, an amplifier overdriven, unusual inputs.
_, out, _ = json_of("--mode", "sos", "--freq", "20", "--q", "2", "--gain", "12", "--amp-sensitivity", "1",
                    "--supply", "3")
warned = out["levels"]["warnings"]
check("level warnings", len(warned) == 4 and warned[0].startswith("supply of 3 V is unusual")
      and "the buffer's output reaches" in warned[1] and "the high-pass's output reaches" in warned[2]
      and warned[3].startswith("full scale drives the amplifier"), str(warned))
for name, args, warning in [
    ("amplifier below the drive", ("--volts", "20", "--amp-volts", "15"),
     "amp-volts: the amplifier's most, 15 V, is below the drive"),
    ("an unusual port limit", ("--port-limit", "50"), "port-limit of 50 m/s is unusual for a subwoofer (usually 5 to 40 m/s)"),
]:
    _, out, _ = json_of(*VENTED, *args)
    check(name, any(w.startswith(warning) for w in out["speaker"]["warnings"]), str(out["speaker"]["warnings"]))

# The text for people.
text = run("--mode", "sos", "--freq", "20", "--q", "2", "--gain", "12", "--amp-sensitivity", "1").stdout
for line in ("\nLevels at full scale: 2 V rms from the source; op-amps on +-15 V swing 9.546 V rms\n",
             "  buffer output     7.938 V rms at 60.93 Hz (headroom 1.6 dB)\n",
             "  high-pass output  16.24 V rms at 21.42 Hz (headroom -4.62 dB: it clips)\n",
             "  into the amplifier 7.806 V rms in the pass band; its sensitivity 1 V: overdriven by 17.8 dB; "
             "a buffer gain of 0 dB matches it best\n"):
    check("levels text " + line.strip()[:30], line in text, text)
text = run(*VENTED, "--volts", "10", "--amp-volts", "40", "--pe", "100").stdout
for line in ("  limits: amplifier 40 V, Xmax 12.5 mm, pe 100 W (18.17 V), port air 17 m/s\n",
             "  loudest at 20 Hz      95.72 dB (port)         89.3 dB (drive), 6.43 dB lost\n",
             "  loudest at 30 Hz      105.6 dB (thermal)      99.9 dB (drive), 5.67 dB lost\n"):
    check("speaker text " + line.strip()[:30], line in text, text)

# The suggestion as built from E24 parts, checked by solving it again with them.
_, out, _ = json_of(*WIDE, "--volts", "30", "--amp-volts", "45", "--suggest", "--parts", "E24")
s = out["speaker"]["suggestion"]
check("suggestion as built", s["parts"] == "E24" and out["speaker"]["suggestion_search"]["parts"] == "E24"
      and out["speaker"]["suggestion_search"]["r_tol_pct"] == 1 and s["corner_peak_excursion_mm"] <= 12.5, str(s))
mode = ("--mode", "butterworth") if s["mode"] == "Butterworth" else ("--mode", "sos", "--q", s["q_text"])
_, again, _ = json_of(*WIDE, "--volts", "30", "--amp-volts", "45", *mode, "--freq", s["freq_text"], "--parts", "E24")
check("suggestion solved again", close(again["speaker"]["with_filter"]["peak_excursion_mm"], s["peak_excursion_mm"])
      and close(again["speaker"]["with_filter"]["f3_hz"], s["f3_hz"]), f"{again['speaker']['with_filter']} {s}")
text = run(*WIDE, "--volts", "30", "--amp-volts", "45", "--suggest", "--parts", "E24").stdout
check("suggestion text as built", f"  suggestion: {s['mode']}, {s['freq_text']} Hz, Q {s['q_text']}: " in text
      and "\n    as built with E24 parts: filter peak " in text and "; at the worst tolerance corner " in text, text)
_, loose, _ = json_of(*WIDE, "--volts", "30", "--suggest", "--parts", "E96", "--r-tol", "0.1", "--c-tol", "1")
check("suggestion tolerances", loose["speaker"]["suggestion_search"]["c_tol_pct"] == 1
      and "(R +-0.1 %, C +-1 %)" in loose["speaker"]["suggestion_note"], loose["speaker"]["suggestion_note"])

# Refused, with exit status 2 and the option named.
refused = [
    (VENTED + ("--amp-volts", "0"), "--amp-volts: amp-volts must be above 0 V"),
    (VENTED + ("--amp-volts", "loud"), "--amp-volts: amp-volts must be a number (in V), not \"loud\""),
    (VENTED + ("--amp-volts", "2e4"), "--amp-volts: amp-volts of 20000 V is too large"),
    (VENTED + ("--amp-volts", "30", "--amp-watts", "300"), "--amp-volts excludes --amp-watts"),
    (VENTED + ("--amp-watts", "-1"), "--amp-watts: amp-watts must be above 0 W"),
    (VENTED + ("--amp-watts", "inf"), "--amp-watts: amp-watts must be a number (in W)"),
    (VENTED + ("--port-limit", "0"), "--port-limit: port-limit must be above 0 m/s"),
    (VENTED + ("--port-limit", "400"), "--port-limit: port-limit of 400 m/s is too large"),
    (TWELVE + ("--vb", "50", "--port-limit", "17"), "--port-limit needs --port-diameter"),
    (TWELVE + ("--vb", "70", "--fb", "27", "--port-limit", "17"), "--port-limit needs --port-diameter"),
    (("--amp-volts", "30"), "--amp-volts needs a driver and a box"),
    (("--port-limit", "17"), "--port-limit needs a driver and a box"),
    (("--source-volts", "0"), "--source-volts: source-volts must be above 0 V"),
    (("--source-volts", "two"), "--source-volts: source-volts must be a number (in V), not \"two\""),
    (("--source-volts", "500"), "--source-volts: source-volts of 500 V is too large"),
    (("--supply", "1.5"), "--supply: supply of 1.5 V leaves the op-amps no swing"),
    (("--supply", "200"), "--supply: supply of 200 V is too large"),
    (("--amp-sensitivity", "0"), "--amp-sensitivity: amp-sensitivity must be above 0 V"),
    (("--amp-sensitivity", "nan"), "--amp-sensitivity: amp-sensitivity must be a number"),
]
for args, message in refused:
    name = " ".join(args[-4:])
    bad = run(*args)
    check(name + " status", bad.returncode == 2, f"{bad.returncode} {bad.stderr}")
    check(name + " message", bad.stderr.startswith("vandrel-solve: ") and message in bad.stderr
          and bad.stdout == "", bad.stderr)

finish("speaker_limits_test")
