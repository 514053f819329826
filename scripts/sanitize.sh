#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vandrel and all its tests a second time, with AddressSanitizer and
# UndefinedBehaviorSanitizer, in build-asan, and runs every test there.
# Any memory error, leak or undefined behaviour fails the test it happens in.
# Usage: scripts/sanitize.sh [extra ctest arguments, e.g. -R design]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# -O1 keeps the build and the tests quick; -g1 is enough for file:line in reports.
# No Debian hardening flags: fortified library calls hide errors from ASan.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DCMAKE_CXX_FLAGS="$san" \
  -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san" -DCMAKE_MODULE_LINKER_FLAGS="$san" \
  -DVANDREL_BUILD_TESTS=ON -DVANDREL_DEBIAN_BUILD_FLAGS=OFF
cmake --build build-asan

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
ctest --test-dir build-asan --output-on-failure -j2 "$@"
