#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Vandrel with its tests and runs every test.
# The long runs (the Debian package, the Windows build, fuzzing, the
# sanitizers) are scripts/long_checks.sh, which CI runs after this script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_BUILD_TESTS=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
