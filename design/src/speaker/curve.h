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

#include "../numeric/search.h"

namespace vandrel::speaker::curve {

struct Point {
    double hz = 0;
    double value = 0;
};

// The local maximum of f between grid points i - 1 and i + 1 (an end point
// where it is highest at an end of the grid).
template <class F>
Point refine_max(std::span<const double> hz, std::span<const double> v, std::size_t i, F f) {
    if (i == 0 || i + 1 == hz.size()) return {hz[i], v[i]};
    const auto g = [&](double x) { return f(std::exp(x)); };
    const double x = numeric::golden_max(g, std::log(hz[i - 1]), std::log(hz[i + 1]), 1e-9);
    const Point p{std::exp(x), g(x)};
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
            return std::exp(numeric::zero_crossing(g, std::log(hz[i - 1]), v[i - 1] - level, std::log(hz[i]),
                                                       v[i] - level, 1e-12));
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
    return std::exp(numeric::zero_crossing(g, std::log(last->hz), last->value - level, std::log(hz[next]),
                                           v[next] - level, 1e-12));
}

}  // namespace vandrel::speaker::curve
