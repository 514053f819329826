# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end flows do through the window system rather than
AT-SPI: find a window by its title, and give it the keyboard and keys, as a
person does."""
import subprocess

import a11y


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout.strip()


def x_window(title):
    """The X window id of the visible window titled exactly `title`."""
    def found():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None
    return a11y.wait_for(found, f"an X window titled {title!r}")


def keys_to(title, *keys):
    """Activates the window titled `title`, waits until it has the keyboard,
    and presses `keys` there."""
    window = x_window(title)
    xdotool("windowactivate", "--sync", window)
    a11y.wait_for(lambda: xdotool("getactivewindow") == window, f"{title!r} to take the keyboard")
    xdotool("key", "--clearmodifiers", *keys)
