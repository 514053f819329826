#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader meets it: under Xvfb and openbox, on a
# private session bus with the AT-SPI bus, with Qt's accessibility always on,
# a11y_walk.py opens every window through AT-SPI, checks every name against
# its table, reads a plot from the keyboard (keys through xdotool) and
# solves a design by names alone. Without one of the tools it
# is skipped (exit 77), or fails when VANDREL_REQUIRE_TOOLS=1 (as in CI).
# Usage: a11y_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
e2e_session_bus "$0" "$@"
trap e2e_cleanup EXIT
program=$1

for tool in Xvfb openbox xprop xdotool; do
  command -v "$tool" >/dev/null || e2e_missing "$tool not found"
done
# The README's 12-inch driver in a 70 L box tuned to 27 Hz with a 15 cm
# port at 30 V, so that the Subwoofer page has figures to name.
e2e_keep_twelve_inch
e2e_start_x
e2e_start_wm
e2e_start_a11y

e2e_launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
status=0
"$E2E_PYTHON" "$(dirname "$0")/a11y_walk.py" vandrel || status=$?
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program stopped: $(tail -n 5 "$E2E_TMP/program.log")"
exit "$status"
