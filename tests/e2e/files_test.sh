#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Parts window's files end to end, under Xvfb and openbox on a 1920 x
# 1080 screen, on a private session bus with the AT-SPI bus: files_flow.py
# opens a design file through the window (design) or exports for KiCad
# (kicad), through the real file dialogs. Without one of the tools it is
# skipped (exit 77), or fails when VANDREL_REQUIRE_TOOLS=1 (as in CI).
# Usage: files_test.sh PATH/TO/vandrel design|kicad
source "$(dirname "$0")/lib.sh"
e2e_session_bus "$0" "$@"
trap e2e_cleanup EXIT
program=$1
mode=$2

for tool in Xvfb openbox xprop xdotool; do
  command -v "$tool" >/dev/null || e2e_missing "$tool not found"
done
mkdir -p "$E2E_TMP/files"
if [[ $mode == design ]]; then
  file=$E2E_TMP/files/sub.vandrel
  cat >"$file" <<'DESIGN'
{"format": "vandrel-design", "version": 1,
 "filter": {"mode": "sos", "cfilter": "1.0", "gain": "6", "freq": "20", "q": "2"},
 "parts": {"series": "E96", "combine": "single"},
 "driver": {"name": "Twelve", "fs": "26 Hz", "qes": 0.48, "qms": 6.2, "vas": "2.4 ft3", "re": "3.3 ohm",
            "sd": 480, "xmax": "12.5 mm", "le": 1.6},
 "box": {"type": "vented", "vb": 70, "fb": 27, "port_diameter": 15},
 "drive": {"volts": 30}}
DESIGN
else
  file=$E2E_TMP/files/filter.kicad_sch
fi

e2e_start_x 1920x1080
e2e_start_wm
e2e_start_a11y
e2e_launch env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
status=0
"$E2E_PYTHON" "$(dirname "$0")/files_flow.py" "$mode" vandrel "$file" || status=$?
kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "the program stopped: $(tail -n 5 "$E2E_TMP/program.log")"
exit "$status"
