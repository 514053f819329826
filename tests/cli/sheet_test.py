#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve --sheet from the outside: the page's text (pdftotext) and
picture (pdftoppm), one A4 page, the file written with the others or none, the
same bytes again under SOURCE_DATE_EPOCH; and a build without Qt, which
refuses the option with its reason. Exits 77 (skipped) without poppler-utils."""
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner, sanitized, usage  # noqa: E402

run = runner(sys.argv[1:], timeout=60)  # the program, after what runs it (wine) if anything

SOS20 = ("--mode", "sos", "--freq", "20", "--q", "2")

def refused_without_qt(folder):
    sheet = os.path.join(folder, "s.pdf")
    refused = run(*SOS20, "--parts", "E24", "--sheet", sheet)
    check("without Qt: status", refused.returncode == 2, f"{refused.returncode} {refused.stderr}")
    check("without Qt: reason", refused.stderr.startswith("vandrel-solve: --sheet: this vandrel-solve was built "
                                                          "without Qt and cannot draw build sheets"), refused.stderr)
    check("without Qt: nothing written", os.listdir(folder) == [], str(os.listdir(folder)))

# (name, arguments, texts on the page, texts not on it)
cases = [
    ("E24 in series", SOS20 + ("--parts", "E24", "--combine", "series"),
     ["Vandrel build sheet", "parts from E24, one part or two in series, into 10 kΩ; resistors ±1 %, capacitors ±5 %",
      "Mode: SOS User-specified", "Capacitors C 1.0 µF", "Frequency 20 Hz", "Filter Q 2", "Peak frequency 21.3 Hz",
      # the diagram's notes
      "15 kΩ", "2 kΩ", "30 kΩ", "+ 1.8 kΩ", "1 µF",
      # the parts to buy: a second part only where it beats one by more than 1 %
      "1 Resistor 1.8 kΩ ±1 % R4", "1 Resistor 2 kΩ ±1 % R3", "2 Resistor 15 kΩ ±1 % R1, feedback",
      "1 Capacitor 0.01 µF ±5 % feedback",
      "3 Capacitor 1 µF ±5 % C ×2, input", "1 Dual op-amp TL072 buffer and high-pass",
      # the figures and their spread
      "Section f0 19.9568 Hz 20 Hz", "Section f3 13.4474 Hz 13.4725 Hz 13.0011 Hz 13.4519 Hz 13.9285 Hz",
      "Section peak 6.27548 dB at 21.3443 Hz 6.30089 dB at 21.3809 Hz 6.22021 dB 6.27374 dB 6.32831 dB",
      "Path f3 13.5865 Hz 13.1438 Hz 13.5904 Hz 14.0644 Hz", "Path peak 6.1664 dB at 21.3844 Hz",
      "Group delay at 20 Hz 33.1138 ms", "Level (dB)", "Group delay (ms)", "Frequency (Hz)",
      # the levels at full scale, beside the parts to buy
      "Parts to buy Levels at full scale", "Where Level At Headroom", "output Buffer out 3.989 V rms 64.44 Hz 7.58 dB",
      "R4 High-pass out 8.135 V rms 21.38 Hz 1.39 dB", "R3 Amplifier in 3.922 V rms pass band sensitivity not given",
      "R1, feedback 2 V rms from the source; the op-amps on ±15 V swing"],
     ["-0", "nan", "inf", "clips", "⚠"]),
    ("a clipping high-pass, an overdriven amplifier", SOS20 + ("--gain", "12", "--parts", "E24", "--amp-sensitivity", "1"),
     ["High-pass out 16.3 V rms 20.94 Hz clips by 4.65 dB", "Amplifier in 7.728 V rms pass band overdriven by 17.8 dB",
      "A buffer gain of 0 dB matches the amplifier's", "1 V best."], ["⚠ at full scale"]),
    ("follower, C in no series", ("--gain", "0", "--cfilter", "0.5", "--parts", "E12", "--combine", "parallel"),
     ["Mode: Butterworth", "Buffer gain 0 dB", "follower", "33 kΩ", "∥ 22 kΩ", "82 kΩ", "∥ 39 kΩ", "0.5 µF",
      "2 Capacitor 0.5 µF ±5 % C ×2",
      "C is neither an E6 nor an E12 value: the nearest are 0.47 µF (E6) and 0.47 µF (E12).",
      "Section peak 0.00000550342 dB at 507.931 Hz none", "Path peak none"],
     ["feedback", "Resistor 15 kΩ", "0.01 µF"]),
    ("exact values to six digits", SOS20 + ("--parts", "exact", "--load", "4700", "--r-tol", "0.1"),
     ["parts from exact values, into 4.7 MΩ; resistors ±0.1 %", "1 Resistor 15.0714 kΩ ±0.1 % R1",
      "1 Resistor 1.98944 kΩ ±0.1 % R3", "1 Resistor 31.831 kΩ ±0.1 % R4"], ["15.0714035630587"]),
    ("peaking, as typed", ("--mode", "peaking", "--freq-peak", "25", "--peakmag", "3", "--parts", "E192"),
     ["Mode: Peaking", "Peak frequency 25 Hz", "Peak magnitude 3 dB", "Worked out by Solve:", "Frequency 21 Hz",
      "Filter Q 1.304"], []),
]

# The diagram: its background fills this part of the page (points: left,
# top, right, bottom), and the page around it is white.
DIAGRAM = (34, 78, 404, 262.5)
DIAGRAM_GREY = (0xE0, 0xE0, 0xE0)
DPI = 36

def pixels(pdf):
    """The page at DPI as (width, height, rows of RGB triples)."""
    stem = os.path.join(pictures, "page")
    subprocess.run(["pdftoppm", "-r", str(DPI), "-singlefile", pdf, stem], check=True, timeout=30)
    data = Path(stem + ".ppm").read_bytes()
    header = data.split(maxsplit=4)  # P6, width, height, 255, pixels
    width, height = int(header[1]), int(header[2])
    body = data[len(data) - width * height * 3:]
    return width, height, [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                           for y in range(height)]

def check_picture(name, pdf):
    width, height, rows = pixels(pdf)
    check(name + ": A4", (width, height) == (298, 421), f"{width} x {height}")
    inked = sum(1 for row in rows for p in row if p != (255, 255, 255))
    check(name + ": not blank", inked > width * height // 5, f"{inked} of {width * height}")
    left, top, right, bottom = (round(v * DPI / 72) for v in DIAGRAM)

    def grey(x, y):
        return max(abs(a - b) for a, b in zip(rows[y][x], DIAGRAM_GREY)) <= 2

    inside = sum(grey(x, y) for y in range(top, bottom) for x in range(left, right))
    area = (right - left) * (bottom - top)
    # A ring two pixels outside the diagram's edges.
    ring = [(x, y) for x in range(left - 2, right + 2) for y in (top - 2, bottom + 1)]
    ring += [(x, y) for y in range(top - 2, bottom + 2) for x in (left - 2, right + 1)]
    around = sum(rows[y][x] == (255, 255, 255) for x, y in ring)
    check(name + ": diagram in its place", inside > area * 6 // 10 and around == len(ring),
          f"{inside} of {area} pixels grey inside, {around} of {len(ring)} white around")

with tempfile.TemporaryDirectory() as folder, tempfile.TemporaryDirectory() as pictures:
    if "--sheet" not in run("--help").stdout:
        refused_without_qt(folder)
        finish("sheet_test")
    if not shutil.which("pdftotext") or not shutil.which("pdftoppm"):
        print("sheet_test: skipped, poppler-utils (pdftotext, pdftoppm) not installed")
        sys.exit(77)

    sheet = os.path.join(folder, "sheet.pdf")
    for name, args, present, absent in cases:
        result = run(*args, "--sheet", sheet)
        check(name + ": status", result.returncode == 0, f"{result.returncode} {result.stderr}")
        text = subprocess.run(["pdftotext", "-layout", sheet, "-"], capture_output=True, text=True, timeout=30).stdout
        words = " ".join(text.split())
        for expected in present:
            check(f"{name}: {expected!r}", expected in words, words)
        for unexpected in absent:
            check(f"{name}: no {unexpected!r}", unexpected not in words, words)
        check_picture(name, sheet)
        os.remove(sheet)


    # The same sheet twice is the same file, dated SOURCE_DATE_EPOCH, also
    # drawn where the clock is 3.5 hours behind UTC.
    os.environ["SOURCE_DATE_EPOCH"] = "1700000000"
    first, again = os.path.join(folder, "1.pdf"), os.path.join(folder, "2.pdf")
    run(*SOS20, "--parts", "E24", "--sheet", first)
    os.environ["TZ"] = "America/St_Johns"
    run(*SOS20, "--parts", "E24", "--sheet", again)
    del os.environ["SOURCE_DATE_EPOCH"], os.environ["TZ"]
    same = Path(first).read_bytes() == Path(again).read_bytes()
    check("reproducible", same, "the two files differ")
    info = subprocess.run(["pdfinfo", first], capture_output=True, text=True, timeout=30).stdout
    check("one A4 page, titled and dated", "Title:           Vandrel build sheet" in info and "Pages:           1" in info
          and "(A4)" in info and "Nov 14 22:13:20 2023 UTC" in info, info)

    # A program whose module is missing says so and writes nothing.
    if len(sys.argv) == 2:
        alone = os.path.join(pictures, "vandrel-solve")
        shutil.copy(sys.argv[1], alone)
        missing = subprocess.run([alone, "--parts", "E24", "--spice", os.path.join(folder, "f.cir"), "--sheet", sheet],
                                 capture_output=True, text=True, timeout=60)
        check("module missing", missing.returncode == 2 and missing.stderr.startswith(
            "vandrel-solve: no file written: vandrel_sheet.so was not found in ") and not os.path.exists(sheet),
            f"{missing.returncode} {missing.stderr}")

    if len(sys.argv) == 2:
        # Qt raises no warning, so QT_FATAL_WARNINGS=1 does not end the run:
        # without XDG_RUNTIME_DIR, with one Qt would not take, and with a
        # fit one; the runtime folder made meanwhile goes again.
        tmp = tempfile.mkdtemp(dir=pictures)
        wrong = tempfile.mkdtemp(dir=pictures)
        os.chmod(wrong, 0o755)
        fit = tempfile.mkdtemp(dir=pictures)
        for runtime in (None, wrong, fit, os.path.join(pictures, "not-there")):
            env = {k: v for k, v in os.environ.items() if k != "XDG_RUNTIME_DIR"}
            env.update({"QT_FATAL_WARNINGS": "1", "TMPDIR": tmp})
            if runtime:
                env["XDG_RUNTIME_DIR"] = runtime
            quiet = subprocess.run([sys.argv[1], "--parts", "E24", "--sheet", sheet], capture_output=True, text=True,
                                   env=env, timeout=60)
            check(f"no Qt warning, XDG_RUNTIME_DIR {runtime}", quiet.returncode == 0 and quiet.stderr == "",
                  f"{quiet.returncode} {quiet.stderr}")
        check("no runtime folder left", os.listdir(tmp) == [] and os.listdir(wrong) == [] and os.listdir(fit) == []
              and not os.path.exists(os.path.join(pictures, "not-there")), str(os.listdir(tmp)))
        os.remove(sheet)

        # The one output allowed 250 ms and 40 MB: the best of three runs in
        # processor time, and the most memory any took.
        if not sanitized():
            runs = [usage([sys.argv[1], *SOS20, "--parts", "E24", "--combine", "series", "--sheet", sheet])
                    for _ in range(3)]
            check("timed runs: status", all(status == 0 for status, _, _ in runs), str(runs))
            check("a sheet within 250 ms", min(cpu for _, cpu, _ in runs) < 0.25, str(runs))
            check("a sheet within 40 MB", max(rss for _, _, rss in runs) < 40 * 1024, str(runs))
            os.remove(sheet)

    # Written with the other files or not at all; no sheet without a design.
    spice = os.path.join(folder, "f.cir")
    for args, status, message in [
        (("--parts", "E24", "--spice", spice, "--sheet", os.path.join(folder, "no-such-folder", "s.pdf")), 2,
         "vandrel-solve: cannot write"),
        (("--sheet", sheet), 2, "vandrel-solve: --sheet requires --parts"),
        (("--freq", "1234567", "--parts", "E24", "--spice", spice, "--sheet", sheet), 1,
         "vandrel-solve: no file written: there is no design to build"),
    ]:
        name = " ".join(args).replace(folder, "DIR")
        result = run(*args)
        check(name + ": status", result.returncode == status, f"{result.returncode} {result.stderr}")
        check(name + ": message", result.stderr.startswith(message), result.stderr)
        check(name + ": nothing written", sorted(os.listdir(folder)) == ["1.pdf", "2.pdf"], str(os.listdir(folder)))

finish("sheet_test")
