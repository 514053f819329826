// SPDX-License-Identifier: GPL-3.0-or-later
// How long the subwoofer takes: one analysis with its limits, 601
// frequencies with and without the filter and the loudest safe levels
// (goal: under 5 ms), and the suggested filter (goal: under 200 ms) with
// exact resistors, as built from E24 or E192 parts, and with the amplifier's
// headroom, for a vented and a sealed box.

#include <benchmark/benchmark.h>

#include <cmath>

#include "vandrel/batch.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/suggest.h"

namespace {

using namespace vandrel::speaker;
namespace ab = vandrel::as_built;

// A 12-inch driver with a Pe of 300 W in a vented box (20 V, 15 cm port) or
// a sealed one (30 V), behind the main window's start design with exact
// parts; the amplifier's most is the drive, or twice it.
Inputs system(bool vented, bool headroom) {
    Inputs in;
    in.driver = {"twelve", 26, 0.48, 6.2, 68, 3.3, 480, 12.5, 1.6, 300.0};
    in.box = vented ? Box{Box::Type::vented, 70, 27, 7.0, 15.0} : Box{Box::Type::sealed, 50, 0, {}, {}};
    in.volts = vented ? 20 : 30;
    in.filter = with_section({}, 17, 0.707);
    in.filter.r1 = 15 / (std::pow(10.0, 6.0 / 20) - 1);
    if (headroom) in.amp_volts = 2 * in.volts;
    return in;
}

const char* label(bool vented, bool headroom) {
    return vented ? (headroom ? "vented, 6 dB headroom" : "vented") : (headroom ? "sealed, 6 dB headroom" : "sealed");
}

void BM_Analysis(benchmark::State& state) {
    const Inputs in = system(state.range(0) != 0, true);
    for (auto _ : state) {
        Analysis a = analyse(in);
        benchmark::DoNotOptimize(a);
    }
    state.SetLabel(state.range(0) ? "vented" : "sealed");
}
BENCHMARK(BM_Analysis)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_Suggest(benchmark::State& state) {
    const bool vented = state.range(0) != 0, headroom = state.range(1) != 0;
    const Inputs in = system(vented, headroom);
    for (auto _ : state) {
        Suggestion s = suggest(in);
        benchmark::DoNotOptimize(s);
    }
    state.SetLabel(label(vented, headroom));
}
BENCHMARK(BM_Suggest)->Args({1, 0})->Args({0, 0})->Args({1, 1})->Args({0, 1})->Unit(benchmark::kMillisecond);

// As built: the start state's fields, parts from E24 (single) or E192 (two
// in parallel where closer).
void BM_SuggestAsBuilt(benchmark::State& state) {
    const bool e192 = state.range(0) != 0;
    Inputs in = system(true, true);
    const vandrel::BatchOutcome start = vandrel::solve_batch(vandrel::Mode::butterworth, {});
    ab::Options options;
    options.source = {ab::PartSource::Kind::series, e192 ? ab::ESeries::E192 : ab::ESeries::E24};
    options.combine = e192 ? ab::Combine::parallel : ab::Combine::single;
    in.filter = ab::analyse(start.design, options).path;
    const Build build{start.fields, options};
    for (auto _ : state) {
        Suggestion s = suggest(in, build);
        benchmark::DoNotOptimize(s);
    }
    state.SetLabel(e192 ? "vented, 6 dB headroom, E192 in parallel" : "vented, 6 dB headroom, E24");
}
BENCHMARK(BM_SuggestAsBuilt)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
