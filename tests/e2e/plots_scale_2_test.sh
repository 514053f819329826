#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Subwoofer page at a scale factor of 2 on a 1920 x 1080 screen (960 x
# 540 points), under Xvfb and openbox, on a private session bus with the
# AT-SPI bus: plots_scale_2.py opens the page from the main window's
# "Subwoofer", finds the Parts window in front of the main window, and
# checks through the accessible tree that all three plots are shown, each
# high enough for its axis titles and labels, with the legend's entries
# apart. The README's 12-inch driver in a 70 L box tuned to 27 Hz with a
# 15 cm port at 30 V is in the settings the program starts with. With
# VANDREL_E2E_SHOTS set to a folder, the screen is saved there as
# plots-scale-2.png. Without one of the tools it is skipped (exit 77), or
# fails when VANDREL_REQUIRE_TOOLS=1 (as in CI).
# Usage: plots_scale_2_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
e2e_session_bus "$0" "$@"
trap e2e_cleanup EXIT
program=$1

for tool in Xvfb openbox xprop xdotool import; do
  command -v "$tool" >/dev/null || e2e_missing "$tool not found"
done
e2e_keep_twelve_inch

e2e_start_x 1920x1080
e2e_start_wm
e2e_start_a11y
e2e_launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_SCALE_FACTOR=2 "$program"
status=0
"$E2E_PYTHON" "$(dirname "$0")/plots_scale_2.py" vandrel || status=$?
if [[ -n ${VANDREL_E2E_SHOTS:-} ]]; then
  mkdir -p "$VANDREL_E2E_SHOTS"
  import -window root "$VANDREL_E2E_SHOTS/plots-scale-2.png"
fi
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program stopped: $(tail -n 5 "$E2E_TMP/program.log")"
exit "$status"
