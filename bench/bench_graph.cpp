// SPDX-License-Identifier: GPL-3.0-or-later
// One Solve followed by the response graph painted into an image the size of
// the main window's graph (711 x 197 logical pixels), at device pixel ratios
// 1 and 2, the way the window redraws its graph after every Solve.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdlib>

#include "layout.h"
#include "qt_picture_surface.h"
#include "vandrel/batch.h"
#include "vandrel/graph.h"
#include "vandrel/module1.h"
#include "vandrel/solve.h"

namespace {

using namespace vandrel;

constexpr int graph_width = 711;
constexpr int graph_height = 197;

QImage graph_image(int ratio) {
    QImage image(QSize(graph_width, graph_height) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

void BM_SolveAndDrawGraph(benchmark::State& state) {
    const int ratio = static_cast<int>(state.range(0));
    QImage image = graph_image(ratio);
    const QFont font = ui::dialog_font();
    BatchWindow window(Mode::butterworth);
    Module1 design;
    for (auto _ : state) {
        solve(window, design);
        ui::QtPictureSurface surface(image, font);
        draw_graph(surface, design.f0, design.q);
    }
    benchmark::DoNotOptimize(image.constBits());
    state.SetLabel(ratio == 1 ? "711x197 @1x" : "711x197 @2x");
}
BENCHMARK(BM_SolveAndDrawGraph)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The graph alone, for a design with a high peak (Q 10) whose curve leaves
// the plotted range at both ends.
void BM_DrawGraphHighQ(benchmark::State& state) {
    const int ratio = static_cast<int>(state.range(0));
    QImage image = graph_image(ratio);
    const QFont font = ui::dialog_font();
    for (auto _ : state) {
        ui::QtPictureSurface surface(image, font);
        draw_graph(surface, 40, 10);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(BM_DrawGraphHighQ)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no screen is needed to paint an image.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
