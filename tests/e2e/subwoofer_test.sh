#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Subwoofer page end to end, under Xvfb and openbox on a 1920 x 1080
# screen, on a private session bus with the AT-SPI bus: subwoofer_flow.py
# opens a driver file through the file dialog, has a filter suggested and
# puts it into the main window. The box (70 L tuned to 27 Hz, a 15 cm
# port), the drive (30 V) and exact parts are in the settings the program
# starts with. Without one of the tools it is skipped (exit 77), or fails
# when VANDREL_REQUIRE_TOOLS=1 (as in CI).
# Usage: subwoofer_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
e2e_session_bus "$0" "$@"
trap e2e_cleanup EXIT
program=$1

for tool in Xvfb openbox xprop xdotool import; do
  command -v "$tool" >/dev/null || e2e_missing "$tool not found"
done
mkdir -p "$XDG_CONFIG_HOME/vandrel"
cat >"$XDG_CONFIG_HOME/vandrel/vandrel.ini" <<'INI'
[parts]
series=exact

[subwoofer]
box=vented
vb=70
fb=27
ql=7
port=15
drive=volts
volts=30
INI
driver=$E2E_TMP/drivers/twelve.txt
mkdir -p "$(dirname "$driver")"
cat >"$driver" <<'DRIVER'
name = Example 12-inch
fs = 26 Hz
qes = 0.48
qms = 6.2
vas = 68 L
re = 3.3 ohm
sd = 480 cm2
xmax = 12.5 mm
le = 1.6 mH
DRIVER

e2e_start_x 1920x1080
e2e_start_wm
e2e_start_a11y
e2e_launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
status=0
"$E2E_PYTHON" "$(dirname "$0")/subwoofer_flow.py" vandrel "$driver" || status=$?
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program stopped: $(tail -n 5 "$E2E_TMP/program.log")"
exit "$status"
