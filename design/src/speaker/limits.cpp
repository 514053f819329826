// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/limits.h"

#include <cmath>

#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using texts::figure;

std::string with_unit(double v, const Limits& r) { return figure(v, 6) + " " + r.unit; }

// An error or a warning about `v` as its range says, in the words every
// other subwoofer input uses.
Checked<double> checked(double v, const Limits& r) {
    Checked<double> out;
    const std::string name = r.name;
    if (!std::isfinite(v))
        out.errors.push_back({name, name + " must be a finite number"});
    else if (!(v > 0))
        out.errors.push_back({name, name + " must be above 0 " + r.unit + " (it is " + figure(v, 6) + ")"});
    else if (v < r.lo)
        out.errors.push_back({name, name + " of " + with_unit(v, r) + " is too small for anything real (at least " +
                                        with_unit(r.lo, r) + ")"});
    else if (v > r.hi)
        out.errors.push_back({name, name + " of " + with_unit(v, r) + " is too large for anything real (at most " +
                                        with_unit(r.hi, r) + ")"});
    else if (v < r.usual_lo || v > r.usual_hi)
        out.warnings.push_back({name, name + " of " + with_unit(v, r) + " is unusual for a subwoofer (usually " +
                                          figure(r.usual_lo, 6) + " to " + with_unit(r.usual_hi, r) + ")"});
    if (out.errors.empty()) out.value = v;
    return out;
}

void below_drive(Checked<double>& c, const char* name, double drive_volts) {
    if (c.value && *c.value < drive_volts)
        c.warnings.push_back({name, std::string(name) + ": the amplifier's most, " + figure(*c.value, 4) +
                                        " V, is below the drive of " + figure(drive_volts, 4) +
                                        " V: full scale clips it in the pass band"});
}

}  // namespace

std::string_view limit_name(Limit limit) {
    switch (limit) {
    case Limit::drive: return "drive";
    case Limit::amplifier: return "amplifier";
    case Limit::thermal: return "thermal";
    case Limit::xmax: return "xmax";
    case Limit::port: return "port";
    }
    return "drive";
}

std::string_view limit_caption(Limit limit) {
    switch (limit) {
    case Limit::drive: return "full scale";
    case Limit::amplifier: return "amplifier";
    case Limit::thermal: return "Pe";
    case Limit::xmax: return "Xmax";
    case Limit::port: return "port air";
    }
    return "full scale";
}

Checked<double> check_amp_volts(double volts, double drive_volts) {
    Checked<double> out = checked(volts, amp_volts_limits);
    below_drive(out, amp_volts_limits.name, drive_volts);
    return out;
}

Checked<double> amp_volts_from_watts(double watts, double re_ohm, double drive_volts) {
    Checked<double> out = checked(watts, amp_watts_limits);
    if (!out.value) return out;
    if (!(re_ohm > 0) || !std::isfinite(re_ohm)) {
        out.value.reset();
        out.errors.push_back({"re", "re must be above 0 ohms to turn watts into volts"});
        return out;
    }
    out.value = std::sqrt(watts * re_ohm);
    below_drive(out, amp_watts_limits.name, drive_volts);
    return out;
}

Checked<double> check_port_limit(double metres_per_second) { return checked(metres_per_second, port_limit_limits); }

double thermal_volts(double pe_watts, double re_ohm) { return std::sqrt(pe_watts * re_ohm); }

}  // namespace vandrel::speaker
