#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb: "About" opens a window titled "About Vandrel",
# Esc hides it and "About" shows it again; a double-click on a link opens it
# once; "&System Info..." starts a desktop system-information tool found on
# PATH, or says none is available.
# Usage: about_test.sh PATH/TO/vandrel
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true; }

# "About", the second entry of the menu bar, and the About window's place.
open_about() {
  about=$(e2e_menu_opens "$main" 70 "^About Vandrel$")
  e2e_geometry "$about"
  ABOUT_X=$WIN_X ABOUT_Y=$WIN_Y
  e2e_geometry "$main"
}

# Clicks "&System Info..." (230, 440 in the About window, 104 x 29 pixels).
click_sysinfo() { e2e_click $((ABOUT_X + 282)) $((ABOUT_Y + 454)); }

start_program() {
  e2e_launch env PATH="$1" "$program"
  main=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
  sleep 0.5
  e2e_geometry "$main"
}

e2e_start_x

# A stub system-information tool that leaves a mark when started.
stubs=$E2E_TMP/stubs
mkdir -p "$stubs"
printf '#!/bin/sh\ntouch "%s/started"\n' "$E2E_TMP" >"$stubs/hardinfo"
chmod +x "$stubs/hardinfo"
# The desktop's opener, which Qt uses for web addresses: records each address.
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$E2E_TMP" >"$stubs/xdg-open"
chmod +x "$stubs/xdg-open"
start_program "$stubs:/usr/bin:/bin"

open_about
# "visit my website" (20, 380 in the About window, 201 x 21 pixels), double-clicked.
xdotool mousemove $((ABOUT_X + 40)) $((ABOUT_Y + 390)) click --repeat 2 --delay 100 1
opened() { [[ -s $E2E_TMP/opened ]]; }
e2e_eventually "a double-click on a link opened nothing" opened
sleep 1  # time for a second opener to start, if one were coming
[[ $(wc -l <"$E2E_TMP/opened") -eq 1 ]] || e2e_fail "a double-click opened the link $(wc -l <"$E2E_TMP/opened") times"
grep -qx "https://vandrel.example.org/" "$E2E_TMP/opened" || e2e_fail "the link opened $(cat "$E2E_TMP/opened")"
xdotool windowfocus --sync "$about" key Escape
hidden() { [[ -z $(visible "^About Vandrel$") ]]; }
e2e_eventually "Esc did not hide the About window" hidden
first_place="$ABOUT_X,$ABOUT_Y"
open_about
[[ "$ABOUT_X,$ABOUT_Y" == "$first_place" ]] || e2e_fail "About came back elsewhere ($first_place, then $ABOUT_X,$ABOUT_Y)"

click_sysinfo
for _ in $(seq 50); do [[ -e $E2E_TMP/started ]] && break; sleep 0.1; done
[[ -e $E2E_TMP/started ]] || e2e_fail "System Info did not start the tool on PATH"
[[ -z $(visible "^vandrel$") ]] || e2e_fail "a message box came up although the tool started"
kill "$E2E_PROGRAM_PID"

# No tool anywhere on PATH: the message box, captioned "vandrel".
mkdir -p "$E2E_TMP/empty"
start_program "$E2E_TMP/empty"
open_about
click_sysinfo
e2e_wait_window "^vandrel$" >/dev/null
[[ -n $(visible "^About Vandrel$") ]] || e2e_fail "the About window closed under the message"

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "about_test: 6 passed, 0 failed"
