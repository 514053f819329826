#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What vandrel-solve writes on its standard output and how its outputs go
together: a full or closed standard output is a failure (exit 2) on every
path, and leaves no file; two spellings of one file are refused; the names
of the standard streams are the streams, never a file to rename over; one
output to a stream at most, and the report out of the way of a file on
standard output.
Usage: outputs_test.py [LAUNCHER...] PATH/TO/vandrel-solve"""
import os
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

command = sys.argv[1:]
command[-1] = os.path.abspath(command[-1])  # the runs below change their folder
run = runner(command, timeout=60)
native = len(command) == 1          # not under Wine: /dev/full, /dev/stdout and closed descriptors apply
PARTS = ("--parts", "E24")
NETLIST_START = "* Vandrel 1.01"
DRIVER = ("--fs", "26", "--qes", "0.48", "--qms", "6.2", "--vas", "68", "--re", "3.3", "--sd", "480",
          "--xmax", "12.5", "--vb", "70", "--fb", "27")


def shell(line, *args, cwd=None):
    """Runs `line` in sh with "$@" the program and `args`."""
    return subprocess.run(["sh", "-c", line, "sh", *command, *args], capture_output=True, text=True, cwd=cwd,
                          timeout=60)


def entries(folder):
    return sorted(os.listdir(folder))


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


with tempfile.TemporaryDirectory() as top:
    if native:
        # Every path that prints: a full disk or a closed stream is said, with exit 2.
        full = "vandrel-solve: cannot write standard output: No space left on device\n"
        closed = "vandrel-solve: cannot write standard output: it is closed\n"
        for args in ((), ("--json",), PARTS, DRIVER + ("--suggest",), ("--help",), ("--version",),
                     ("--freq", "1234567")):
            name = " ".join(args) or "(defaults)"
            for redirect, says in ((">/dev/full", full), (">&-", closed)):
                result = shell(f'"$@" {redirect}', *args)
                check(f"{name} {redirect}: status", result.returncode == 2, f"{result.returncode} {result.stderr}")
                check(f"{name} {redirect}: message", result.stderr.endswith(says), result.stderr[-200:])

        # A failing standard output leaves no file, new or old.
        d = tempfile.mkdtemp(dir=top)
        with open(os.path.join(d, "old.csv"), "w") as f:
            f.write("old")
        for args in (("--response", "r.csv", "--spice", "-"), ("--response", "r.csv"),
                     ("--response", "old.csv", "--json"), DRIVER + ("--system-response", "s.csv"),
                     ("--response", "old.csv", "--spice", "/dev/stdout")):
            result = shell('"$@" >/dev/full', *PARTS, *args, cwd=d)
            name = " ".join(args)
            check(name + " >/dev/full: status", result.returncode == 2, result.stderr)
            check(name + " >/dev/full: no file", entries(d) == ["old.csv"] and read(os.path.join(d, "old.csv")) == "old",
                  str(entries(d)))

        # A name of standard output is standard output: appended to what it
        # is redirected to, never renamed over it; on a pipe it simply works.
        d = tempfile.mkdtemp(dir=top)
        log = os.path.join(d, "log.txt")
        with open(log, "w") as f:
            f.write("earlier\n")
        for name in ("/dev/stdout", "/proc/self/fd/1", "/dev/fd/1"):
            appended = shell(f'"$@" --spice {name} >>"{log}"', *PARTS)
            check(name + " >> log: status", appended.returncode == 0, appended.stderr)
        text = read(log)
        check("log keeps what it had", text.startswith("earlier\n" + NETLIST_START) and text.count(NETLIST_START) == 3
              and entries(d) == ["log.txt"], text[:80])
        piped = run(*PARTS, "--spice", "/dev/stdout")
        check("/dev/stdout on a pipe", piped.returncode == 0 and piped.stdout.startswith(NETLIST_START)
              and piped.stdout.endswith(".end\n"), piped.stderr)
        err = run(*PARTS, "--response", "/dev/stderr", "--json")
        check("/dev/stderr", err.returncode == 0 and err.stderr.startswith("hz,section_exact_db,")
              and err.stdout.startswith("{"), err.stderr[:60])
        fd0 = run(*PARTS, "--spice", "/dev/stdin")
        check("/dev/stdin refused", fd0.returncode == 2 and fd0.stderr == "vandrel-solve: cannot write /dev/stdin: it names "
              "descriptor 0 of this program, which is neither standard output nor standard error\n", fd0.stderr)

    # The netlist alone on standard output; the report for people on standard error.
    alone = run(*PARTS, "--spice", "-")
    check("- alone: status", alone.returncode == 0, alone.stderr)
    check("- alone: the netlist whole", alone.stdout.startswith(NETLIST_START) and alone.stdout.endswith(".end\n"),
          alone.stdout[-80:])
    check("- alone: report on standard error", "Parts (E24, single parts):" in alone.stderr
          and "Design variables" not in alone.stdout, alone.stderr[:80])

    # Two outputs on standard output are refused and nothing is written.
    json_and_file = ("vandrel-solve: --json and the output named - would both go to standard output, where nothing "
                     "could read them apart: name a file for the output\n")
    twice = ("vandrel-solve: cannot write standard output: standard output takes one output only, and another "
             "goes there already\n")
    d = tempfile.mkdtemp(dir=top)
    for args, says in ((("--spice", "-", "--json"), json_and_file),
                       (("--response", "-", "--json", "--spice", os.path.join(d, "f.cir")), json_and_file),
                       (("--spice", "-", "--response", "-"), twice),
                       (("--response", os.path.join(d, "f.csv"), "--spice", "-", "--system-response", "-", *DRIVER),
                        twice)):
        refused = run(*PARTS, *args)
        name = " ".join(args)
        check(name + ": status", refused.returncode == 2, f"{refused.returncode} {refused.stderr}")
        check(name + ": message", refused.stderr == says and refused.stdout == "", refused.stderr)
    check("refused: nothing written", entries(d) == [], str(entries(d)))

    # Two spellings of one new file, for every pair of outputs: refused, nothing written.
    d = tempfile.mkdtemp(dir=top)
    os.mkdir(os.path.join(d, "sub"))
    options = ("--spice", "--response", "--system-response")
    for first in options:
        for second in options:
            if first == second:
                continue
            for spelling in ("./x", os.path.join(d, "x"), "sub/../x"):
                refused = subprocess.run([*command, *PARTS, *DRIVER, first, "x", second, spelling], cwd=d,
                                         capture_output=True, text=True, timeout=60)
                name = f"{first} x {second} {spelling}"
                # The one written later is named: the filter's files come before the subwoofer's.
                later = spelling if options.index(second) > options.index(first) else "x"
                check(name + ": status", refused.returncode == 2, refused.stderr)
                check(name + ": message", refused.stderr == f"vandrel-solve: cannot write {later}: the same file is "
                      "named for two outputs\n", refused.stderr)
    check("spellings: nothing written", entries(d) == ["sub"], str(entries(d)))

    if native and os.geteuid() == 0:
        # Another user's file in a sticky folder cannot be replaced: refused
        # before anything is written, and no second name of it is left.
        os.chmod(top, 0o755)
        sticky = tempfile.mkdtemp(dir=top)
        os.chmod(sticky, 0o1777)
        victim = os.path.join(sticky, "f")
        with open(victim, "w") as f:
            f.write("keep")
        os.chmod(victim, 0o666)
        result = subprocess.run(["runuser", "-u", "nobody", "--", *command, *PARTS, "--spice", victim],
                                capture_output=True, text=True, timeout=60)
        check("sticky: status", result.returncode == 2, f"{result.returncode} {result.stderr}")
        check("sticky: message", result.stderr == f"vandrel-solve: cannot write {victim}: it belongs to another user "
              "and its folder is sticky (as /tmp is), so it cannot be replaced\n", result.stderr)
        check("sticky: nothing left", entries(sticky) == ["f"] and read(victim) == "keep", str(entries(sticky)))
    else:
        print("note: the sticky-folder case needs root (to run as nobody), so it was left out")

finish("outputs_test")
