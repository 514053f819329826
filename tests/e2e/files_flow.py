# SPDX-License-Identifier: GPL-3.0-or-later
"""The Parts window's files from a user's side, under a real window manager,
through the real file dialogs (the path typed into them).

design: Ctrl+O in the Parts window opens a design file (SOS 20 Hz, Q 2, E96
parts, a driver given with its units); the main window takes the mode and
the fields and solves (its f3 label and the graph's name), and the
Subwoofer page shows the driver in its own units.

kicad: "Export for KiCad…" writes the schematic, the netlist and the parts
list side by side; the schematic is read back with tests/kicad's readers
(every symbol's pins joined to a net), the netlist names the schematic and
the parts list has the through-hole footprints.

Controls are found by their accessible names (a11y.py); keys go through
xdotool. Every wait is on a condition with a timeout.

Run by files_test.sh, with the program started.
Usage: files_flow.py design|kicad APPLICATION-NAME FILE
"""

import os
import subprocess
import sys

import a11y
from xwindows import keys_to, xdotool

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "kicad"))
import schematic  # noqa: E402
import sexpr  # noqa: E402

MAIN_TITLE = "Vandrel: 2nd-order high-pass filter"
PARTS_TITLE = "Vandrel: parts and real response"


def type_path(dialog_title, path):
    keys_to(dialog_title, "ctrl+a")
    xdotool("type", "--delay", "10", path)
    xdotool("key", "Return")


def open_design(app, main_window, parts, path):
    keys_to(PARTS_TITLE, "ctrl+o")
    type_path("Open design", path)
    freq = a11y.find(main_window, "text", "Design frequency (hz)")
    a11y.wait_for(lambda: a11y.text_of(freq) == "20", "the main window's design frequency to become 20")
    q = a11y.find(main_window, "text", "Filter Q")
    a11y.wait_for(lambda: a11y.text_of(q) == "2", "the main window's Q to become 2")
    a11y.find(main_window, "label", "f3 =  13.4hz")
    a11y.find(main_window, "image", "Magnitude response, f3 13.4 Hz")
    print("ok   Ctrl+O opened the design file; the main window took SOS 20 Hz, Q 2 and solved it", flush=True)
    keys_to(PARTS_TITLE, "alt+w")
    vas = a11y.find(parts, "spin button", "Vas, equivalent air volume, L")
    a11y.wait_for(lambda: a11y.text_of(vas) == "67.9604", "Vas in litres, from 2.4 ft3")
    a11y.find(parts, "chart", "Cone excursion")
    print("ok   the Subwoofer page shows the driver, Vas 2.4 ft3 as 67.9604 L", flush=True)
    return 2


def export_kicad(app, parts, path):
    a11y.press(a11y.find(parts, "push button", "Export for KiCad"))
    type_path("Export for KiCad", path)
    base = path[:-len(".kicad_sch")]
    files = [path, base + ".net", base + ".csv"]
    a11y.wait_for(lambda: all(os.path.isfile(f) for f in files), "the three KiCad files")
    print("ok   \"Export for KiCad\u2026\" wrote " + ", ".join(os.path.basename(f) for f in files), flush=True)

    with open(path, encoding="utf-8") as f:
        sheet = schematic.Sheet(sexpr.parse(f.read()))
    references = sorted({s["ref"] for s in sheet.symbols if not s["ref"].startswith("#")})
    if references != ["C1", "C2", "C3", "C4", "R1", "R2", "R3", "R4", "R5", "R6", "U1"]:
        raise a11y.A11yError(f"the schematic's parts are {references}")
    _, by_net = sheet.nets()
    if not {"IN", "OUT", "GND", "+15V", "-15V"} <= set(by_net):
        raise a11y.A11yError(f"the schematic's nets are {sorted(by_net)}")
    if sheet.problems:
        raise a11y.A11yError(f"the schematic does not join up: {sheet.problems[:3]}")
    with open(base + ".net", encoding="utf-8") as f:
        netlist = f.read()
    if f'(source "{os.path.basename(path)}")' not in netlist:
        raise a11y.A11yError("the netlist does not name the schematic beside it")
    with open(base + ".csv", encoding="utf-8") as f:
        rows = f.read().splitlines()
    if rows[0] != "Designator,Comment,Footprint,Quantity,Tolerance,Manufacturer,MPN" or \
            "U1,TL072,DIP-8_W7.62mm,1,,," not in rows:
        raise a11y.A11yError(f"the parts list reads {rows[:2]}...")
    print("ok   the schematic reads back with its parts joined; the netlist and the parts list agree", flush=True)
    return 2


def main(argv):
    mode, app_name, path = argv[1], argv[2], argv[3]
    app = a11y.application(app_name)
    main_window = a11y.window(app, MAIN_TITLE, prefix=True)
    a11y.press(a11y.find(main_window, "menu item", "Parts"))
    parts = a11y.window(app, PARTS_TITLE)
    passed = open_design(app, main_window, parts, path) if mode == "design" else export_kicad(app, parts, path)
    print(f"files_test {mode}: {passed} passed, 0 failed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except (a11y.A11yError, subprocess.CalledProcessError) as e:
        print("FAIL:", e)
        sys.exit(1)
