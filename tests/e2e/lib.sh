# SPDX-License-Identifier: GPL-3.0-or-later
# Shared helpers for the end-to-end tests: a private X server, the real
# program, xdotool to drive it and ImageMagick to look at the screen.
# Source this file; call e2e_start_x first and e2e_cleanup on exit.

set -euo pipefail

E2E_TMP=$(mktemp -d)
# Settings the programs keep go here, never into the user's own.
export XDG_CONFIG_HOME=$E2E_TMP/config
E2E_PIDS=()

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$E2E_TMP"
}

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Ends everything started so far (the program, the window manager, the X
# server), so that another screen can be started.
e2e_stop_all() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  E2E_PIDS=()
  rm -f "$E2E_TMP/display"
}

# The private screen's size in pixels; e2e_start_x WxH chooses another.
E2E_SCREEN_W=1280
E2E_SCREEN_H=1024

# Starts Xvfb on a free display and exports DISPLAY. Usage: e2e_start_x [WxH]
e2e_start_x() {
  if [[ -n ${1:-} ]]; then
    E2E_SCREEN_W=${1%x*}
    E2E_SCREEN_H=${1#*x}
  fi
  # -noreset: the server would reset when its last client leaves (a program
  # ended, an xdotool call done), and a program starting just then could
  # not connect.
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>/dev/null &
  E2E_PIDS+=($!)
  local i
  for i in $(seq 100); do
    [[ -s "$E2E_TMP/display" ]] && break
    sleep 0.1
  done
  [[ -s "$E2E_TMP/display" ]] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
}

# Starts openbox, a window manager that gives windows a real frame (title
# bar and borders), and waits until it manages the screen.
e2e_start_wm() {
  openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  e2e_eventually "openbox did not start" wm_running
}

# Outer frame of a client window (title bar and borders included) as
# "X Y W H", from the window's place on the screen and the frame extents the
# window manager gives it.
e2e_outer() {
  local x y w h l r t b
  read -r x y w h < <(xwininfo -id "$1" |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
         END {print x, y, w, h}')
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | awk -F' = ' '{gsub(",", ""); print $2}')
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}

# Top-left corner of a client window's client area into CLIENT_X CLIENT_Y
# (also under a window manager, unlike xdotool getwindowgeometry).
e2e_client_origin() {
  read -r CLIENT_X CLIENT_Y < <(xwininfo -id "$1" |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
}

# Starts a program in the background on the private display.
e2e_launch() {
  "$@" >"$E2E_TMP/program.log" 2>&1 &
  E2E_PIDS+=($!)
  E2E_PROGRAM_PID=$!
}

# Waits for a visible window whose title matches; prints its id.
e2e_wait_window() {
  local title=$1 id=""
  local i
  for i in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && break
    sleep 0.1
  done
  [[ -n "$id" ]] || e2e_fail "no window titled '$title'"
  echo "$id"
}

# Clicks the menu bar entry X pixels right of the left edge of window $1's
# client area until a window whose title matches $3 shows (three tries, for
# a click that comes before the window takes input); prints its id.
# Usage: e2e_menu_opens WINDOW X TITLE
e2e_menu_opens() {
  local window=$1 x=$2 title=$3 found="" try i
  for try in 1 2 3; do
    e2e_client_origin "$window"
    e2e_click $((CLIENT_X + x)) $((CLIENT_Y + 10))
    for i in $(seq 25); do
      found=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
      [[ -n $found ]] && break 2
      sleep 0.2
    done
  done
  [[ -n $found ]] || e2e_fail "the menu entry at $x shows no window titled '$title'"
  echo "$found"
}

# Window geometry into WIN_X WIN_Y WIN_W WIN_H.
e2e_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# Number of pixels of colour #RRGGBB in a region (W H X Y) of the screen.
e2e_count_colour() {
  local colour=$1 w=$2 h=$3 x=$4 y=$5
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_TMP/crop.png"
  convert "$E2E_TMP/crop.png" -format %c histogram:info:- |
    awk -v c="#$colour" 'toupper($3) == toupper(c) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# Retries a command for up to 10 seconds (a slow machine, a sanitizer build)
# until it succeeds; fails with the message otherwise.
e2e_eventually() {
  local message=$1 i
  shift
  for i in $(seq 50); do
    "$@" && return 0
    sleep 0.2
  done
  e2e_fail "$message"
}

e2e_click() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}

# Skips the test (exit 77) for want of a tool, or fails it when
# VANDREL_REQUIRE_TOOLS=1 (CI, after scripts/install-deps.sh test).
e2e_missing() {
  if [[ ${VANDREL_REQUIRE_TOOLS:-0} == 1 ]]; then
    e2e_fail "$* (scripts/install-deps.sh test installs it)"
  fi
  echo "SKIP: $*"
  exit 77
}

# Runs the calling script again, once, on a private session bus that ends
# with it. Call it first thing, before anything is started.
# Usage: e2e_session_bus "$0" "$@"
e2e_session_bus() {
  [[ -n ${E2E_SESSION_BUS:-} ]] && return 0
  command -v dbus-run-session >/dev/null || e2e_missing "dbus-run-session (dbus-daemon) not found"
  rm -rf "$E2E_TMP"
  E2E_SESSION_BUS=1 exec dbus-run-session -- "$@"
}

# Starts the AT-SPI bus (at-spi2-core) on the session bus and waits for it,
# so that screen-reader clients and programs started with
# QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 find it. Sets E2E_PYTHON to a Python
# with pyatspi (Debian's, whatever python3 is first on PATH) and puts
# a11y.py, which finds and drives controls by name, on its PYTHONPATH.
e2e_start_a11y() {
  local launcher="" candidate
  for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [[ -x $candidate ]] && launcher=$candidate && break
  done
  [[ -n $launcher ]] || e2e_missing "at-spi-bus-launcher (at-spi2-core) not found"
  E2E_PYTHON=""
  for candidate in /usr/bin/python3 python3; do
    "$candidate" -c 'import pyatspi' 2>/dev/null && E2E_PYTHON=$candidate && break
  done
  [[ -n $E2E_PYTHON ]] || e2e_missing "pyatspi (python3-pyatspi) not found"
  export PYTHONPATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)${PYTHONPATH:+:$PYTHONPATH}"
  # Only this session's bus, never one of a desktop outside.
  unset AT_SPI_BUS_ADDRESS
  "$launcher" --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
  E2E_PIDS+=($!)
  a11y_bus_up() {
    "$E2E_PYTHON" -c '
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                      GLib.Variant("(s)", ("org.a11y.Bus",)), GLib.VariantType("(b)"), 0, -1, None)
raise SystemExit(0 if owned.unpack()[0] else 1)' 2>/dev/null
  }
  e2e_eventually "the AT-SPI bus did not start" a11y_bus_up
}

# Starts the programs with the README's 12-inch driver in a 70 L box tuned
# to 27 Hz with a 15 cm port at 30 V in their settings, so that the
# Subwoofer page has figures from the first.
e2e_keep_twelve_inch() {
  mkdir -p "$XDG_CONFIG_HOME/vandrel"
  cat >"$XDG_CONFIG_HOME/vandrel/vandrel.ini" <<'INI'
[subwoofer]
name=Example 12-inch
fs=26
qes=0.48
qms=6.2
vas=68
re=3.3
sd=480
xmax=12.5
le=1.6
box=vented
vb=70
fb=27
port=15
drive=volts
volts=30
INI
}
