// SPDX-License-Identifier: GPL-3.0-or-later
// How long one Solve takes, with the window's start-up inputs, and how long
// the response graph takes to produce its drawing calls.

#include <benchmark/benchmark.h>

#include "vandrel/batch.h"
#include "vandrel/graph.h"
#include "vandrel/module1.h"
#include "vandrel/solve.h"
#include "vandrel/window_model.h"

namespace {

using namespace vandrel;

// Solve from the window's start state, including setting that state up.
void BM_SolveBatchStartUp(benchmark::State& state) {
    for (auto _ : state) {
        BatchOutcome outcome = solve_batch(Mode::butterworth, {});
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_SolveBatchStartUp);

// Solve alone, again and again on one window, in each mode.
void BM_SolveOnWindow(benchmark::State& state) {
    const auto mode = static_cast<Mode>(state.range(0));
    BatchWindow window(mode);
    if (mode == Mode::butterworth) window.set_field_text(Field::q, butterworth_q_text);
    if (mode == Mode::peaking) window.set_field_text(Field::peakmag, "3");
    Module1 design;
    for (auto _ : state) {
        SolveEnd end = solve(window, design);
        benchmark::DoNotOptimize(end);
        benchmark::DoNotOptimize(design);
    }
    state.SetLabel(std::string(mode_caption(mode)));
}
BENCHMARK(BM_SolveOnWindow)->DenseRange(0, 2);

// The graph's drawing calls, onto a surface that only counts them.
class CountingSurface final : public PictureSurface {
public:
    void ScaleHeight(float) override {}
    void ScaleWidth(float) override {}
    void Cls() override { ++calls; }
    void DrawWidth(int) override {}
    void ForeColor(Rgb) override {}
    void Line(float x1, float y1, float x2, float y2) override {
        ++calls;
        sum += x1 + y1 + x2 + y2;
    }
    void PSet(float x, float y) override {
        ++calls;
        sum += x + y;
    }
    void Print(std::string_view text) override { calls += static_cast<long>(text.size()); }
    long calls = 0;
    float sum = 0;
};

void BM_SolveAndGraphCalls(benchmark::State& state) {
    BatchWindow window(Mode::butterworth);
    Module1 design;
    CountingSurface surface;
    for (auto _ : state) {
        solve(window, design);
        draw_graph(surface, design.f0, design.q);
    }
    benchmark::DoNotOptimize(surface.sum);
    state.counters["calls_per_graph"] =
        benchmark::Counter(static_cast<double>(surface.calls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SolveAndGraphCalls);

}  // namespace
