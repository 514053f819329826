# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds and drives a running program's windows and controls through AT-SPI,
the interface screen readers use, by accessible role and name: no pixel
positions, no window-system calls.

The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the same
session bus. Every wait polls a condition until a timeout and then raises
A11yError with what it waited for; nothing sleeps for a fixed time.

    app = a11y.application("vandrel")
    main = a11y.window(app, "Vandrel: 2nd-order high-pass filter")
    a11y.set_text(a11y.find(main, "text", "Design frequency (hz)"), "35")
    a11y.press(a11y.find(main, "push button", "Solve"))
    a11y.find(main, "label", "f3 =  35hz")
"""

import time

import pyatspi
from gi.repository import Atspi, Gio, GLib

TIMEOUT = 10.0  # seconds any one wait may take
POLL = 0.05


class A11yError(AssertionError):
    """A control, window or condition that did not come in time."""


def wait_for(condition, what, timeout=TIMEOUT):
    """Calls `condition` until it returns something true, and returns that;
    raises A11yError("timed out: <what>") after `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            found = condition()
        except GLib.Error:  # an object that went away while it was read
            found = None
        if found:
            return found
        if time.monotonic() >= deadline:
            raise A11yError(f"timed out after {timeout:g} s: {what}")
        time.sleep(POLL)


def role(node):
    """The node's role as AT-SPI names it: "push button", "text", "image"."""
    return node.getRoleName()


def states(node):
    return node.getState()


def is_focusable(node):
    return states(node).contains(pyatspi.STATE_FOCUSABLE)


def is_showing(node):
    return states(node).contains(pyatspi.STATE_SHOWING)


def is_selected(node):
    return states(node).contains(pyatspi.STATE_SELECTED)


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def walk(root):
    """Every node below and including `root`, depth first, in tree order."""
    stack = [root]
    while stack:
        node = stack.pop()
        yield node
        stack.extend(reversed(children(node)))


def describe(node):
    """A node for messages: [role] 'name'."""
    try:
        return f"[{role(node)}] {node.name!r}"
    except GLib.Error:
        return "[gone]"


def application(name, timeout=TIMEOUT):
    """The running application `name` (its AT-SPI name, the program's
    application name), once it has a window. Its properties are read afresh
    each time, not from a cache that events may not have reached yet."""
    desktop = pyatspi.Registry.getDesktop(0)

    def found():
        for app in children(desktop):
            if app.name == name and app.childCount > 0:
                app.set_cache_mask(Atspi.Cache.NONE)
                return app
        return None

    return wait_for(found, f"an application named {name!r} with a window", timeout)


def window(app, title, timeout=TIMEOUT, prefix=False):
    """The application's showing top-level window whose name (its title) is
    `title`, or begins with it when `prefix` is true."""

    def found():
        for w in children(app):
            if (w.name.startswith(title) if prefix else w.name == title) and is_showing(w):
                return w
        return None

    return wait_for(found, f"a window titled {title!r}", timeout)


def window_gone(app, title, timeout=TIMEOUT):
    """Waits until no showing top-level window is named `title`."""

    def gone():
        return all(not (w.name == title and is_showing(w)) for w in children(app))

    wait_for(gone, f"the window {title!r} to close", timeout)


def find_all(root, role_name=None, name=None):
    """Every node below `root` with that role and name (either may be None
    for any)."""
    return [n for n in walk(root)
            if (role_name is None or role(n) == role_name) and (name is None or n.name == name)]


def find(root, role_name, name, timeout=TIMEOUT):
    """The one node below `root` with that role and name, waiting for it to
    come; A11yError if it does not, or if there are several."""

    def found():
        nodes = find_all(root, role_name, name)
        if len(nodes) > 1:
            raise A11yError(f"{len(nodes)} nodes [{role_name}] {name!r} below {describe(root)}")
        return nodes[0] if nodes else None

    return wait_for(found, f"[{role_name}] {name!r} below {describe(root)}", timeout)


_bus = None


def _a11y_bus():
    """A connection of our own to the accessibility bus, for calls whose
    answer we do not wait for."""
    global _bus
    if _bus is None:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                    GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1, None).unpack()[0]
        _bus = Gio.DBusConnection.new_for_address_sync(
            address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)
    return _bus


def action_index(node, *names):
    """The index of the node's first action named one of `names`."""
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in names:
            return i
    raise A11yError(f"{describe(node)} has no action {' or '.join(names)}")


def press(node):
    """Presses a button, menu item, option or page tab through its "Press"
    (else "Toggle") action. The call is sent without waiting for the
    program's answer: a program that opens a modal window from the press
    answers only when that window closes. Wait for what the press does."""
    index = action_index(node, "Press", "press", "Toggle", "toggle", "Click", "click")
    message = Gio.DBusMessage.new_method_call(node.app.bus_name, node.path, "org.a11y.atspi.Action", "DoAction")
    message.set_body(GLib.Variant("(i)", (index,)))
    message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
    bus = _a11y_bus()
    bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
    bus.flush_sync(None)


def text_of(node):
    """The whole text of a node with a text interface (a field, a label)."""
    text = node.queryText()
    return text.getText(0, text.characterCount)


def set_text(node, text):
    """Replaces the text of an editable field."""
    if not node.queryEditableText().setTextContents(text):
        raise A11yError(f"{describe(node)} did not take the text {text!r}")
    wait_for(lambda: text_of(node) == text, f"{describe(node)} to read {text!r}")
