// SPDX-License-Identifier: GPL-3.0-or-later
// How long the filter as built takes: choosing the parts, and the Monte
// Carlo tolerance run of 10,000 builds (goal: under 20 ms).

#include <benchmark/benchmark.h>

#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel;
using namespace vandrel::as_built;

Module1 sos_20hz_q2() {
    return solve_batch(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}).design;
}

// Part choice from one series, single parts or two joined.
void BM_ChooseParts(benchmark::State& state) {
    const Module1 design = sos_20hz_q2();
    const PartSource source{PartSource::Kind::series, static_cast<ESeries>(state.range(0))};
    const auto combine = static_cast<Combine>(state.range(1));
    for (auto _ : state) {
        PartsList parts = choose_parts(design, source, combine);
        benchmark::DoNotOptimize(parts);
    }
    state.SetLabel(std::string(series_name(source.series)) + " " + std::string(combine_name(combine)));
}
BENCHMARK(BM_ChooseParts)->ArgsProduct({{3, 6}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);

// 10,000 builds within 1 % and 5 %: drawing them, then the percentiles of
// the section's f3, the path's f3 and the peak.
void BM_MonteCarlo10000(benchmark::State& state) {
    const PartsList parts =
        choose_parts(sos_20hz_q2(), {PartSource::Kind::series, ESeries::E24}, Combine::series);
    for (auto _ : state) {
        const std::vector<PathParts> runs = tolerance_runs(parts, 10, Tolerance{});
        ToleranceFigures figures = tolerance_figures(runs);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_MonteCarlo10000)->Unit(benchmark::kMillisecond);

// Everything vandrel-solve --parts works out, tolerance included.
void BM_Analyse(benchmark::State& state) {
    const Module1 design = sos_20hz_q2();
    Options options;
    options.combine = Combine::series;
    for (auto _ : state) {
        AsBuilt built = analyse(design, options);
        benchmark::DoNotOptimize(built);
    }
}
BENCHMARK(BM_Analyse)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
