#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "Print" on the real program, through a real print queue: a private CUPS
# scheduler with a cups-pdf queue as its default printer. Answering Yes must
# leave a one-page PDF of the window, printed as job "Vandrel", in the queue's
# output folder; No prints nothing; a queue that rejects jobs gives the
# printing-failure message and prints nothing.
# Usage: print_test.sh PATH/TO/vandrel
# Needs root (the cups-pdf backend runs only as root); exits 77 (skipped)
# without it or without CUPS and cups-pdf.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
program=$1

# Without a tool: skipped, or failed in CI (VANDREL_REQUIRE_TOOLS=1).
skip() {
  [[ ${VANDREL_REQUIRE_TOOLS:-} == 1 ]] && { echo "FAIL: $*, and VANDREL_REQUIRE_TOOLS=1"; exit 1; }
  echo "SKIP: $*"
  exit 77
}
[[ $(id -u) -eq 0 ]] || { echo "SKIP: needs root for the scheduler and the cups-pdf backend"; exit 77; }
cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[[ -x $cupsd ]] || skip "no cupsd"
[[ -x /usr/lib/cups/backend/cups-pdf ]] || skip "no cups-pdf backend"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -r $ppd ]] || skip "no cups-pdf PPD"
for tool in lpadmin lpstat pdfinfo pdftoppm cupsreject cupsaccept; do
  command -v "$tool" >/dev/null || skip "no $tool"
done

# cups-pdf reads the settings of queue instance NAME from
# /etc/cups/cups-pdf-NAME.conf; this run's instance writes into its own folder.
instance="vandrel-e2e-$$"
instance_conf="/etc/cups/cups-pdf-$instance.conf"
cups=$(mktemp -d)
chmod 755 "$cups"
cleanup() {
  e2e_cleanup
  rm -f "$instance_conf"
  rm -rf "$cups"
}
trap cleanup EXIT

mkdir -p "$cups"/{spool,cache,state,log,out,home}
mkdir -m 1777 "$cups/tmp"
cat >"$cups/cupsd.conf" <<CONF
Listen $cups/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$cups/cups-files.conf" <<CONF
ServerRoot $cups
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/tmp
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
chmod 644 "$cups"/*.conf
cat >"$instance_conf" <<CONF
Out $cups/out
AnonDirName $cups/out
Log $cups/log
CONF

"$cupsd" -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/log/cupsd.out" 2>&1 &
E2E_PIDS+=($!)
export CUPS_SERVER="$cups/cups.sock"
for i in $(seq 100); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || e2e_fail "the private CUPS scheduler did not start"
# The scheduler answers before it takes queues: a moment more, at the most 5 s.
add_queue() { lpadmin -p vandrel-pdf -v "cups-pdf:/$instance" -P "$ppd" -E 2>/dev/null; }
for i in $(seq 50); do
  add_queue && break
  sleep 0.1
done
lpstat -p vandrel-pdf >/dev/null 2>&1 || e2e_fail "cannot add the cups-pdf queue"
lpadmin -d vandrel-pdf || e2e_fail "cannot make the queue the default printer"

e2e_start_x
e2e_launch env HOME="$cups/home" "$program"
win=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
sleep 0.5
e2e_geometry "$win"

pdfs() { find "$cups/out" -name '*.pdf' | wc -l; }
message_shown() { xdotool search --onlyvisible --name '^vandrel$' >/dev/null 2>&1; }

# Clicks "Print" and answers the question with a key.
answer_print() {
  # "Print" is the first entry of the menu bar at the top of the window.
  e2e_click $((WIN_X + 20)) $((WIN_Y + 10))
  local question
  question=$(e2e_wait_window "Would you like me to")
  xdotool windowfocus --sync "$question" 2>/dev/null || true
  xdotool key "$1"
}

# Prints with "Print" and Yes; sets PDF to the new file in the output folder.
print_window() {
  local before
  before=$(pdfs)
  answer_print Return   # Yes is the default button
  PDF=""
  local i
  for i in $(seq 600); do
    if [[ $(find "$cups/out" -name '*.pdf' -size +0 | wc -l) -gt $before ]]; then
      PDF=$(ls -t "$cups"/out/*.pdf | head -n1)
      break
    fi
    if message_shown; then
      e2e_fail "the program reported a printing failure"
    fi
    sleep 0.1
  done
  [[ -n $PDF ]] || { tail -n 20 "$cups/log/error_log" >&2 || true; e2e_fail "no PDF came out of the queue"; }
  # cups-pdf names its files after the job.
  [[ $(basename "$PDF") == Vandrel* ]] || e2e_fail "the job is not named Vandrel: $(basename "$PDF")"
  echo "printed $PDF" >&2
  # The backend may still be writing the file: wait until it reads whole
  # and its size holds still.
  local pages="" size=-1
  for i in $(seq 100); do
    if [[ $(stat -c %s "$PDF") == "$size" ]] && pages=$(pdfinfo "$PDF" 2>/dev/null | awk '/^Pages:/ { print $2 }') &&
       [[ -n $pages ]]; then
      break
    fi
    size=$(stat -c %s "$PDF")
    sleep 0.2
  done
  [[ $pages == 1 ]] || e2e_fail "the printout has $pages pages, not 1"
  pdftoppm -r 60 -png -singlefile "$PDF" "$E2E_TMP/page"
}

# Pixels of the page within 8% of colour #RRGGBB.
count_near() {
  convert "$E2E_TMP/page.png" -fuzz 8% -fill black -opaque "#$1" -fill white +opaque black \
    -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}

# The circuit view: the page shows the grey window and the blue result texts.
print_window
grey_circuit=$(count_near E0E0E0)
blue=$(count_near 376AF0)
[[ $grey_circuit -gt 5000 ]] || e2e_fail "no window panel on the page ($grey_circuit grey pixels)"
[[ $blue -gt 20 ]] || e2e_fail "no result texts on the page ($blue blue pixels)"

# The graph view ("Show graph" in the view frame of the controls panel): the
# white graph takes the place of the grey diagram band.
panel_y=$((WIN_Y + WIN_H - 211))
e2e_click $((WIN_X + 28)) $((panel_y + 180))
print_window
grey_graph=$(count_near E0E0E0)
[[ $((grey_graph * 4)) -lt $((grey_circuit * 3)) ]] ||
  e2e_fail "the graph view printed like the circuit view ($grey_graph vs $grey_circuit grey pixels)"

# "No": nothing is printed and nothing is said.
before=$(pdfs)
answer_print n
sleep 3  # time for a printout, if one were coming
[[ $(pdfs) -eq $before ]] || e2e_fail "\"No\" printed"
message_shown && e2e_fail "\"No\" brought a message"

# A queue that rejects jobs: the printing-failure message, and no printout.
cupsreject vandrel-pdf || e2e_fail "cannot make the queue reject jobs"
answer_print Return
message=$(e2e_wait_window '^vandrel$')
sleep 1
[[ $(pdfs) -eq $before ]] || e2e_fail "a rejected queue printed"
xdotool windowfocus --sync "$message" 2>/dev/null || true
xdotool key Return
cupsaccept vandrel-pdf

kill -0 "$E2E_PROGRAM_PID" || e2e_fail "the program stopped"
echo "print_test: 7 passed, 0 failed"
