# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a screen reader meets it, through AT-SPI: opens every
window (and every page of one), walks each window's tree, and fails on any
control the keyboard can reach, or any picture, without a name (a picture
without a description too), on a name in EXPECTED that is not there, and on
text in ABSENT that is. The figures are named with their values and the
suggestion with its text. Then it reads a plot from the keyboard: the SPL
chart takes the focus, Right moves its cursor, and the chart's new
description, the readout there, comes as an event. Last it solves a design
by names alone: "Design frequency (hz)" set to 35, "Solve" pressed, "f3 =
35hz" read back.

Run by a11y_test.sh, with the program already started and the README's
12-inch driver in a 70 L box tuned to 27 Hz at 30 V in its settings.
Usage: a11y_walk.py APPLICATION-NAME
"""

import subprocess
import sys
import time
from dataclasses import dataclass, field

import pyatspi
from gi.repository import Atspi, GLib

import a11y
from xwindows import x_window

MAIN_TITLE = "Vandrel: 2nd-order high-pass filter"
ABOUT_TITLE = "About Vandrel"
PARTS_TITLE = "Vandrel: parts and real response"


@dataclass
class Page:
    """A page of a window with tabs: the tab's name, and the names (by role)
    that must be on the page once it is chosen."""
    tab: str
    names: dict


@dataclass
class Window:
    """A window: its title (the start of it for the main window), the menu
    entry of the main window that opens it (None for the main window), the
    button that closes it again (None: it stays open), the names by role that
    must be in it, texts that must not be in any name in it, and its pages."""
    title: str
    opened_by: str = None
    closed_by: str = None
    names: dict = field(default_factory=dict)
    absent: list = field(default_factory=list)
    pages: list = field(default_factory=list)


# The one table of expected names, window by window, as the program starts:
# Butterworth, 17 Hz, the circuit shown. Roles are AT-SPI's role names.
EXPECTED = [
    Window(
        title=MAIN_TITLE,
        names={
            "text": ["Filter Capacitors C (uf)", "Buffer stage Gain (dB)", "Design frequency (hz)", "Filter Q",
                     "Peak frequency (hz)", "Peak magnitude (dB)"],
            "radio button": ["Butterworth", "SOS User-specified", "Peaking", "Show circuit", "Show graph"],
            "push button": ["Solve"],
            "image": ["Circuit diagram with the gain stage", "Magnitude response, f3 17 Hz"],
            "label": ["R1 = 15k", "R3 = 6.6k", "R4 = 13.2k", "f3 =  17hz"],
            "menu item": ["Print", "About", "Parts", "Subwoofer"],
        },
    ),
    Window(
        title=ABOUT_TITLE,
        opened_by="About",
        closed_by="OK",
        names={
            "push button": ["System Info...", "OK"],
            "image": ["Vandrel logo", "Separator"],
        },
    ),
    Window(
        title=PARTS_TITLE,
        opened_by="Parts",
        names={
            "push button": ["Copy parts list", "Save SPICE netlist\u2026", "Save response as CSV\u2026",
                            "Save response as FRD", "Save plot as image\u2026", "Save build sheet as PDF",
                            "Export for KiCad", "Design file"],
        },
        absent=["These parts cannot be built"],
        pages=[
            Page("Parts", {
                "combo box": ["Series", "Combine", "Capacitors bought"],
                "spin button": ["Resistor tolerance, %", "Capacitor tolerance, %", "Load, k\u03a9"],
                "chart": ["Magnitude response", "Group delay"],
                "label": ["f3 as built: 17.32 Hz", "f3 exact design: 17 Hz"],
            }),
            Page("Subwoofer", {
                "text": ["Driver name"],
                "spin button": ["fs, free-air resonance, Hz", "Qes, electrical Q", "Qms, mechanical Q",
                                "Qts, total Q", "Vas, equivalent air volume, L", "Re, voice-coil resistance, \u03a9",
                                "Sd, cone area, cm\u00b2", "Xmax, linear excursion, mm",
                                "Le, voice-coil inductance, mH", "Pe, thermal power handling, W",
                                "Vb, net box volume, L", "fb, tuning frequency, Hz",
                                "Ql, leakage Q", "Port diameter, one round port, cm",
                                "Volts, drive in the pass band, V", "Watts, drive into Re, W",
                                "Amp volts, amplifier's most output, V", "Amp watts, amplifier's most into Re, W",
                                "Port air limit, port air velocity limit, m/s"],
                "radio button": ["Sealed", "Vented", "Volts", "Watts", "Amp volts", "Amp watts"],
                "push button": ["Open driver\u2026", "Save driver\u2026", "Open measurement\u2026", "Clear",
                                "Suggest a filter", "Use this design", "Back to the previous design"],
                "chart": ["SPL", "Cone excursion", "Port air velocity", "Loudest safe SPL"],
                "label": ["f3 without the filter: 25.17 Hz", "Peak excursion without the filter: 38.19 mm at 1 Hz",
                          "Suggestion: \u201cSuggest a filter\u201d finds the design with the lowest f3 that keeps "
                          "every limit at this drive, built with the first page's parts at their tolerances.",
                          "Loudest at 40 Hz without the filter: 111.2 dB (amplifier)"],
            }),
        ],
    ),
]

PICTURE_ROLES = {"image", "chart"}


def problems_in(root):
    """What a listener would miss in the tree below `root`, shown or not:
    focusable controls without a name, pictures without a name or a
    description."""
    found = []
    for node in a11y.walk(root):
        picture = a11y.role(node) in PICTURE_ROLES
        if not picture and not a11y.is_focusable(node):
            continue
        if not node.name:
            found.append(f"no name: {a11y.describe(node)} in {a11y.describe(node.parent)}")
        elif picture and not node.description:
            found.append(f"no description: {a11y.describe(node)}")
    return found


def missing_names(root, names):
    present = {(a11y.role(n), n.name) for n in a11y.walk(root)}
    return [f"missing: [{r}] {name!r}" for r, listed in names.items() for name in listed if (r, name) not in present]


def false_texts(root, absent):
    return [f"present: {a11y.describe(n)}" for n in a11y.walk(root) for text in absent if text in (n.name or "")]


def check_window(app, main_window, entry):
    """Opens the window, checks it and each of its pages; returns the problems."""
    if entry.opened_by:
        a11y.press(a11y.find(main_window, "menu item", entry.opened_by))
    win = a11y.window(app, entry.title, prefix=entry.opened_by is None)
    problems = problems_in(win) + missing_names(win, entry.names) + false_texts(win, entry.absent)
    for page in entry.pages:
        a11y.press(a11y.find(win, "page tab", page.tab))
        # Qt marks no page tab as selected: the page is chosen once the
        # first of its names shows.
        first_role, first_names = next(iter(page.names.items()))
        shown = a11y.find(win, first_role, first_names[0])
        a11y.wait_for(lambda: a11y.is_showing(shown), f"the page {page.tab!r} to be chosen")
        problems += missing_names(win, page.names) + problems_in(win)
    if entry.closed_by:
        a11y.press(a11y.find(win, "push button", entry.closed_by))
        a11y.window_gone(app, entry.title)
    return [f"{entry.title}: {p}" for p in problems]


def plot_read_from_the_keyboard(app):
    """The SPL chart takes the focus; Right moves its cursor a step, to 22.4
    Hz, and the chart tells of its new description, the readout there."""
    parts = a11y.window(app, PARTS_TITLE)
    a11y.press(a11y.find(parts, "page tab", "Subwoofer"))
    chart = a11y.find(parts, "chart", "SPL")
    a11y.wait_for(lambda: a11y.is_showing(chart), "the SPL chart to show")
    heard = []

    def on_event(event):
        if event.source.name == "SPL":
            heard.append(event.source.description)

    listener = Atspi.EventListener.new(on_event)
    listener.register("object:property-change:accessible-description")
    window = x_window(PARTS_TITLE)
    subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
    a11y.wait_for(lambda: chart.queryComponent().grabFocus() or
                  a11y.states(chart).contains(pyatspi.STATE_FOCUSED), "the SPL chart to take the focus")
    a11y.wait_for(lambda: chart.description.startswith("20 Hz; SPL (dB) "), "the readout at 20 Hz as its description")
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Right"], check=True)

    def spoken():
        GLib.MainContext.default().iteration(False)
        return any(d.startswith("22.4 Hz; SPL (dB) ") for d in heard)

    a11y.wait_for(spoken, f"an event with the readout at 22.4 Hz (heard: {heard!r})")
    listener.deregister("object:property-change:accessible-description")
    if not chart.description.startswith("22.4 Hz; SPL (dB) "):
        raise a11y.A11yError(f"the chart's description is {chart.description!r}")


def solve_by_names(app, main_window):
    """Design frequency 35 Hz, Solve, and the result read back; the graph and
    the Parts window follow."""
    a11y.set_text(a11y.find(main_window, "text", "Design frequency (hz)"), "35")
    a11y.press(a11y.find(main_window, "push button", "Solve"))
    a11y.find(main_window, "label", "f3 =  35hz")
    a11y.find(main_window, "image", "Magnitude response, f3 35 Hz")
    parts = a11y.window(app, PARTS_TITLE)
    chart = a11y.find(parts, "chart", "Magnitude response")
    a11y.wait_for(lambda: chart.description.startswith("Exact design f3 35.01 Hz;"),
                  "the Parts window's magnitude plot to describe the 35 Hz design")


def main(argv):
    app = a11y.application(argv[1])
    main_window = a11y.window(app, MAIN_TITLE, prefix=True)
    failures = []
    failed_windows = 0
    for entry in EXPECTED:
        found = check_window(app, main_window, entry)
        failures += found
        failed_windows += bool(found)
        print(f"{'FAIL' if found else 'ok  '} {entry.title}", flush=True)
    plot_read_from_the_keyboard(app)
    print("ok   the SPL chart read from the keyboard: Right gives the readout at 22.4 Hz, as an event", flush=True)
    solve_by_names(app, main_window)
    print("ok   solve by names: 35 Hz gives 'f3 =  35hz'", flush=True)
    for f in failures:
        print("FAIL:", f)
    print(f"a11y_test: {len(EXPECTED) + 2 - failed_windows} passed, {failed_windows} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except a11y.A11yError as e:
        print("FAIL:", e)
        sys.exit(1)
