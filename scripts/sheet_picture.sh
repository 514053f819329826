#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's picture of a build sheet: the sheet that vandrel-solve
# draws for the worked example (SOS 20 Hz, Q 2, E24 parts two in series),
# rendered to PNG by pdftoppm (poppler-utils). No display is needed.
# Usage: scripts/sheet_picture.sh [BUILD_DIR]   (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
out=$top/docs/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$out"
"$build/cli/vandrel-solve" --mode sos --freq 20 --q 2 --parts E24 --combine series \
  --sheet "$work/sheet.pdf" >/dev/null
pdftoppm -r 100 -png -singlefile "$work/sheet.pdf" "$out/build-sheet"
echo "wrote $out/build-sheet.png"
