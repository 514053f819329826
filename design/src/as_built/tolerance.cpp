// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/tolerance.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vandrel::as_built {
namespace {

// SplitMix64: a small generator whose sequence is the same on every
// platform, unlike the distributions of the standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    /// Uniform in [-1, 1).
    double symmetric() {
        state_ += 0x9E3779B97F4A7C15u;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-52 - 1;
    }

private:
    std::uint64_t state_;
};

// The quantiles ps (0 to 1, falling) of `values`, which it reorders; each
// is interpolated linearly between its two neighbouring order statistics.
// Each selection narrows the range of the next, lower one.
template <std::size_t N>
std::array<double, N> quantiles(std::vector<double>& values, const std::array<double, N>& ps) {
    std::array<double, N> out{};
    auto end = values.end();
    for (std::size_t i = 0; i < N; ++i) {
        const double position = ps[i] * static_cast<double>(values.size() - 1);
        const auto below = values.begin() + static_cast<std::ptrdiff_t>(position);
        std::nth_element(values.begin(), below, end);
        const double low = *below;
        const double high = below + 1 == end ? low : *std::min_element(below + 1, end);
        out[i] = low + (position - std::floor(position)) * (high - low);
        end = below + 1;
    }
    return out;
}

Spread spread(std::vector<double>& values) {
    const auto [p95, p50, p5] = quantiles(values, std::array{0.95, 0.50, 0.05});
    return {p5, p50, p95};
}

}  // namespace

std::vector<PathParts> tolerance_runs(const PartsList& parts, double load_kohm, const Tolerance& tolerance) {
    const PathParts nominal = path_of(parts, load_kohm);
    const double rt = tolerance.r_pct / 100, ct = tolerance.c_pct / 100;
    Random random(tolerance.seed);
    const auto off = [&](double value, double tol) { return value * (1 + tol * random.symmetric()); };
    const auto resistor = [&](const Resistor& r) {
        std::vector<double> drawn;
        for (double part : r.chosen) drawn.push_back(off(part, rt));
        return combined_value(drawn, r.combine);
    };

    std::vector<PathParts> runs(static_cast<std::size_t>(std::max(tolerance.runs, 0)), nominal);
    for (PathParts& p : runs) {
        p.c_in = off(nominal.c_in, ct);
        p.r_in = off(nominal.r_in, rt);
        if (parts.r1) p.r1 = resistor(*parts.r1);
        p.r_feedback = off(nominal.r_feedback, rt);
        p.c_feedback = off(nominal.c_feedback, ct);
        p.c1 = off(nominal.c1, ct);
        p.c2 = off(nominal.c2, ct);
        p.r3 = resistor(parts.r3);
        p.r4 = resistor(parts.r4);
        p.r_out = off(nominal.r_out, rt);
    }
    return runs;
}

ToleranceFigures tolerance_figures(std::span<const PathParts> runs) {
    std::vector<double> section_f3, path_f3s, peak;
    section_f3.reserve(runs.size());
    path_f3s.reserve(runs.size());
    peak.reserve(runs.size());
    for (const PathParts& p : runs) {
        const SectionFigures s = section_figures(section_of(p));
        section_f3.push_back(s.f3);
        peak.push_back(s.peak_db);
        if (const auto f3 = path_f3(p)) path_f3s.push_back(*f3);
    }
    ToleranceFigures out;
    if (runs.empty()) return out;
    out.section_f3 = spread(section_f3);
    out.peak_db = spread(peak);
    out.path_f3_runs = static_cast<int>(path_f3s.size());
    if (!path_f3s.empty()) out.path_f3 = spread(path_f3s);
    return out;
}

std::vector<Band> tolerance_band(std::span<const PathParts> runs, std::span<const double> hz) {
    std::vector<Band> out;
    if (runs.empty()) return out;
    const std::vector<PathResponse> responses(runs.begin(), runs.end());
    std::vector<double> levels(runs.size());
    for (double f : hz) {
        for (std::size_t i = 0; i < runs.size(); ++i) levels[i] = responses[i].power_gain(f);
        const auto [high, low] = quantiles(levels, std::array{0.95, 0.05});
        out.push_back({10 * std::log10(low), 10 * std::log10(high)});
    }
    return out;
}

}  // namespace vandrel::as_built
