#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb: typing into the gain field swaps the circuit
# diagram, and "Show graph" puts the response graph in the picture band.
# Usage: gain_view_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1

e2e_start_x
e2e_launch "$program"
win=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
sleep 0.5
e2e_geometry "$win"

# The client area is the menu bar, then the 197-pixel picture band, then the
# 211-pixel controls panel; the 395-pixel circuit picture is centred.
band_y=$((WIN_Y + WIN_H - 408))
panel_y=$((WIN_Y + WIN_H - 211))
pic_x=$((WIN_X + (WIN_W - 395) / 2))
input_stage() { e2e_count_colour "$1" 180 197 "$pic_x" "$band_y"; }

orange=DE5A00  # designators R1, R3, R4, C
wire=0084DE
has_r1() { [[ $(input_stage $orange) -gt 0 ]]; }
no_r1() { [[ $(input_stage $orange) -eq 0 && $(input_stage $wire) -gt 100 ]]; }
e2e_eventually "no R1 in the diagram at start (gain 6)" has_r1

# txt_gain sits at (240, 60) in the panel, 61 x 24 pixels.
e2e_click $((WIN_X + 270)) $((panel_y + 72))
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 "0"
e2e_eventually "gain 0 does not show the diagram without R1" no_r1

xdotool type --delay 50 ".5"
e2e_eventually "gain 0.5 does not bring back the diagram with R1" has_r1

# "Show graph": Frame2 at (10, 130) in the panel, the option 40 pixels down in it.
e2e_click $((WIN_X + 28)) $((panel_y + 180))
band_pixels=$((WIN_W * 197))
graph_shown() {
  local white curve wires
  white=$(e2e_count_colour FFFFFF "$WIN_W" 197 "$WIN_X" "$band_y")
  curve=$(e2e_count_colour 376AF0 "$WIN_W" 197 "$WIN_X" "$band_y")
  wires=$(e2e_count_colour $wire "$WIN_W" 197 "$WIN_X" "$band_y")
  [[ $((white * 2)) -gt $band_pixels && $curve -gt 50 && $wires -eq 0 ]]
}
e2e_eventually "the band does not show the white graph with its curve" graph_shown

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "gain_view_test: 4 passed, 0 failed"
