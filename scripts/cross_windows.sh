#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, checked from Debian: builds what needs no Qt for 64-bit
# Windows with mingw-w64, warnings as errors (the design engine,
# vandrel-solve.exe and the Win32 registry layer), compiles the version
# resource of vandrel.exe with windres, then runs the command-line tests on
# vandrel-solve.exe under Wine in a throw-away prefix.
# Usage: scripts/cross_windows.sh [BUILD_DIR]   (default: build-mingw)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-mingw}

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVANDREL_BUILD_UI=OFF -DVANDREL_BUILD_TESTS=OFF -DVANDREL_WARNINGS_AS_ERRORS=ON
cmake --build "$build"
x86_64-w64-mingw32-windres ui/main/vandrel.rc -O coff -o "$build/vandrel.res.o"

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[[ -x $wine ]] || { echo "cross_windows.sh: no wine64" >&2; exit 1; }
export WINEPREFIX WINEDEBUG=-all
WINEPREFIX=$(mktemp -d)
wineserver=$(dirname "$wine")/wineserver
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# The first start sets up the prefix. Then one server stays up for all the
# runs, and a first run with its output nowhere starts Wine's background
# services, which would otherwise keep a test's output pipe open: every test
# run then takes a fraction of a second instead of one and a half.
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w
"$wineserver" -p
"$wine" "$build/cli/vandrel-solve.exe" --version >/dev/null 2>&1
python3 tests/cli/cli_test.py "$wine" "$build/cli/vandrel-solve.exe"
python3 tests/cli/as_built_test.py "$wine" "$build/cli/vandrel-solve.exe"
python3 tests/cli/files_test.py "$wine" "$build/cli/vandrel-solve.exe"
# Built without Qt: --sheet is refused with the reason.
python3 tests/cli/sheet_test.py "$wine" "$build/cli/vandrel-solve.exe"
python3 tests/cli/speaker_test.py "$wine" "$build/cli/vandrel-solve.exe"
python3 tests/cli/speaker_limits_test.py "$wine" "$build/cli/vandrel-solve.exe"
