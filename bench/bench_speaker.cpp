// SPDX-License-Identifier: GPL-3.0-or-later
// How long the subwoofer takes: one analysis, 601 frequencies with and
// without the filter (goal: under 2 ms), and the suggested filter (goal:
// under 200 ms), for a vented and a sealed box.

#include <benchmark/benchmark.h>

#include <cmath>

#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/suggest.h"

namespace {

using namespace vandrel::speaker;

// A 12-inch driver in a vented box (20 V) or a sealed one (30 V), behind
// the main window's start design with exact parts.
Inputs system(bool vented) {
    Inputs in;
    in.driver = {"twelve", 26, 0.48, 6.2, 68, 3.3, 480, 12.5, 1.6};
    in.box = vented ? Box{Box::Type::vented, 70, 27, 7.0, 10.0} : Box{Box::Type::sealed, 50, 0, {}, {}};
    in.volts = vented ? 20 : 30;
    in.filter = with_section({}, 17, 0.707);
    in.filter.r1 = 15 / (std::pow(10.0, 6.0 / 20) - 1);
    return in;
}

void BM_Analysis(benchmark::State& state) {
    const Inputs in = system(state.range(0) != 0);
    for (auto _ : state) {
        Analysis a = analyse(in);
        benchmark::DoNotOptimize(a);
    }
    state.SetLabel(state.range(0) ? "vented" : "sealed");
}
BENCHMARK(BM_Analysis)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_Suggest(benchmark::State& state) {
    const Inputs in = system(state.range(0) != 0);
    for (auto _ : state) {
        Suggestion s = suggest(in);
        benchmark::DoNotOptimize(s);
    }
    state.SetLabel(state.range(0) ? "vented" : "sealed");
}
BENCHMARK(BM_Suggest)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
