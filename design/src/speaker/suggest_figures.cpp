// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of a suggested design as built: at its nominal parts, and the
// worst of its tolerance corners.
#include <algorithm>
#include <cmath>

#include "curve.h"
#include "suggest_parts.h"
#include "vandrel/as_built/corners.h"

namespace vandrel::speaker::suggestion {
namespace {

struct Peaks {
    curve::Point excursion, port, amplifier;
};

Peaks peaks_of(search::Search& search, const as_built::PathParts& path) {
    const FilterShape shape(path);
    const double volts = search.inputs().volts;
    const Drive drive(search.system(), volts, &shape);
    const std::span<const double> hz = search.hz();
    std::vector<double> excursion(hz.size()), port(hz.size()), amplifier(hz.size());
    for (std::size_t i = 0; i < hz.size(); ++i) {
        const Sample s = drive.at(hz[i]);
        excursion[i] = s.excursion_mm;
        port[i] = s.port_velocity;
        amplifier[i] = volts * shape.relative(hz[i]);
    }
    Peaks p;
    p.excursion = curve::highest(hz, excursion, [&](double f) { return drive.at(f).excursion_mm; });
    if (search.system().has_port())
        p.port = curve::highest(hz, port, [&](double f) { return drive.at(f).port_velocity; });
    p.amplifier = curve::highest(hz, amplifier, [&](double f) { return volts * shape.relative(f); });
    return p;
}

}  // namespace

Design design_of(search::Search& search, int k, int q, const as_built::PathParts& path, const search::Eval& eval,
                 const std::string& parts) {
    Design d;
    d.mode = q == search::butterworth_q ? Mode::butterworth : Mode::sos;
    d.freq = k / 10.0;
    d.q = q / 1000.0;
    d.freq_text = tenths_text(k);
    d.q_text = q_text(q);
    d.f3 = eval.f3;
    d.parts = parts;
    d.path = path;
    const bool port = search.system().has_port();
    const Peaks nominal = peaks_of(search, path);
    d.peak_excursion_mm = nominal.excursion.value;
    d.peak_excursion_hz = nominal.excursion.hz;
    if (port) d.peak_port_velocity = nominal.port.value;
    d.peak_amplifier_v = nominal.amplifier.value;
    const as_built::PathFigures figures = as_built::path_figures(path);
    d.filter_peak_db = figures.peak_db;
    d.filter_peak_hz = figures.peak_hz;

    d.corner_peak_excursion_mm = d.peak_excursion_mm;
    d.corner_peak_port_velocity = d.peak_port_velocity;
    d.corner_peak_amplifier_v = d.peak_amplifier_v;
    const as_built::Tolerance& tol = search.tolerance();
    if (tol.r_pct > 0 || tol.c_pct > 0)
        for (const as_built::PathParts& corner : as_built::tolerance_corners(path, tol.r_pct, tol.c_pct)) {
            const Peaks c = peaks_of(search, corner);
            d.corner_peak_excursion_mm = std::max(d.corner_peak_excursion_mm, c.excursion.value);
            if (port) d.corner_peak_port_velocity = std::max(*d.corner_peak_port_velocity, c.port.value);
            d.corner_peak_amplifier_v = std::max(d.corner_peak_amplifier_v, c.amplifier.value);
        }
    // The limit it comes closest to, at its worst corner.
    const LimitValues& l = search.limits();
    const auto closer = [&](double ratio, Limit limit) {
        if (ratio > d.binding_ratio) {
            d.binding_ratio = ratio;
            d.binding = limit;
        }
    };
    closer(d.corner_peak_excursion_mm / l.xmax_mm, Limit::xmax);
    closer(d.corner_peak_amplifier_v / (l.amp_v * std::pow(10.0, amplifier_tolerance_db / 20)), Limit::amplifier);
    if (l.thermal_v) closer(d.corner_peak_amplifier_v / *l.thermal_v, Limit::thermal);
    if (l.port_limit_ms && d.corner_peak_port_velocity) closer(*d.corner_peak_port_velocity / *l.port_limit_ms, Limit::port);
    return d;
}

}  // namespace vandrel::speaker::suggestion
