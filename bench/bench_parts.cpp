// SPDX-License-Identifier: GPL-3.0-or-later
// How long the Parts window takes to follow a Solve: the figures alone
// (parts, section, path, 10,000 tolerance runs, the response and the
// tolerance band), and the whole update of the window with its plot painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>

#include <cstdlib>

#include "frm_parts.h"
#include "parts_model.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel;

// Two designs taken in turn, so that every update has something new to show.
Module1 design(int i) {
    return solve_batch(Mode::sos, {{Field::freq, i % 2 ? "30" : "20"}, {Field::q, "2"}}).design;
}

void BM_PartsFigures(benchmark::State& state) {
    const Module1 designs[] = {design(0), design(1)};
    ui::PartsChoices choices;
    choices.combine = static_cast<as_built::Combine>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        ui::PartsFigures figures = ui::work_out(designs[i++ % 2], Mode::sos, choices);
        benchmark::DoNotOptimize(figures);
    }
    state.SetLabel(std::string(as_built::combine_name(choices.combine)) + ", 10000 runs");
}
BENCHMARK(BM_PartsFigures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// show_design on the open window, then the window painted (grab renders
// every widget, the two charts included) at pixel ratio 1.
void BM_PartsWindowFollowsSolve(benchmark::State& state) {
    const Module1 designs[] = {design(0), design(1)};
    frm_parts window(nullptr);
    window.resize(1100, 720);
    window.show();
    int i = 0;
    for (auto _ : state) {
        window.show_design(designs[i++ % 2], Mode::sos);
        QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted);
    }
    state.SetLabel("E24, single, 10000 runs, 1100x720 painted");
}
BENCHMARK(BM_PartsWindowFollowsSolve)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's settings are left alone: a directory of their own.
    qputenv("XDG_CONFIG_HOME", "/tmp/vandrel-bench-parts-config");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
