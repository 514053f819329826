#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Where the Parts window opens under a real window manager (openbox) on a
# screen of WxH: "beside" the main window on its right, the side with the
# most room on the common screens, wholly on the screen and covering none of
# the main window's frame; or, where no side gives a page 560 pixels wide,
# "front": in front of the main window, at least 560 wide and as high as
# the screen, and Ctrl+M then brings the main window to the front. With a
# second, smaller size: the window moved to the far corner and made large,
# closed, and the program started again on the smaller screen, where the
# window is pulled onto it.
# Usage: parts_placement_test.sh PATH/TO/vandrel WxH beside|front [SMALLER_WxH]
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1
title="^Vandrel: parts and real response$"

# Starts the screen, openbox and the program, and opens the Parts window:
# MAIN and PARTS.
start() {
  e2e_start_x "$1"
  e2e_start_wm
  e2e_launch "$program"
  main=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
  centred() {
    local x y w h
    read -r x y w h < <(e2e_outer "$main")
    ((x > 0 && y > 0))
  }
  e2e_eventually "the main window did not settle: $(e2e_outer "$main")" centred
  # "Parts" is the third entry of the menu bar.
  parts=$(e2e_menu_opens "$main" 112 "$title")
}

on_screen() {
  local x y w h
  read -r x y w h < <(e2e_outer "$parts")
  ((x >= 0 && y >= 0 && x + w <= E2E_SCREEN_W && y + h <= E2E_SCREEN_H))
}

beside() {
  local mx my mw mh x y w h
  read -r mx my mw mh < <(e2e_outer "$main")
  read -r x y w h < <(e2e_outer "$parts")
  on_screen && ((x >= mx + mw)) && ((w >= 560 && h >= 600))
}

# Over the main window, usable, as high as the screen, and the window with
# the keyboard.
in_front() {
  local mx my mw mh x y w h
  read -r mx my mw mh < <(e2e_outer "$main")
  read -r x y w h < <(e2e_outer "$parts")
  on_screen && ((x < mx + mw && x + w > mx)) && ((w >= 560 && h == E2E_SCREEN_H)) &&
    [[ $(xdotool getactivewindow) == "$parts" ]]
}

main_active() { [[ $(xdotool getactivewindow) == "$main" ]]; }

start "$2"
case $3 in
beside)
  e2e_eventually "on $2 the Parts window is not right of the main window and on the screen: main $(e2e_outer "$main"), parts $(e2e_outer "$parts")" beside
  ;;
front)
  e2e_eventually "on $2 the Parts window is not in front of the main window at a usable size: main $(e2e_outer "$main"), parts $(e2e_outer "$parts")" in_front
  xdotool key --clearmodifiers ctrl+m
  e2e_eventually "Ctrl+M did not bring the main window to the front" main_active
  ;;
*) e2e_fail "where the window is to be: beside or front, not '$3'" ;;
esac
passed=1

if [[ -n ${4:-} ]]; then
  # Far into the corner and large, then closed with Esc: that place is kept.
  xdotool windowsize "$parts" $((E2E_SCREEN_W * 2 / 3)) $((E2E_SCREEN_H * 2 / 3))
  xdotool windowmove "$parts" $((E2E_SCREEN_W / 3)) $((E2E_SCREEN_H / 3))
  sleep 0.5
  xdotool windowactivate --sync "$parts" key Escape
  hidden() { [[ -z $(xdotool search --onlyvisible --name "$title" 2>/dev/null) ]]; }
  e2e_eventually "Esc did not close the Parts window" hidden
  kill "$E2E_PROGRAM_PID"
  wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  grep -q '^geometry=' "$XDG_CONFIG_HOME/vandrel/vandrel.ini" || e2e_fail "no place saved"
  e2e_stop_all
  start "$4"
  e2e_eventually "on $4 the saved place is not pulled onto the screen: $(e2e_outer "$parts")" on_screen
  passed=2
fi

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "parts_placement_test: $passed passed, 0 failed"
