// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/circuit.h"

#include <cmath>
#include <numbers>

#include "../numeric/search.h"
#include "vandrel/graph.h"

namespace vandrel::as_built {
namespace {

constexpr double pi = std::numbers::pi;

// Angular frequency in rad/ms, the unit that kOhm times uF calls for.
double omega(double hz) { return 2 * pi * hz / 1000; }

// Where the path comes within 3 dB of its pass band from below, searched
// upwards from `from` Hz, where it is known to be at least 3 dB down.
std::optional<double> rise_through_3db(const PathResponse& path, double passband, double from) {
    const double half_power = passband * passband / 2;
    const auto above = [&](double ln_hz) { return path.power_gain(std::exp(ln_hz)) - half_power; };
    double lo = std::log(from);
    double hi = lo;
    constexpr double step = 0.05;              // 5 % in frequency
    const double last = std::log(1e6);          // far above any design
    double f_hi = above(hi);
    while (f_hi < 0) {
        lo = hi;
        if (hi > last) return std::nullopt;
        hi += step;
        f_hi = above(hi);
    }
    if (hi == lo) return std::exp(lo);
    // The sign change is bracketed: refined in ln f to 1E-13.
    return std::exp(numeric::zero_crossing(above, lo, above(lo), hi, f_hi, 1e-13));
}

}  // namespace

PathResponse::PathResponse(const PathParts& p)
    : tau_in_(p.r_in * p.c_in),
      gain_(p.r1 ? 1 + p.r_feedback / *p.r1 : 1),
      tau_f_(p.r_feedback * p.c_feedback),
      w0_sq_(1 / (p.c1 * p.c2 * p.r3 * p.r4)),
      a_((p.c1 + p.c2) / (p.c1 * p.c2 * p.r4)),
      divider_(p.load / (p.load + p.r_out)) {}

// The path's transfer function is a product: input coupling
// s tau_in / (1 + s tau_in), buffer (gain + s tau_f) / (1 + s tau_f),
// section s^2 / (s^2 + a s + w0^2), and the output divider.
double PathResponse::power_gain(double hz) const {
    const double w = omega(hz);
    const double x_in_sq = w * w * tau_in_ * tau_in_;
    const double x_f_sq = w * w * tau_f_ * tau_f_;
    const double w_sq = w * w;
    const double d = w0_sq_ - w_sq;
    // One division for the three factors.
    const double numerator = x_in_sq * (gain_ * gain_ + x_f_sq) * (w_sq * w_sq);
    const double denominator = (1 + x_in_sq) * (1 + x_f_sq) * (d * d + w_sq * a_ * a_);
    return numerator / denominator * (divider_ * divider_);
}

// Minus the slope of each factor's phase, added up.
double PathResponse::group_delay_ms(double hz) const {
    const double w = omega(hz);
    const double x_in = w * tau_in_;
    const double coupling = tau_in_ / (1 + x_in * x_in);
    const double x_f = w * tau_f_;
    const double buffer = tau_f_ / (1 + x_f * x_f) - gain_ * tau_f_ / (gain_ * gain_ + x_f * x_f);
    const double w_sq = w * w;
    const double d = w0_sq_ - w_sq;
    const double section = a_ * (w0_sq_ + w_sq) / (d * d + w_sq * a_ * a_);
    return coupling + buffer + section;
}

Section section_of(const PathParts& p) {
    const double product = p.c1 * p.c2 * p.r3 * p.r4;
    const double w0 = 1 / std::sqrt(product);
    return {w0 * 1000 / (2 * pi), w0 * p.c1 * p.c2 * p.r4 / (p.c1 + p.c2)};
}

SectionFigures section_figures(Section s) {
    const double qq = s.q * s.q;
    SectionFigures out;
    out.f0 = s.f0;
    out.q = s.q;
    out.f3 = s.f0 * std::sqrt((1 / (2 * qq) - 1) + std::sqrt(2 - 1 / qq + 1 / (4 * qq * qq)));
    if (2 * qq > 1) {
        // Just above Q 1/sqrt(2) the height rounds to 0 dB or below: no peak.
        const double height = -10 * std::log10(1 / qq - 1 / (4 * qq * qq));
        if (height > 0) {
            out.peak_hz = s.f0 / std::sqrt(1 - 1 / (2 * qq));
            out.peak_db = height;
        }
    }
    return out;
}

double section_level_db(Section s, double hz) { return response_level_db(hz, s.f0, s.q); }

double path_passband_gain(const PathParts& p) {
    const double buffer = p.r1 ? 1 + p.r_feedback / *p.r1 : 1;
    return buffer * p.load / (p.load + p.r_out);
}

double path_power_gain(const PathParts& p, double hz) { return PathResponse(p).power_gain(hz); }

double path_level_db(const PathParts& p, double hz) { return 10 * std::log10(path_power_gain(p, hz)); }

double path_group_delay_ms(const PathParts& p, double hz) { return PathResponse(p).group_delay_ms(hz); }

std::optional<double> path_f3(const PathParts& p) {
    // Every stage but the section stays at or below its pass band, so the
    // path is at least 3 dB down at the section's own f3.
    return rise_through_3db(PathResponse(p), path_passband_gain(p), section_figures(section_of(p)).f3);
}

PathFigures path_figures(const PathParts& p) {
    const PathResponse fs(p);
    const double passband = path_passband_gain(p);
    PathFigures out;
    out.gain_db = 20 * std::log10(passband);
    out.f3 = rise_through_3db(fs, passband, section_figures(section_of(p)).f3);

    // The highest level: the best of 50 points a decade from 0.01 Hz to
    // 1 MHz, then refined between its neighbours.
    const auto level = [&](double ln_hz) { return fs.power_gain(std::exp(ln_hz)); };
    constexpr int per_decade = 50;
    const double step = std::log(10.0) / per_decade;
    const double first = std::log(0.01);
    constexpr int points = 8 * per_decade;
    int best = 0;
    double best_level = level(first);
    for (int i = 1; i <= points; ++i) {
        const double l = level(first + i * step);
        if (l > best_level) {
            best = i;
            best_level = l;
        }
    }
    const double ln_peak = numeric::golden_max(level, first + (best - 1) * step, first + (best + 1) * step, 1e-12);
    const double height = 10 * std::log10(level(ln_peak) / (passband * passband));
    if (height > 0) {
        out.peak_hz = std::exp(ln_peak);
        out.peak_db = height;
    }
    for (std::size_t i = 0; i < group_delay_hz.size(); ++i)
        out.group_delay_ms[i] = fs.group_delay_ms(group_delay_hz[i]);
    return out;
}

}  // namespace vandrel::as_built
