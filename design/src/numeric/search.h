// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One-dimensional searches the engine's libraries share: the top of a
// unimodal curve, and where a curve crosses zero. Each stops after 200
// steps whatever its inputs, so no curve can keep it going.

#include <cmath>

namespace vandrel::numeric {

/// Where in [lo, hi] the unimodal f is highest: golden-section search down
/// to a bracket `width` wide.
template <class F>
double golden_max(F f, double lo, double hi, double width) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double x1 = hi - r * (hi - lo), x2 = lo + r * (hi - lo);
    double f1 = f(x1), f2 = f(x2);
    for (int i = 0; i < 200 && hi - lo > width; ++i) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + r * (hi - lo);
            f2 = f(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - r * (hi - lo);
            f1 = f(x1);
        }
    }
    return (lo + hi) / 2;
}

/// Where g crosses 0 in [lo, hi], given g(lo) = g_lo and g(hi) = g_hi of
/// opposite signs: Illinois false position, down to a bracket `width` wide.
template <class G>
double zero_crossing(G g, double lo, double g_lo, double hi, double g_hi, double width) {
    int side = 0;
    for (int i = 0; i < 200 && hi - lo > width; ++i) {
        const double x = hi - g_hi * (hi - lo) / (g_hi - g_lo);
        const double gx = g(x);
        if (gx == 0) return x;
        if ((gx < 0) == (g_lo < 0)) {
            lo = x;
            g_lo = gx;
            if (side == -1) g_hi /= 2;
            side = -1;
        } else {
            hi = x;
            g_hi = gx;
            if (side == 1) g_lo /= 2;
            side = 1;
        }
    }
    return (lo + hi) / 2;
}

}  // namespace vandrel::numeric
