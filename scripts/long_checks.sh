#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long runs that scripts/test.sh leaves out to stay quick. CI runs this
# after scripts/test.sh; alone, it installs and builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_BUILD_TESTS=ON
cmake --build build

# The Debian package: built twice and compared, checked, installed, run and
# removed again (root only).
scripts/package_test.sh build

# The parts without Qt built for Windows (mingw-w64), vandrel-solve.exe tested under Wine.
scripts/cross_windows.sh

# Every input that ever failed a fuzz target, then a fixed number of inputs
# from a fixed seed, so that every machine tries the same ones (scripts/fuzz.sh
# for longer, timed runs).
FUZZ_RUNS=20000 FUZZ_SEED=1 scripts/fuzz.sh all

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
scripts/sanitize.sh
