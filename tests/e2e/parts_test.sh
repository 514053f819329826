#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb with a window manager: "Parts" opens the Parts
# window; a new design solved in the main window changes it; "Save SPICE
# netlist..." (from the keyboard, the file name typed into the file dialog)
# writes the new design's netlist, and ngspice runs it.
# Usage: parts_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1

e2e_start_x
# Keyboard focus and raising windows need a window manager.
e2e_start_wm

e2e_launch "$program"
main=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
sleep 0.5
e2e_geometry "$main"
menu_h=$((WIN_H - 408))  # the client area is the menu bar over 408 pixels

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true; }
# A point in the main window's client area, clicked after raising it.
click_main() {
  xdotool windowactivate --sync "$main" 2>/dev/null || true
  xdotool mousemove --window "$main" "$1" "$2" click 1
  sleep 0.3
}

# "Parts" is the third entry of the menu bar, after "Print" and "About".
parts=$(e2e_menu_opens "$main" 112 "^Vandrel: parts and real response$")
sleep 1

# A Butterworth design at 30 Hz: txt_freq at (240, 287) in the client area
# below the menu bar, "Solve" at (570, 357), 111 x 36 pixels. The Parts
# window is looked at with the main window active both times.
click_main 270 $((menu_h + 287 + 12))
sleep 0.5
import -window "$parts" "$E2E_TMP/before.png"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 "30"
click_main 625 $((menu_h + 357 + 18))
changed() {
  import -window "$parts" "$E2E_TMP/after.png"
  local differ
  differ=$(compare -metric AE "$E2E_TMP/before.png" "$E2E_TMP/after.png" null: 2>&1 || true)
  [[ ${differ%% *} != 0 ]]
}
e2e_eventually "the Parts window did not change after Solve" changed

# Save the netlist from the keyboard: Alt+N, then the path into the dialog.
netlist=$E2E_TMP/out/filter.cir
mkdir -p "$(dirname "$netlist")"
xdotool windowactivate --sync "$parts"
xdotool key --clearmodifiers alt+n
dialog=$(e2e_wait_window "^Save SPICE netlist$")
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
sleep 0.5
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$netlist"
xdotool key Return
written() { [[ -s $netlist ]]; }
e2e_eventually "no netlist written to $netlist" written
grep -q "^\* Design: Butterworth, C 1 uF, buffer gain 6 dB, f0 30 Hz" "$netlist" ||
  e2e_fail "the netlist is not of the new design: $(sed -n 2p "$netlist")"
[[ -z $(find "$(dirname "$netlist")" -type f ! -name filter.cir) ]] || e2e_fail "files left beside the netlist"

(cd "$E2E_TMP" && ngspice -b -r "$E2E_TMP/out.raw" "$netlist" >"$E2E_TMP/ngspice.log" 2>&1) ||
  e2e_fail "ngspice failed: $(tail -n 5 "$E2E_TMP/ngspice.log")"
grep -aq "^No. Points: *601" "$E2E_TMP/out.raw" || e2e_fail "ngspice gave no 601-point AC sweep"

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "parts_test: 4 passed, 0 failed"
