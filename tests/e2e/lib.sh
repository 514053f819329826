# Shared helpers for the end-to-end tests: a private X server, the real
# program, xdotool to drive it and ImageMagick to look at the screen.
# Source this file; call e2e_start_x first and e2e_cleanup on exit.

set -euo pipefail

E2E_TMP=$(mktemp -d)
E2E_PIDS=()

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$E2E_TMP"
}

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY. Usage: e2e_start_x [WxH]
e2e_start_x() {
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$E2E_TMP/display" 2>/dev/null &
  E2E_PIDS+=($!)
  local i
  for i in $(seq 100); do
    [[ -s "$E2E_TMP/display" ]] && break
    sleep 0.1
  done
  [[ -s "$E2E_TMP/display" ]] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
}

# Starts a program in the background on the private display.
e2e_launch() {
  "$@" >"$E2E_TMP/program.log" 2>&1 &
  E2E_PIDS+=($!)
  E2E_PROGRAM_PID=$!
}

# Waits for a visible window whose title matches; prints its id.
e2e_wait_window() {
  local title=$1 id=""
  local i
  for i in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && break
    sleep 0.1
  done
  [[ -n "$id" ]] || e2e_fail "no window titled '$title'"
  echo "$id"
}

# Window geometry into WIN_X WIN_Y WIN_W WIN_H.
e2e_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# Number of pixels of colour #RRGGBB in a region (W H X Y) of the screen.
e2e_count_colour() {
  local colour=$1 w=$2 h=$3 x=$4 y=$5
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_TMP/crop.png"
  convert "$E2E_TMP/crop.png" -format %c histogram:info:- |
    awk -v c="#$colour" 'toupper($3) == toupper(c) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

# Retries a command for up to 10 seconds (a slow machine, a sanitizer build)
# until it succeeds; fails with the message otherwise.
e2e_eventually() {
  local message=$1 i
  shift
  for i in $(seq 50); do
    "$@" && return 0
    sleep 0.2
  done
  e2e_fail "$message"
}

e2e_click() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}
