#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in build-fuzz (clang) and fuzzes one of them,
# or each in turn, for the given number of seconds.
#
# Usage: scripts/fuzz.sh TARGET|all [SECONDS] [extra libFuzzer options]
#   TARGET: fuzz_text_to_number, fuzz_number_to_text, fuzz_solve, fuzz_as_built or fuzz_speaker_files
#   SECONDS: fuzzing time per target (default 600)
#   FUZZ_SEED=N fixes libFuzzer's random seed (scripts/test.sh uses 1).
#
# Each run starts from the seeds in fuzz/corpus/TARGET, copied to
# build-fuzz/corpus/TARGET, where the inputs it finds are kept; the seeds in
# the source tree are never changed. A failing input is written to
# build-fuzz/artifacts/ and the script exits non-zero; replay it with
#   build-fuzz/fuzz/TARGET build-fuzz/artifacts/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

all_targets=(fuzz_text_to_number fuzz_number_to_text fuzz_solve fuzz_as_built fuzz_speaker_files)
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
  -DVANDREL_BUILD_FUZZERS=ON -DVANDREL_BUILD_UI=OFF -DVANDREL_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
seed_option=()
[[ -n ${FUZZ_SEED:-} ]] && seed_option=(-seed="$FUZZ_SEED")
for t in "${targets[@]}"; do
  corpus=$root/build-fuzz/corpus/$t
  mkdir -p "$corpus"
  for seed in "$root/fuzz/corpus/$t/"*; do
    [[ -e $corpus/${seed##*/} ]] || cp "$seed" "$corpus/"
  done
  echo "Fuzzing $t for ${seconds}s"
  # -timeout: one input taking over 10 s counts as a hang.
  "$root/build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout=10 -max_len=256 \
    -artifact_prefix="$root/build-fuzz/artifacts/" -print_final_stats=1 "${seed_option[@]}" "$@" \
    "$corpus" 2>"$root/build-fuzz/$t.log" || {
      tail -n 40 "$root/build-fuzz/$t.log" >&2
      echo "$t failed; the input is in build-fuzz/artifacts/" >&2
      exit 1
    }
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$root/build-fuzz/$t.log" | tr -s ' \n' ' ' || true
  echo
done
