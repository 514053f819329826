// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding things on a curve known at grid frequencies and computable
// anywhere between them: its highest point, where it rises through a level,
// the highest frequency above a level. Each is looked for on the grid, then
// refined on the curve itself in ln f.

#include <cmath>
#include <cstddef>
#include <optional>
#include <span>

namespace vandrel::speaker::curve {

struct Point {
    double hz = 0;
    double value = 0;
};

// Where in [lo, hi] (ln Hz) the unimodal g is highest, to 1E-9 in ln f.
template <class G>
Point golden_max(G g, double lo, double hi) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double x1 = hi - r * (hi - lo), x2 = lo + r * (hi - lo);
    double g1 = g(x1), g2 = g(x2);
    for (int i = 0; i < 100 && hi - lo > 1e-9; ++i) {
        if (g1 < g2) {
            lo = x1;
            x1 = x2;
            g1 = g2;
            x2 = lo + r * (hi - lo);
            g2 = g(x2);
        } else {
            hi = x2;
            x2 = x1;
            g2 = g1;
            x1 = hi - r * (hi - lo);
            g1 = g(x1);
        }
    }
    return g1 >= g2 ? Point{std::exp(x1), g1} : Point{std::exp(x2), g2};
}

// Where g (of ln Hz) crosses 0 in [lo, hi], given g(lo) and g(hi) of
// opposite signs: Illinois false position.
template <class G>
double crossing(G g, double lo, double g_lo, double hi, double g_hi) {
    int side = 0;
    for (int i = 0; i < 100 && hi - lo > 1e-12; ++i) {
        const double x = hi - g_hi * (hi - lo) / (g_hi - g_lo);
        const double gx = g(x);
        if (gx == 0) return std::exp(x);
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
    return std::exp((lo + hi) / 2);
}

// The local maximum of f between grid points i - 1 and i + 1 (an end point
// where it is highest at an end of the grid).
template <class F>
Point refine_max(std::span<const double> hz, std::span<const double> v, std::size_t i, F f) {
    if (i == 0 || i + 1 == hz.size()) return {hz[i], v[i]};
    const Point p = golden_max([&](double x) { return f(std::exp(x)); }, std::log(hz[i - 1]), std::log(hz[i + 1]));
    return p.value > v[i] ? p : Point{hz[i], v[i]};
}

// Whether grid point i is a local maximum.
inline bool local_max(std::span<const double> v, std::size_t i) {
    return (i == 0 || v[i] >= v[i - 1]) && (i + 1 == v.size() || v[i] >= v[i + 1]);
}

/// The highest point of f over the grid's range: every local maximum near
/// the grid's highest value refined.
template <class F>
Point highest(std::span<const double> hz, std::span<const double> v, F f) {
    std::size_t top = 0;
    for (std::size_t i = 1; i < v.size(); ++i)
        if (v[i] > v[top]) top = i;
    Point best{hz[top], v[top]};
    // Between grid points 1.2 % apart, a maximum rises well under 2 % above them.
    for (std::size_t i = 0; i < v.size(); ++i)
        if (local_max(v, i) && v[i] >= 0.98 * v[top]) {
            const Point p = refine_max(hz, v, i, f);
            if (p.value > best.value) best = p;
        }
    return best;
}

/// The highest frequency at which f, rising, crosses `level`: the last grid
/// interval where it goes from below to at or above it, refined. None when
/// it never does.
template <class F>
std::optional<double> rising_through(std::span<const double> hz, std::span<const double> v, double level, F f) {
    for (std::size_t i = v.size() - 1; i > 0; --i)
        if (v[i - 1] < level && v[i] >= level) {
            if (v[i] == level) return hz[i];
            const auto g = [&](double x) { return f(std::exp(x)) - level; };
            return crossing(g, std::log(hz[i - 1]), v[i - 1] - level, std::log(hz[i]), v[i] - level);
        }
    return std::nullopt;
}

/// The highest frequency in the grid's range at which f is above `level`,
/// refined; none when it never is.
template <class F>
std::optional<double> last_above(std::span<const double> hz, std::span<const double> v, double level, F f) {
    // The highest grid point above the level, or a maximum between grid
    // points above it.
    std::optional<Point> last;
    for (std::size_t i = v.size(); i-- > 0;) {
        if (v[i] > level) {
            last = Point{hz[i], v[i]};
            break;
        }
        if (local_max(v, i) && v[i] >= 0.98 * level) {
            const Point p = refine_max(hz, v, i, f);
            if (p.value > level) {
                last = p;
                break;
            }
        }
    }
    if (!last) return std::nullopt;
    if (last->hz >= hz.back()) return hz.back();
    // The next grid point above it is at or below the level.
    std::size_t next = 0;
    while (hz[next] <= last->hz) ++next;
    const auto g = [&](double x) { return f(std::exp(x)) - level; };
    return crossing(g, std::log(last->hz), last->value - level, std::log(hz[next]), v[next] - level);
}

}  // namespace vandrel::speaker::curve
