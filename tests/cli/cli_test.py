#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve from the outside: exit status, JSON shape, text for people.
Usage: cli_test.py [LAUNCHER...] PATH/TO/vandrel-solve   (e.g. wine64 vandrel-solve.exe)"""
import json
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner, sanitized, usage  # noqa: E402

run = runner(sys.argv[1:], timeout=30)  # the program, after what runs it (wine) if anything

# (arguments, exit status, checks on the JSON object)
cases = [
    ((), 0, {"labels": {"lbl_r1": "R1 = 15k", "lbl_r3": "R3 = 6.6k", "lbl_r4": "R4 = 13.2k",
                        "lbl_f3": "f3 =  17hz"}, "messages": [], "graph_drawn": True}),
    (("--mode", "SOS", "--freq", "20", "--q", "2"), 0,
     {"fields": {"txt_freq_peak": "21.3", "txt_peakmag": "6.3"}}),
    (("-m", "peaking", "--txt_freq_peak", "25", "--txt_peakmag", "3", "--cfilter", "1"), 0,
     {"fields": {"txt_q": "1.304", "txt_freq": "21"}, "labels": {"lbl_f3": "f3 =  15.1hz"}}),
    (("--gain=-3",), 0, {"messages": ["Negative gain not allowed"], "fields": {"txt_gain": "0"},
                         "labels": {"lbl_r1": "R1=??"}}),
    (("--freq", "1234567"), 1, {"messages": ["Maximum length for any input field is 6 characters"],
                                "graph_drawn": False, "labels": {"lbl_r3": "R3=??"}}),
    (("--cfilter", "1E-307"), 1, {"graph_drawn": False}),
    # Nothing after "=" is the empty text; the "--json" that follows stays an option.
    (("--gain=",), 0, {"messages": [], "fields": {"txt_gain": "0"}, "labels": {"lbl_r1": "R1=??"}}),
    (("--cfilter=",), 0, {"messages": ["Value for Capacitor must be greater than zero"],
                          "fields": {"txt_cfilter": "0.0001"}}),
    (("-m", "sos", "--freq="), 0, {"messages": ["Value for Design Frequency must be at least 1hz"],
                                   "fields": {"txt_freq": "1"}}),
    (("-m", "sos", "--txt_q="), 0, {"messages": ["Value for Filter Q must not be less than 0.707"],
                                    "fields": {"txt_q": "0.707"}}),
    (("-m", "peaking", "--freq-peak="), 0, {"messages": ["Value for Frequency of Peak must at least 1hz"],
                                            "fields": {"txt_freq_peak": "1"}}),
    (("-m", "peaking", "--peakmag="), 0, {"messages": [], "fields": {"txt_peakmag": "0"}}),
]

DESIGN_KEYS = ["gain", "cfilter", "f0", "q", "freq_peak", "peakmag", "r_feedback", "r1", "r3", "r4", "xc", "f3"]

for args, status, expected in cases:
    name = " ".join(args) or "(defaults)"
    result = run(*args, "--json")
    check(name + " status", result.returncode == status, f"exit {result.returncode}, wanted {status}")
    try:
        out = json.loads(result.stdout)
    except json.JSONDecodeError as error:
        check(name + " json", False, str(error))
        continue
    check(name + " keys", list(out) == ["messages", "fields", "labels", "graph_drawn", "design", "levels"],
          str(list(out)))
    check(name + " design", list(out["design"]) == DESIGN_KEYS
          and all(isinstance(v, float) for v in out["design"].values()), str(out["design"]))
    for key, want in expected.items():
        got = out[key]
        if isinstance(want, dict):
            for k, v in want.items():
                check(f"{name} {key}.{k}", got.get(k) == v, f"{got.get(k)!r}, wanted {v!r}")
        else:
            check(f"{name} {key}", got == want, f"{got!r}, wanted {want!r}")

text = run("--mode", "sos", "--q", "1")
check("text status", text.returncode == 0, str(text.returncode))
check("text form", 'lbl_r3  "R3 = 4.6k"' in text.stdout and "Graph: drawn" in text.stdout, text.stdout)

for args in (("--bogus",), ("--mode", "bandpass"), ("--gain",)):
    bad = run(*args)
    check(" ".join(args) + " status", bad.returncode == 2, str(bad.returncode))
    check(" ".join(args) + " usage", "Usage:" in bad.stderr and bad.stdout == "", bad.stderr)

for flag in ("--version", "-v"):
    version = run(flag)
    check(flag, version.returncode == 0 and version.stdout == "1.01\n", repr(version.stdout))

# Arguments beyond what any command line needs are refused before the
# parser sees them; short flags in one cluster mean what they mean apart.
too_long = "vandrel-solve: argument {} is 4097 bytes long; at most 4096 are taken\n"
for args, status, stderr, fields in (
        (("-" + "j" * 4096,), 2, too_long.format(1), None),
        (("-j", "--gain", "1" * 4097), 2, too_long.format(3), None),
        (("-" + "j" * 4095,), 0, "", {"txt_gain": "6"}),
        (("-j",) * 1001, 2, "vandrel-solve: 1001 arguments given; at most 1000 are taken\n", None),
        (("-j",) * 1000, 0, "", {"txt_gain": "6"}),
        (("-jf20",), 0, "", {"txt_freq": "20"}),
        (("-jf", "20"), 0, "", {"txt_freq": "20"}),
        (("-jjq", "2", "-m", "sos"), 0, "", {"txt_q": "2"}),
        # A value the option before needs is taken as it is, cluster or not.
        (("-g", "-jj", "-j"), 0, "", {"txt_gain": "0"}),
        (("-jg-3",), 0, "", {"txt_gain": "0"}),
        (("-jx",), 2, None, None),
        (("-j3",), 2, None, None)):
    name = " ".join(a if len(a) < 20 else a[:10] + f"...({len(a)})" for a in args[:4])
    result = run(*args)
    check(name + " status", result.returncode == status, f"exit {result.returncode}, wanted {status}")
    if stderr is not None:
        check(name + " message", result.stderr == stderr, result.stderr[:200])
    if fields:
        got = json.loads(result.stdout)["fields"] if result.returncode == 0 else {}
        for k, v in fields.items():
            check(f"{name} {k}", got.get(k) == v, f"{got.get(k)!r}, wanted {v!r}")
if len(sys.argv) == 2 and not sanitized():  # not under Wine: the processor time and memory of the run itself
    status, cpu, rss = usage([sys.argv[1], *(("-" + "j" * 4095,) * 400)])
    check("400 clusters of 4096 flags: status", status == 0, str(status))
    check("400 clusters of 4096 flags: within 100 ms", cpu < 0.1, f"{cpu:.3f} s")
    check("400 clusters of 4096 flags: within 50 MB", rss < 50 * 1024, f"{rss} KiB")
cluster = run("-jv")
check("-jv", cluster.returncode == 0 and cluster.stdout == "1.01\n", repr(cluster.stdout))

# A flag written with "=" and nothing after it is still the flag.
flag = run("--json=")
check("--json= status", flag.returncode == 0, flag.stderr)
check("--json= output", flag.stdout.startswith("{"), flag.stdout[:40])

finish("cli_test")
