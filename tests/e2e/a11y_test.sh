#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader meets it: under Xvfb and openbox, on a
# private session bus with the AT-SPI bus of at-spi2-core, with Qt's
# accessibility always on; a11y_walk.py opens every window through AT-SPI,
# checks every name against its table and solves a design by names alone.
# Without one of the tools it is skipped (exit 77), or fails when
# VANDREL_REQUIRE_TOOLS=1 (as in CI).
# Usage: a11y_test.sh PATH/TO/vandrel
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1

missing() {
  if [[ ${VANDREL_REQUIRE_TOOLS:-0} == 1 ]]; then
    echo "FAIL: $* (scripts/install-deps.sh test installs it)" >&2
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}

# A private session bus first: everything below runs on it, and it ends
# with the test.
if [[ -z ${VANDREL_A11Y_BUS:-} ]]; then
  command -v dbus-run-session >/dev/null || missing "dbus-run-session (dbus-daemon) not found"
  export VANDREL_A11Y_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [[ -x $candidate ]] && launcher=$candidate && break
done
[[ -n $launcher ]] || missing "at-spi-bus-launcher (at-spi2-core) not found"
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || missing "$tool not found"
done
# pyatspi is Debian's, for Debian's Python, whatever python3 is first on PATH.
python=""
for candidate in /usr/bin/python3 python3; do
  "$candidate" -c 'import pyatspi' 2>/dev/null && python=$candidate && break
done
[[ -n $python ]] || missing "pyatspi (python3-pyatspi) not found"

source "$here/lib.sh"
trap e2e_cleanup EXIT
# Nothing of the desktop outside reaches the test.
unset AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY

e2e_start_x
e2e_start_wm

# The accessibility bus, started here rather than on demand, so that it is
# there for the program's first look and ends with the test.
"$launcher" --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
E2E_PIDS+=($!)
a11y_bus_up() {
  "$python" - <<'EOF' 2>/dev/null
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                      GLib.Variant("(s)", ("org.a11y.Bus",)), GLib.VariantType("(b)"), 0, -1, None).unpack()[0]
raise SystemExit(0 if owned else 1)
EOF
}
e2e_eventually "the AT-SPI bus did not start" a11y_bus_up

e2e_launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
status=0
PYTHONPATH="$here" "$python" "$here/a11y_walk.py" vandrel || status=$?
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || { echo "FAIL: the program stopped: $(tail -n 5 "$E2E_TMP/program.log")" >&2; status=1; }
exit "$status"
