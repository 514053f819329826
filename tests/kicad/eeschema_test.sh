#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The schematics of vandrel-solve --kicad open in KiCad's eeschema under
# Xvfb and openbox: a window titled with the file's name shows, and no other
# window (an error, a rescue or a library dialog) within five seconds.
# eeschema gets a private home with KiCad's settings and the symbol library
# table from KiCad's template, so that its first-start questions stay away.
# With VANDREL_KICAD_SCREENSHOT=FILE.png the screen with the first schematic
# is kept there. Skipped (77) without eeschema, failed without it when
# VANDREL_REQUIRE_TOOLS=1.
# Usage: eeschema_test.sh VANDREL_SOLVE
program=$1
if ! command -v eeschema >/dev/null || ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null ||
   ! command -v xdotool >/dev/null; then
  if [[ ${VANDREL_REQUIRE_TOOLS:-} == 1 ]]; then
    echo "FAIL: no eeschema, Xvfb, openbox or xdotool, and VANDREL_REQUIRE_TOOLS=1"
    exit 1
  fi
  echo "SKIP: no eeschema, Xvfb, openbox or xdotool"
  exit 77
fi
source "$(dirname "$0")/../e2e/lib.sh"
trap e2e_cleanup EXIT

export HOME=$E2E_TMP/home
settings=$XDG_CONFIG_HOME/kicad/6.0
mkdir -p "$HOME" "$settings"
cp /usr/share/kicad/template/sym-lib-table "$settings/"
# KiCad asks where its settings come from unless this file exists.
echo '{"meta": {"filename": "kicad_common.json", "version": 2}}' >"$settings/kicad_common.json"

e2e_start_x 1600x1000
e2e_start_wm

passed=0
designs=(
  "gain_parallel:--mode sos --gain 3 --freq 23 --q 0.8 --parts E6 --combine parallel --r-tol 0.1"
  "follower_series:--mode sos --gain 0 --freq 12 --q 1.4 --parts E12 --combine series --r-tol 0 --footprints smd"
)
for entry in "${designs[@]}"; do
  name=${entry%%:*}
  read -r -a options <<<"${entry#*:}"
  file=$E2E_TMP/$name.kicad_sch
  "$program" "${options[@]}" --kicad "$file" >/dev/null || e2e_fail "$name: vandrel-solve failed"
  e2e_launch eeschema "$file"
  window=$(e2e_wait_window "$name") || exit 1
  # Dialogs come up within a moment of the window; give them five seconds.
  sleep 5
  xdotool mousemove 0 0
  others=()
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    [[ $id == "$window" ]] || others+=("$id: $(xdotool getwindowname "$id" 2>/dev/null)")
  done
  [[ ${#others[@]} -eq 0 ]] || e2e_fail "$name: another window came up: ${others[*]}"
  title=$(xdotool getwindowname "$window")
  [[ $title == "$name "* ]] || e2e_fail "$name: the window's title is '$title'"
  if [[ -n ${VANDREL_KICAD_SCREENSHOT:-} && $passed -eq 0 ]]; then
    import -window root "$VANDREL_KICAD_SCREENSHOT"
  fi
  kill "$E2E_PROGRAM_PID"
  wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  passed=$((passed + 1))
done
echo "eeschema: $passed passed, 0 failed"
