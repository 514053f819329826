// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/graph.h"

#include <cmath>
#include <string>

namespace vandrel {

double response_level_db(double f, double f0, double q) {
    const double x = f0 / f;
    // 1/|H|^2 of the high-pass section, the same as (x^2 - 1)^2 + x^2/q^2.
    const double t = 1 - (2 - 1 / (q * q)) * (x * x) + std::pow(x, 4);
    return (-10 * std::log(t)) / std::log(10.0);
}

void draw_graph(PictureSurface& s, double f0, double q) {
    namespace c = graph_colours;
    // User scale: x = ln f (1 Hz to 100 Hz), y = 10 - level in dB (+10 dB to -10 dB).
    s.ScaleHeight(20);
    s.ScaleWidth(static_cast<float>(std::log(100.0)));
    const double origin = std::log(1.0);
    const auto x_of = [origin](double f) { return static_cast<float>(std::log(f) - origin); };
    const auto y_of = [](double level) { return static_cast<float>(10 - level); };

    s.Cls();
    s.DrawWidth(1);

    s.ForeColor(c::light_grid);
    for (int f = 2; f <= 99; ++f) s.Line(x_of(f), 0, x_of(f), 100);
    s.ForeColor(c::dark_grid);
    for (int f = 10; f <= 99; f += 10) s.Line(x_of(f), 0, x_of(f), 100);
    s.ForeColor(c::light_grid);
    for (int y = 0; y <= 19; ++y) s.Line(0, static_cast<float>(y), 99, static_cast<float>(y));
    s.ForeColor(c::dark_grid);
    for (int y = 1; y <= 19; y += 3) s.Line(0, static_cast<float>(y), 99, static_cast<float>(y));

    s.ForeColor(c::zero_db_line);
    s.Line(0, 10, 99, 10);
    s.ForeColor(c::minus_3db_line);
    s.Line(0, 13, 99, 13);

    s.ForeColor(c::zero_db_line);
    const auto frequency_label = [&](int f) {
        s.PSet(static_cast<float>(std::log(static_cast<double>(f)) - 0.05), 18.5F);
        s.Print(std::to_string(f) + "hz");
    };
    for (int f = 10; f <= 90; f += 20) frequency_label(f);
    frequency_label(2);
    frequency_label(5);
    for (int y = 0; y <= 19; y += 3) {
        s.PSet(0.1F, static_cast<float>(y + 0.4));
        s.Print(std::to_string(9 - y) + "dB");
    }

    s.ForeColor(c::curve);
    s.DrawWidth(2);
    double previous_level = -21;
    double previous_f = 0.1;
    for (double f = 1; f <= 99; f += 0.1) {
        const double level = response_level_db(f, f0, q);
        s.Line(x_of(previous_f), y_of(previous_level), x_of(f), y_of(level));
        previous_level = level;
        previous_f = f;
    }
}

}  // namespace vandrel
