// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/analysis.h"

#include <cmath>
#include <stdexcept>

#include "curve.h"
#include "drive.h"
#include "loudest.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using texts::figure;

DriveFigures figures(const Drive& drive, std::span<const double> hz, std::span<const double> pressure,
                     std::span<const double> excursion, std::span<const double> port) {
    DriveFigures out;
    const double level = drive.passband_pressure() / std::sqrt(std::pow(10.0, 0.3));
    out.f3 = curve::rising_through(hz, pressure, level, [&](double f) { return drive.at(f).pressure; });
    for (std::size_t i = 0; i < level_hz.size(); ++i) out.spl_db_at[i] = spl_db(drive.at(level_hz[i]).pressure);
    const curve::Point peak = curve::highest(hz, excursion, [&](double f) { return drive.at(f).excursion_mm; });
    out.peak_excursion_mm = peak.value;
    out.peak_excursion_hz = peak.hz;
    if (!port.empty()) {
        const curve::Point p = curve::highest(hz, port, [&](double f) { return drive.at(f).port_velocity; });
        out.peak_port_velocity = p.value;
        out.peak_port_hz = p.hz;
    }
    return out;
}

std::vector<double> spl_of(const std::vector<double>& pressure) {
    std::vector<double> out(pressure.size());
    for (std::size_t i = 0; i < pressure.size(); ++i) out[i] = spl_db(pressure[i]);
    return out;
}

void port_warning(const DriveFigures& d, const char* which, double limit, std::vector<Issue>& warnings) {
    if (d.peak_port_velocity && *d.peak_port_velocity > limit)
        warnings.push_back({"port-diameter", "the port's air reaches " + figure(*d.peak_port_velocity, 3) +
                                                 " m/s at " + figure(*d.peak_port_hz, 3) + " Hz " + which +
                                                 (limit == audible_port_velocity
                                                      ? std::string(", where ports are heard (above 17 m/s)")
                                                      : ", above its limit of " + figure(limit, 3) + " m/s")});
}

}  // namespace

std::span<const double> grid_hz() {
    static const std::vector<double> hz = [] {
        std::vector<double> out(grid_points);
        for (int i = 0; i < grid_points; ++i) out[i] = std::pow(10.0, static_cast<double>(i) / 200);
        return out;
    }();
    return hz;
}

Analysis analyse(const Inputs& in, const Measurement* measurement) {
    const System system(in.driver, in.box);
    const Drive plain(system, in.volts, nullptr);
    const FilterShape shape(in.filter);
    const Drive filtered(system, in.volts, &shape);

    Analysis out;
    out.volts = in.volts;
    out.passband_spl_db = spl_db(plain.passband_pressure());
    const std::span<const double> hz = grid_hz();
    out.hz.assign(hz.begin(), hz.end());
    const std::size_t n = hz.size();
    std::vector<double> pressure(n), pressure_f(n);
    out.excursion_mm.resize(n);
    out.excursion_filtered_mm.resize(n);
    if (system.has_port()) {
        out.port_velocity.resize(n);
        out.port_velocity_filtered.resize(n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Sample s = plain.at(hz[i]);
        const double h = shape.relative(hz[i]);
        pressure[i] = s.pressure;
        pressure_f[i] = s.pressure * h;
        out.excursion_mm[i] = s.excursion_mm;
        out.excursion_filtered_mm[i] = s.excursion_mm * h;
        if (system.has_port()) {
            out.port_velocity[i] = s.port_velocity;
            out.port_velocity_filtered[i] = s.port_velocity * h;
        }
    }
    out.spl_db = spl_of(pressure);
    out.spl_filtered_db = spl_of(pressure_f);

    out.without_filter = figures(plain, hz, pressure, out.excursion_mm, out.port_velocity);
    out.with_filter = figures(filtered, hz, pressure_f, out.excursion_filtered_mm, out.port_velocity_filtered);
    out.unsafe_below_hz = curve::last_above(hz, out.excursion_filtered_mm, in.driver.xmax,
                                            [&](double f) { return filtered.at(f).excursion_mm; });

    if (out.unsafe_below_hz)
        out.warnings.push_back({"xmax", "with the filter the cone goes beyond xmax (" + figure(in.driver.xmax, 3) +
                                            " mm) up to " + figure(*out.unsafe_below_hz, 3) + " Hz, reaching " +
                                            figure(out.with_filter.peak_excursion_mm, 3) + " mm at " +
                                            figure(out.with_filter.peak_excursion_hz, 3) + " Hz"});
    port_warning(out.with_filter, "with the filter", in.port_limit, out.warnings);
    port_warning(out.without_filter, "without the filter", in.port_limit, out.warnings);
    add_loudest(out, in, system, shape);
    out.port = port_fit(in.box);
    if (out.port) out.warnings.insert(out.warnings.end(), out.port->warnings.begin(), out.port->warnings.end());

    if (measurement) {
        out.measured_db = measured_at(*measurement, hz);
        out.measured_filtered_db.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            if (out.measured_db[i]) out.measured_filtered_db[i] = *out.measured_db[i] + shape.relative_db(hz[i]);
    }
    return out;
}

}  // namespace vandrel::speaker
