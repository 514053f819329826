# SPDX-License-Identifier: GPL-3.0-or-later
"""The Subwoofer page's plots at a scale factor of 2, through AT-SPI: the
main window's "Subwoofer" opens the Parts window in front of the main window
(there is no room beside it), its plots are brought up (the "Plots" tab
where the page has one), and all three charts must show, each at least 110
points high (Qt gives AT-SPI its extents in points, not in pixels; the
charts' axis titles and labels are drawn whole at that height) and within
the window, and the legend's entries must not overlap.

Run by plots_scale_2_test.sh, with the program started at QT_SCALE_FACTOR=2.
Usage: plots_scale_2.py APPLICATION-NAME
"""

import sys

import pyatspi

import a11y

MAIN_TITLE = "Vandrel: 2nd-order high-pass filter"
PARTS_TITLE = "Vandrel: parts and real response"
CHARTS = ["SPL", "Cone excursion", "Port air velocity"]
LEAST_HEIGHT = 110


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def overlap(a, b):
    return a.x < b.x + b.width and b.x < a.x + a.width and a.y < b.y + b.height and b.y < a.y + a.height


def main(argv):
    app = a11y.application(argv[1])
    main_window = a11y.window(app, MAIN_TITLE, prefix=True)
    a11y.press(a11y.find(main_window, "menu item", "Subwoofer"))
    parts = a11y.window(app, PARTS_TITLE)
    a11y.wait_for(lambda: a11y.is_showing(a11y.find(parts, "text", "Driver name")), "the Subwoofer page to show")
    front, main = extents(parts), extents(main_window)
    if not overlap(front, main):
        raise a11y.A11yError("the Parts window is not in front of the main window")
    print("ok   \"Subwoofer\" opens the page, in front of the main window", flush=True)

    plots_tab = a11y.find_all(parts, "page tab", "Plots")
    if plots_tab and a11y.is_showing(plots_tab[0]):
        a11y.press(plots_tab[0])
    charts = [a11y.find(parts, "chart", name) for name in CHARTS]
    a11y.wait_for(lambda: all(a11y.is_showing(c) for c in charts), "all three charts to show")
    window = extents(parts)
    for name, chart in zip(CHARTS, charts):
        box = extents(chart)
        if box.height < LEAST_HEIGHT:
            raise a11y.A11yError(f"the chart {name!r} is {box.height} points high, less than {LEAST_HEIGHT}")
        if box.x < window.x or box.x + box.width > window.x + window.width:
            raise a11y.A11yError(f"the chart {name!r} is cut at the window's side: {box.x}+{box.width}")
    print("ok   all three charts show, each high enough for its axes", flush=True)

    legend = a11y.find(parts, "filler", "Legend of the subwoofer plots")
    entries = [extents(e) for e in a11y.children(legend) if a11y.is_showing(e)]
    for i, a in enumerate(entries):
        for b in entries[i + 1:]:
            if overlap(a, b):
                raise a11y.A11yError("two of the legend's entries overlap")
    print(f"ok   the legend's {len(entries)} entries are apart", flush=True)
    print("plots_scale_2_test: 3 passed, 0 failed")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except a11y.A11yError as e:
        print("FAIL:", e)
        sys.exit(1)
