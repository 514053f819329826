// SPDX-License-Identifier: GPL-3.0-or-later
// How long the Parts window takes to follow a Solve: the figures alone
// (parts, section, path, 10,000 tolerance runs, the response and the
// tolerance band), and the whole update of the window with its plot painted,
// on either page and on both; and the Subwoofer page following a change of
// one of its inputs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QPixmap>
#include <QSettings>
#include <QTabWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "parts_window/frm_parts.h"
#include "parts_page/parts_model.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/value_box.h"
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

// The README's 12-inch driver in a 70 L box tuned to 27 Hz with a 15 cm
// port, at 30 V, as the Subwoofer page keeps it.
void keep_subwoofer() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel"));
    for (auto [key, value] : {std::pair{"fs", "26"}, {"qes", "0.48"}, {"qms", "6.2"}, {"vas", "68"}, {"re", "3.3"},
                              {"sd", "480"}, {"xmax", "12.5"}, {"le", "1.6"}, {"box", "vented"}, {"vb", "70"},
                              {"fb", "27"}, {"ql", "7"}, {"port", "15"}, {"drive", "volts"}, {"volts", "30"}})
        s.setValue(QStringLiteral("subwoofer/") + QLatin1String(key), QLatin1String(value));
}

enum Painted { parts_page, subwoofer_page, both_pages };

// show_design on the open window, then the page shown painted (grab renders
// every widget, the charts included) at pixel ratio 1; or the first page
// painted, then the second shown and painted.
void BM_PartsWindowFollowsSolve(benchmark::State& state) {
    keep_subwoofer();
    const Module1 designs[] = {design(0), design(1)};
    frm_parts window(nullptr);
    window.resize(1100, 720);
    window.show();
    const auto painted = static_cast<Painted>(state.range(0));
    window.pages->setCurrentIndex(painted == subwoofer_page ? 1 : 0);
    int i = 0;
    for (auto _ : state) {
        window.show_design(designs[i++ % 2], Mode::sos);
        QPixmap first = window.grab();
        benchmark::DoNotOptimize(first);
        if (painted == both_pages) {
            window.pages->setCurrentIndex(1);
            QPixmap second = window.grab();
            benchmark::DoNotOptimize(second);
            state.PauseTiming();
            window.pages->setCurrentIndex(0);
            state.ResumeTiming();
        }
    }
    state.SetLabel(painted == parts_page       ? "Parts page shown, 1100x720 painted"
                   : painted == subwoofer_page ? "Subwoofer page shown, 1100x720 painted"
                                               : "both pages painted in turn, 1100x720");
}
BENCHMARK(BM_PartsWindowFollowsSolve)->Arg(parts_page)->Arg(subwoofer_page)->Arg(both_pages)->Unit(benchmark::kMillisecond);

// A Parts window of 1100 x 720 on its Subwoofer page, the 12-inch driver
// in its vented box behind the first design.
std::unique_ptr<frm_parts> subwoofer_window() {
    keep_subwoofer();
    auto window = std::make_unique<frm_parts>(nullptr);
    window->show_design(design(0), Mode::sos);
    window->resize(1100, 720);
    window->show();
    window->pages->setCurrentIndex(1);
    return window;
}

// A new box volume typed (70 L and 80 L in turn), the Subwoofer page painted.
void BM_SubwooferFollowsInput(benchmark::State& state) {
    const auto shown = subwoofer_window();
    frm_parts& window = *shown;
    int i = 0;
    for (auto _ : state) {
        window.subwoofer->spn_vb->set_value(i++ % 2 ? 70 : 80);
        window.subwoofer->input_Change();
        QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted);
    }
    state.SetLabel("vented, port, 1100x720 painted");
}
BENCHMARK(BM_SubwooferFollowsInput)->Unit(benchmark::kMillisecond);

// "Suggest a filter" pressed until its answer is shown, the window's event
// loop running meanwhile; the counter `longest_wait_ms` is the longest the
// loop waited between two turns, what a key pressed meanwhile waits at most.
void BM_SubwooferSuggests(benchmark::State& state) {
    const auto shown = subwoofer_window();
    frm_parts& window = *shown;
    ui::SubwooferPage& page = *window.subwoofer;
    double longest = 0;
    for (auto _ : state) {
        page.cmd_suggest->click();
        QElapsedTimer turn;
        turn.start();
        while (!page.suggestion()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            longest = std::max(longest, turn.nsecsElapsed() / 1e6);
            turn.restart();
        }
    }
    state.counters["longest_wait_ms"] = longest;
    state.SetLabel("vented, port, 30 V");
}
BENCHMARK(BM_SubwooferSuggests)->Unit(benchmark::kMillisecond);

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
