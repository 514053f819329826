#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Where the windows open under a real window manager (openbox): the main
# window centred on the screen by its outer frame, the About window centred
# across and a quarter of the free height from the top by its outer frame,
# each within 2 pixels; neither moves by itself afterwards (minimise and
# restore, hide and show again).
# Usage: placement_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1

# Whether $1 is within 2 of $2.
near() { (($1 - $2 <= 2 && $2 - $1 <= 2)); }
# Whether the window's outer frame is at X Y ($2 $3), within 2 pixels.
at() { local x y w h; read -r x y w h < <(e2e_outer "$1"); near "$x" "$2" && near "$y" "$3"; }

e2e_start_x
e2e_start_wm
e2e_launch "$program"
main=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")

centred() {
  local x y w h
  read -r x y w h < <(e2e_outer "$main")
  near "$x" $(((E2E_SCREEN_W - w) / 2)) && near "$y" $(((E2E_SCREEN_H - h) / 2))
}
e2e_eventually "the main window is not centred by its outer frame: $(e2e_outer "$main")" centred

# Moved by the user, minimised and restored: it stays where it was put.
xdotool windowmove "$main" 100 150
sleep 0.5
read -r moved_x moved_y _ < <(e2e_outer "$main")
xdotool windowminimize "$main"
iconic() { xprop -id "$main" WM_STATE | grep -q Iconic; }
e2e_eventually "the main window did not minimise" iconic
xdotool windowactivate "$main"
restored() { xprop -id "$main" WM_STATE | grep -q Normal; }
e2e_eventually "the main window did not come back" restored
sleep 1  # time for a jump, if one were coming
at "$main" "$moved_x" "$moved_y" || e2e_fail "the main window moved by itself after a restore: $(e2e_outer "$main"), put at $moved_x $moved_y"

# "About", the second entry of the menu bar.
open_about() { about=$(e2e_menu_opens "$main" 70 "^About Vandrel$"); }
open_about
by_rule() {
  local x y w h
  read -r x y w h < <(e2e_outer "$about")
  near "$x" $(((E2E_SCREEN_W - w) / 2)) && near "$y" $(((E2E_SCREEN_H - h) / 4))
}
e2e_eventually "the About window is not placed by its outer frame: $(e2e_outer "$about")" by_rule

# Moved, hidden with Esc and shown again: where it was put.
xdotool windowmove "$about" 300 200
sleep 0.5
read -r moved_x moved_y _ < <(e2e_outer "$about")
xdotool windowactivate --sync "$about" key Escape
hidden() { [[ -z $(xdotool search --onlyvisible --name "^About Vandrel$" 2>/dev/null) ]]; }
e2e_eventually "Esc did not hide the About window" hidden
open_about
sleep 1
at "$about" "$moved_x" "$moved_y" || e2e_fail "the About window came back elsewhere: $(e2e_outer "$about"), put at $moved_x $moved_y"

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "placement_test: 4 passed, 0 failed"
