#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in build-bench (Release) and runs them: Solve alone,
# Solve with its graph painted at 1x and 2x pixel density, the filter as built
# (part choice, 10,000-run tolerance spread), the subwoofer (one analysis,
# the suggested filter), the Parts window following a
# Solve, a whole vandrel-solve run that writes a build sheet, then the
# start-up comparison with a minimal Qt window
# (scripts/bench_startup.py).
# Usage: scripts/bench.sh [--no-startup] [Google Benchmark options, e.g. --benchmark_repetitions=5]
set -euo pipefail
cd "$(dirname "$0")/.."

startup=1
if [[ ${1:-} == --no-startup ]]; then startup=0; shift; fi

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVANDREL_BUILD_BENCHMARKS=ON -DVANDREL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench

build-bench/bench/bench_solve "$@"
build-bench/bench/bench_as_built "$@"
build-bench/bench/bench_speaker "$@"
build-bench/bench/bench_graph "$@"
build-bench/bench/bench_parts "$@"
build-bench/bench/bench_sheet "$@"
if (( startup )); then
  scripts/bench_startup.py --no-build
fi
