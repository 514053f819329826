// SPDX-License-Identifier: GPL-3.0-or-later
#include "loudest.h"

#include <cmath>

#include "ceilings.h"
#include "curve.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using texts::figure;

// A voltage through the filter may reach the amplifier's most by this
// ratio before it is reported as past it.
const double amplifier_allowance = std::pow(10.0, amplifier_tolerance_db / 20);

}  // namespace

double amplifier_volts(const Inputs& in) { return in.amp_volts.value_or(in.volts); }

LimitValues limit_values(const Inputs& in) {
    LimitValues v;
    v.amp_v = amplifier_volts(in);
    v.pe_w = in.driver.pe;
    if (in.driver.pe) v.thermal_v = thermal_volts(*in.driver.pe, in.driver.re);
    v.xmax_mm = in.driver.xmax;
    if (in.box.type == Box::Type::vented && in.box.port_diameter) v.port_limit_ms = in.port_limit;
    return v;
}

std::vector<LimitStretch> limit_stretches(std::span<const double> hz, std::span<const Limit> limits) {
    std::vector<LimitStretch> out;
    for (std::size_t i = 0; i < limits.size() && i < hz.size(); ++i) {
        if (out.empty() || out.back().limit != limits[i])
            out.push_back({hz[i], hz[i], limits[i]});
        else
            out.back().to_hz = hz[i];
    }
    return out;
}

void add_loudest(Analysis& out, const Inputs& in, const System& system, const FilterShape& shape) {
    const Ceilings ceilings(in);
    const LimitValues& v = ceilings.values();
    out.limits = v;
    const Drive per_volt(system, 1, nullptr);
    const std::size_t n = out.hz.size();
    out.max_spl_db.resize(n);
    out.max_spl_limit.resize(n);
    out.max_spl_filtered_db.resize(n);
    out.max_spl_filtered_limit.resize(n);
    out.amplifier_v_filtered.resize(n);
    out.full_scale_beyond.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Sample s = per_volt.at(out.hz[i]);
        const double full_scale = in.volts * shape.relative(out.hz[i]);
        const Ceiling plain = ceilings.without(s);
        const Ceiling filtered = ceilings.with(s, full_scale);
        out.max_spl_db[i] = spl_db(s.pressure * plain.volts);
        out.max_spl_limit[i] = plain.limit;
        out.max_spl_filtered_db[i] = spl_db(s.pressure * filtered.volts);
        out.max_spl_filtered_limit[i] = filtered.limit;
        out.amplifier_v_filtered[i] = full_scale;
        out.full_scale_beyond[i] = filtered.limit != Limit::drive;
    }
    for (std::size_t i = 0; i < level_hz.size(); ++i) {
        const double hz = level_hz[i];
        const Sample s = per_volt.at(hz);
        const Ceiling plain = ceilings.without(s);
        const Ceiling filtered = ceilings.with(s, in.volts * shape.relative(hz));
        out.max_spl.db_at[i] = spl_db(s.pressure * plain.volts);
        out.max_spl.limit_at[i] = plain.limit;
        out.max_spl.filtered_db_at[i] = spl_db(s.pressure * filtered.volts);
        out.max_spl.filtered_limit_at[i] = filtered.limit;
        out.max_spl.lost_db_at[i] = out.max_spl.db_at[i] - out.max_spl.filtered_db_at[i];
    }

    // What full scale through the filter asks of the amplifier at its highest.
    const curve::Point top = curve::highest(out.hz, out.amplifier_v_filtered,
                                            [&](double hz) { return in.volts * shape.relative(hz); });
    const std::string where = " at " + figure(top.hz, 3) + " Hz";
    if (top.value > v.amp_v * amplifier_allowance)
        out.warnings.push_back({"amp-volts", "with the filter full scale asks the amplifier for " +
                                                 figure(top.value, 3) + " V" + where + ", beyond its most of " +
                                                 figure(v.amp_v, 3) + " V"});
    if (v.thermal_v && in.volts > *v.thermal_v)
        out.warnings.push_back({"pe", "the drive puts " + figure(in.volts * in.volts / in.driver.re, 3) +
                                          " W into Re, beyond the voice coil's pe of " + figure(*v.pe_w, 3) + " W"});
    else if (v.thermal_v && top.value > *v.thermal_v)
        out.warnings.push_back({"pe", "with the filter full scale puts " +
                                          figure(top.value * top.value / in.driver.re, 3) + " W into Re" + where +
                                          ", beyond the voice coil's pe of " + figure(*v.pe_w, 3) + " W"});
}

}  // namespace vandrel::speaker
