#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in build-fuzz (clang), replays every input
# that ever failed, then fuzzes one target, or each in turn.
#
# Usage: scripts/fuzz.sh TARGET|all [SECONDS] [extra libFuzzer options]
#   TARGET: one of all_targets below
#   SECONDS: fuzzing time per target (default 600); an hour each:
#     scripts/fuzz.sh all 3600
#   FUZZ_RUNS=N tries exactly N inputs per target instead of a time, from the
#     seeds alone in a fresh corpus; with FUZZ_SEED=N (libFuzzer's random
#     seed) every machine then tries the same inputs. scripts/long_checks.sh runs
#     FUZZ_RUNS=... FUZZ_SEED=1 scripts/fuzz.sh all.
#
# First the inputs in fuzz/regressions/TARGET are replayed: one file for each
# input that ever failed. A timed run starts from the seeds in
# fuzz/corpus/TARGET, copied to build-fuzz/corpus/TARGET, where the inputs it
# finds are kept; the seeds in the source tree are never changed. A failing
# input is written to build-fuzz/artifacts/ and the script exits non-zero;
# replay it with
#   build-fuzz/fuzz/TARGET build-fuzz/artifacts/crash-...
# and, once it is mended, keep it as fuzz/regressions/TARGET/<what it was>.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

all_targets=(fuzz_text_to_number fuzz_number_to_text fuzz_solve fuzz_as_built fuzz_speaker_files fuzz_files
             fuzz_command_line fuzz_design_file)
target=${1:?usage: scripts/fuzz.sh TARGET|all [SECONDS] [libFuzzer options]}
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))
if [[ $target == all ]]; then
  targets=("${all_targets[@]}")
else
  [[ " ${all_targets[*]} " == *" $target "* ]] || { echo "unknown fuzz target: $target" >&2; exit 2; }
  targets=("$target")
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVANDREL_BUILD_FUZZERS=ON -DVANDREL_BUILD_UI=OFF -DVANDREL_BUILD_TESTS=OFF \
  -DVANDREL_DEBIAN_BUILD_FLAGS=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
seed_option=()
[[ -n ${FUZZ_SEED:-} ]] && seed_option=(-seed="$FUZZ_SEED")
for t in "${targets[@]}"; do
  # -rss_limit_mb and -timeout: an input over 1 GB or over 10 s fails.
  limits=(-timeout=10 -rss_limit_mb=1024 -max_len=256 -artifact_prefix="$root/build-fuzz/artifacts/")
  regressions=("$root/fuzz/regressions/$t/"*)
  if [[ -e ${regressions[0]} ]]; then
    echo "Replaying ${#regressions[@]} earlier failures of $t"
    "$root/build-fuzz/fuzz/$t" "${limits[@]}" "${regressions[@]}" 2>"$root/build-fuzz/$t.log" || {
      tail -n 40 "$root/build-fuzz/$t.log" >&2
      echo "$t failed on an input that failed before" >&2
      exit 1
    }
  fi
  if [[ -n ${FUZZ_RUNS:-} ]]; then
    corpus=$(mktemp -d "$root/build-fuzz/corpus-$t.XXXXXX")
    budget=(-runs="$FUZZ_RUNS")
    echo "Fuzzing $t for $FUZZ_RUNS inputs"
  else
    corpus=$root/build-fuzz/corpus/$t
    mkdir -p "$corpus"
    budget=(-max_total_time="$seconds")
    echo "Fuzzing $t for ${seconds}s"
  fi
  for seed in "$root/fuzz/corpus/$t/"*; do
    [[ -e $corpus/${seed##*/} ]] || cp "$seed" "$corpus/"
  done
  "$root/build-fuzz/fuzz/$t" "${budget[@]}" "${limits[@]}" -print_final_stats=1 "${seed_option[@]}" "$@" \
    "$corpus" 2>"$root/build-fuzz/$t.log" || {
      tail -n 40 "$root/build-fuzz/$t.log" >&2
      echo "$t failed; the input is in build-fuzz/artifacts/" >&2
      exit 1
    }
  [[ -n ${FUZZ_RUNS:-} ]] && rm -rf "$corpus"
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$root/build-fuzz/$t.log" | tr -s ' \n' ' ' || true
  echo
done
