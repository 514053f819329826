# SPDX-License-Identifier: GPL-3.0-or-later
"""The Subwoofer page from a user's side, under a real window manager: opens
the Parts window, goes to the Subwoofer page by keyboard (Alt+W), opens a
driver file through the file dialog (its path typed), presses "Suggest a
filter" and then "Use this design", and checks that the main window's
design frequency changed, that a Solve ran (the f3 label and the graph's
name), and that the excursion plot has lost its warning colour (the red of
the filtered cone beyond Xmax, counted on the screen).

Controls are found by their accessible names (a11y.py); keys go through
xdotool. Every wait is on a condition with a timeout.

Run by subwoofer_test.sh, with the program started and the box and drive
already in its settings.
Usage: subwoofer_flow.py APPLICATION-NAME DRIVER-FILE
"""

import subprocess
import sys

import pyatspi

import a11y
from xwindows import keys_to, xdotool

MAIN_TITLE = "Vandrel: 2nd-order high-pass filter"
PARTS_TITLE = "Vandrel: parts and real response"
BEYOND_XMAX = (220, 0, 0)  # speaker_plot.h: beyond_xmax_colour


def red_pixels(node):
    """How many pixels on the screen within `node`'s extents are of the
    warning colour (or close to it, as antialiasing leaves them)."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    raw = subprocess.run(["import", "-window", "root", "-crop", f"{box.width}x{box.height}+{box.x}+{box.y}",
                          "+repage", "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    r0, g0, b0 = BEYOND_XMAX
    return sum(1 for i in range(0, len(raw) - 2, 3)
               if abs(raw[i] - r0) < 40 and raw[i + 1] < 60 and raw[i + 2] < 60)


def main(argv):
    app = a11y.application(argv[1])
    driver_file = argv[2]
    main_window = a11y.window(app, MAIN_TITLE, prefix=True)
    a11y.press(a11y.find(main_window, "menu item", "Parts"))
    parts = a11y.window(app, PARTS_TITLE)

    keys_to(PARTS_TITLE, "alt+w")
    name = a11y.find(parts, "text", "Driver name")
    a11y.wait_for(lambda: a11y.is_showing(name), "the Subwoofer page to show")
    print("ok   Alt+W shows the Subwoofer page", flush=True)

    a11y.press(a11y.find(parts, "push button", "Open driver\u2026"))
    keys_to("Open driver file", "ctrl+a")
    xdotool("type", "--delay", "10", driver_file)
    xdotool("key", "Return")
    excursion = a11y.find(parts, "chart", "Cone excursion")
    a11y.wait_for(lambda: excursion.description.startswith("Beyond Xmax (12.5 mm) with the filter: up to 21.44 Hz"),
                  "the driver file to be read and the excursion to go beyond Xmax")
    a11y.wait_for(lambda: red_pixels(excursion) > 20, "the excursion beyond Xmax drawn in red")
    print("ok   the driver file opened through the dialog; the cone goes beyond Xmax, in red", flush=True)

    a11y.press(a11y.find(parts, "push button", "Suggest a filter"))
    use = a11y.find(parts, "push button", "Use this design")
    a11y.wait_for(lambda: a11y.states(use).contains(pyatspi.STATE_SENSITIVE), "a suggestion to use")
    a11y.press(use)
    freq = a11y.find(main_window, "text", "Design frequency (hz)")
    a11y.wait_for(lambda: a11y.text_of(freq) == "23.2", "the main window's design frequency to become 23.2")
    a11y.find(main_window, "label", "f3 =  23.2hz")
    a11y.find(main_window, "image", "Magnitude response, f3 23.2 Hz")
    print("ok   \"Use this design\" put 23.2 Hz into the main window and solved it", flush=True)

    a11y.wait_for(lambda: excursion.description.startswith("Beyond Xmax (12.5 mm) with the filter: never"),
                  "the page to follow the new design")
    a11y.wait_for(lambda: red_pixels(excursion) == 0, "no excursion drawn in red")
    print("ok   the excursion plot has no red left", flush=True)
    print("subwoofer_test: 4 passed, 0 failed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except (a11y.A11yError, subprocess.CalledProcessError) as e:
        print("FAIL:", e)
        sys.exit(1)
