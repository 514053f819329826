#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package as a user gets it: built with cpack from the build
# directory, checked with lintian (hardening included) and for the
# Description, installed with apt-get, run from /usr/bin (vandrel-solve on a
# worked design, vandrel's window on a private Xvfb), its desktop entry and
# AppStream metadata validated where they were installed, and removed again.
# Then built a second time, from a copy of the sources without the tests, to
# the same bytes.
#
# Needs root to install the package; skipped otherwise, and also when a
# vandrel package is installed already (it is not ours to replace).
# Usage: scripts/package_test.sh [BUILD_DIR]   (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
app_id=org.example.vandrel
started=$SECONDS

if [[ $(id -u) -ne 0 ]]; then
  echo "package_test: skipped (installing the package needs root)"
  exit 0
fi
if dpkg-query -W -f='${Status}' vandrel 2>/dev/null | grep -q 'ok installed'; then
  echo "package_test: skipped (a vandrel package is installed already)"
  exit 0
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vandrel_*.deb)
# No errors or warnings, and none of the notes on missing hardening flags.
lintian_out=$(lintian --allow-root --display-info --fail-on error,warning "$deb") ||
  fail "lintian finds errors or warnings in $deb:"$'\n'"$lintian_out"
[[ -z $lintian_out ]] || echo "$lintian_out"
! grep -q ' hardening-' <<<"$lintian_out" || fail "built without some hardening flags"
description=$(dpkg-deb --field "$deb" Description)
for subject in "Parts window" "build sheet"; do
  grep -qF "$subject" <<<"$description" || fail "the package's Description says nothing of the $subject"
done

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" >/dev/null
source "$top/tests/e2e/lib.sh"
remove_package() {
  e2e_cleanup
  apt-get remove --purge -y -q vandrel >/dev/null
}
trap remove_package EXIT

# A worked design: SOS, 20 Hz, Q 2, from the defaults 1.0 uF and 6 dB.
json=$(/usr/bin/vandrel-solve --json --mode sos --freq 20 --q 2) || fail "vandrel-solve exits $?"
python3 - "$json" <<'EOF' || fail "vandrel-solve --json: $json"
import json, sys
out = json.loads(sys.argv[1])
assert out["messages"] == []
assert out["labels"] == {"lbl_r1": "R1 = 15k", "lbl_r3": "R3 = 1.9k", "lbl_r4": "R4 = 31.8k",
                         "lbl_f3": "f3 =  13.4hz"}, out["labels"]
assert (out["fields"]["txt_freq_peak"], out["fields"]["txt_peakmag"]) == ("21.3", "6.3")
EOF
for program in vandrel vandrel-solve; do
  [[ $(/usr/bin/$program --version) == 1.01 ]] || fail "$program --version"
done

desktop=/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "$desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
  fail "/usr/share/metainfo/$app_id.metainfo.xml"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry names another icon"
for icon in scalable/apps/$app_id.svg 16x16/apps/$app_id.png 256x256/apps/$app_id.png; do
  [[ -s /usr/share/icons/hicolor/$icon ]] || fail "no icon $icon"
done
for page in vandrel vandrel-solve; do
  [[ -s /usr/share/man/man1/$page.1.gz ]] || fail "no manual page $page(1)"
done

# The window maps, and the window system can tie it to the desktop entry.
e2e_start_x
e2e_launch /usr/bin/vandrel
win=$(e2e_wait_window "Vandrel: 2nd-order high-pass filter")
wm_class=$(grep '^StartupWMClass=' "$desktop" | cut -d= -f2)
xprop -id "$win" WM_CLASS | grep -q "\"$wm_class\"" || fail "WM_CLASS is not $wm_class"
# "Parts", third on the menu bar, finds its module where the package put it.
e2e_menu_opens "$win" 112 "^Vandrel: parts and real response$" >/dev/null

trap - EXIT
remove_package
[[ ! -e /usr/bin/vandrel && ! -e $desktop ]] || fail "the package leaves files behind"

# Reproducible: the files in the package are dated by the last commit, and
# the same sources, copied to other directories with new file times and
# built again without the tests, give the same package to the byte.
if commit_epoch=$(git -C "$top" log -1 --format=%ct 2>/dev/null); then
  epoch=${SOURCE_DATE_EPOCH:-$commit_epoch}
  date=$(TZ=UTC date -d "@$epoch" '+%F %T')
  other_dates=$(dpkg-deb --fsys-tarfile "$deb" | TZ=UTC tar -tv --full-time | grep -vF " $date ") || true
  [[ -z $other_dates ]] || fail "files in the package not dated $date (the last commit):"$'\n'"$other_dates"

  launcher=$(sed -n 's/^CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=//p' "$build/CMakeCache.txt")
  if [[ -n $launcher ]]; then
    # ccache, for one, may rewrite the file paths the compiler sees.
    echo "package_test: $build compiles through $launcher; no second build to compare"
  else
    again=$(mktemp -d)
    trap 'rm -rf "$again"' EXIT
    mkdir "$again/src"
    (cd "$top" && git ls-files -z --cached --others --exclude-standard |
       tar --create --null --files-from=- --ignore-failed-read --file=- 2>/dev/null) |
      tar --extract --touch --directory="$again/src"
    build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
    cmake -S "$again/src" -B "$again/build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
      -DVANDREL_BUILD_TESTS=OFF >/dev/null
    cmake --build "$again/build" >/dev/null
    (cd "$again/build" && SOURCE_DATE_EPOCH=$epoch cpack -G DEB >/dev/null)
    second=$again/build/$(basename "$deb")
    summary() { dpkg-deb --info "$1"; dpkg-deb --contents "$1"; dpkg-deb --ctrl-tarfile "$1" | tar -xO ./md5sums; }
    cmp -s "$deb" "$second" ||
      fail "a second build of the same sources gives another package:"$'\n'"$(diff <(summary "$deb") <(summary "$second"))"
  fi
else
  echo "package_test: not a git checkout; the package's reproducibility is not checked"
fi
echo "package_test: passed in $((SECONDS - started)) s ($(basename "$deb"))"
