# SPDX-License-Identifier: GPL-3.0-or-later
"""What the Python tests share: a tally of named checks, and a way to run the
program under test."""
import os
import subprocess
import sys

failures = []
passed = 0


def check(name, condition, detail=""):
    """Counts a check that passes; records `name: detail` for one that fails."""
    global passed
    if condition:
        passed += 1
    else:
        failures.append(f"{name}: {detail}")


def runner(command, timeout=60):
    """A function that runs `command` (a list: the program, after what runs it,
    such as wine, if anything) with more arguments and captures its output."""
    return lambda *args: subprocess.run([*command, *args], capture_output=True, text=True, timeout=timeout)


def usage(args, env=None):
    """Runs `args` (output thrown away) and returns its exit status, the
    processor time it took (user and system, seconds) and its peak resident
    memory (KiB), from the system's account of that process alone."""
    child = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, rusage = os.wait4(child.pid, 0)
    return os.waitstatus_to_exitcode(status), rusage.ru_utime + rusage.ru_stime, rusage.ru_maxrss


def finish(test_name):
    """Prints the failures and the tally, and exits 1 if anything failed."""
    for failure in failures:
        print("FAIL", failure)
    print(f"{test_name}: {passed} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


def sanitized():
    """Whether the program runs under AddressSanitizer (scripts/sanitize.sh),
    which multiplies its time and memory: bounds on them are not checked there."""
    return bool(os.environ.get("ASAN_OPTIONS"))


def skip(reason):
    """Skips the test (exit 77) for want of a tool, unless VANDREL_REQUIRE_TOOLS=1
    (as in CI), where every tool must be there and its absence fails."""
    if os.environ.get("VANDREL_REQUIRE_TOOLS") == "1":
        print(f"FAIL: {reason}, and VANDREL_REQUIRE_TOOLS=1")
        sys.exit(1)
    print(f"SKIP: {reason}")
    sys.exit(77)


def read_spice_raw(path):
    """The frequencies and every complex vector of an ngspice ASCII rawfile,
    by lower-case name ("v(out)")."""
    with open(path) as f:
        lines = f.read().splitlines()
    names = []
    i = lines.index("Variables:") + 1
    while lines[i] != "Values:":
        names.append(lines[i].split()[1].lower())
        i += 1
    values = [line.split()[-1] for line in lines[i + 1:] if line.strip()]
    vectors = {n: [] for n in names}
    for p in range(len(values) // len(names)):
        for n, text in zip(names, values[p * len(names):(p + 1) * len(names)]):
            re, im = (float(x) for x in text.split(","))
            vectors[n].append(complex(re, im))
    return [v.real for v in vectors[names[0]]], vectors
