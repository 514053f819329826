// SPDX-License-Identifier: GPL-3.0-or-later
// The highest point of a curve known on a grid: found between grid points
// wherever it lies, not only beside the grid's highest point.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../../design/src/speaker/curve.h"

namespace {

using namespace vandrel::speaker;

// A bump of `height` at `hz0`, `width` wide in ln f.
double bump(double hz, double height, double hz0, double width) {
    const double x = std::log(hz / hz0) / width;
    return height * std::exp(-x * x);
}

TEST(Curve, HighestPointBetweenGridPointsAnywhere) {
    const std::vector<double> grid{10, 20, 40, 80, 160};
    struct Case {
        const char* name;
        double (*f)(double);
        double hz, value;  // the highest point
    };
    const Case cases[] = {
        // The grid's highest value is 1.10 at 80 Hz; the true peak, 1.5 at
        // 28 Hz, lies between 20 and 40 Hz, where the grid shows 1.096.
        {"far from the grid's top", [](double hz) { return bump(hz, 1.5, 28, 0.6) + bump(hz, 1.03, 80, 0.1); }, 28, 1.5},
        {"beside the grid's top", [](double hz) { return bump(hz, 2, 50, 0.6); }, 50, 2},
        {"at an end of the grid", [](double hz) { return hz; }, 160, 160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> v;
        for (double hz : grid) v.push_back(c.f(hz));
        const curve::Point p = curve::highest(grid, v, c.f);
        EXPECT_NEAR(p.hz, c.hz, c.hz * 1e-4);
        EXPECT_NEAR(p.value, c.value, 1e-6);
    }
}

}  // namespace
