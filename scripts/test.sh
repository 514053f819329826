#!/usr/bin/env bash
# Installs what is missing, builds Vandrel with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDREL_BUILD_TESTS=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
