// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/inputs.h"

#include <cmath>

#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using texts::figure;

std::string with_unit(double v, const Limits& r) {
    return figure(v, 6) + (*r.unit ? std::string(" ") + r.unit : std::string());
}

// Adds an error or a warning about `v` as its range says.
void check(double v, const Limits& r, std::vector<Issue>& errors, std::vector<Issue>& warnings) {
    const std::string name = r.name;
    if (!std::isfinite(v)) {
        errors.push_back({name, name + " must be a finite number"});
    } else if (r.zero_allowed ? v < 0 : !(v > 0)) {
        errors.push_back({name, name + " must be " + (r.zero_allowed ? "at least 0" : "above 0") +
                                    (*r.unit ? std::string(" ") + r.unit : std::string()) + " (it is " +
                                    figure(v, 6) + ")"});
    } else if (v < r.lo && !(r.zero_allowed && v == 0)) {
        errors.push_back({name, name + " of " + with_unit(v, r) + " is too small for anything real (at least " +
                                    with_unit(r.lo, r) + ")"});
    } else if (v > r.hi) {
        errors.push_back({name, name + " of " + with_unit(v, r) + " is too large for anything real (at most " +
                                    with_unit(r.hi, r) + ")"});
    } else if (v < r.usual_lo || v > r.usual_hi) {
        warnings.push_back({name, name + " of " + with_unit(v, r) + " is unusual for a subwoofer (usually " +
                                      figure(r.usual_lo, 6) + " to " + with_unit(r.usual_hi, r) + ")"});
    }
}

void require(const std::optional<double>& v, const Limits& r, std::vector<Issue>& errors,
             std::vector<Issue>& warnings) {
    if (v)
        check(*v, r, errors, warnings);
    else
        errors.push_back({r.name, std::string(r.name) + " is missing"});
}

// The Q that, in parallel with `part`, gives `total` (below `part`).
double other_q(double total, double part) { return 1 / (1 / total - 1 / part); }

}  // namespace

Checked<Driver> check_driver(const DriverValues& v) {
    Checked<Driver> out;
    auto& errors = out.errors;
    auto& warnings = out.warnings;
    require(v.fs, fs_limits, errors, warnings);
    require(v.vas, vas_limits, errors, warnings);
    require(v.re, re_limits, errors, warnings);
    require(v.sd, sd_limits, errors, warnings);
    require(v.xmax, xmax_limits, errors, warnings);
    if (v.le) check(*v.le, le_limits, errors, warnings);
    if (v.pe) check(*v.pe, pe_limits, errors, warnings);
    if (v.qes) check(*v.qes, qes_limits, errors, warnings);
    if (v.qms) check(*v.qms, qms_limits, errors, warnings);
    if (v.qts) check(*v.qts, qts_limits, errors, warnings);
    if (!v.qes && !v.qts) errors.push_back({"qes", "qes (or qts) is missing"});
    if (!errors.empty()) return out;

    // The electrical and mechanical Q from whichever two are given.
    std::optional<double> qes = v.qes, qms = v.qms;
    if (v.qes && v.qms) {
        if (v.qts) {
            const double qts = *v.qes * *v.qms / (*v.qes + *v.qms);
            if (std::abs(*v.qts / qts - 1) > 0.01)
                warnings.push_back({"qts", "qts " + figure(*v.qts) + " does not match qes and qms, which give " +
                                               figure(qts) + "; qes and qms are used"});
        }
    } else if (v.qes && v.qts) {
        if (*v.qts > *v.qes)
            errors.push_back({"qts", "qts " + figure(*v.qts, 6) + " cannot be above qes " + figure(*v.qes, 6)});
        else if (*v.qts < *v.qes)
            qms = other_q(*v.qts, *v.qes);
    } else if (v.qms && v.qts) {
        if (!(*v.qts < *v.qms))
            errors.push_back({"qts", "qts " + figure(*v.qts, 6) + " must be below qms " + figure(*v.qms, 6)});
        else
            qes = other_q(*v.qts, *v.qms);
    } else if (v.qts) {
        qes = v.qts;
    }
    // A Q worked out from two others must itself be one that can exist.
    if (errors.empty() && !v.qes) check(*qes, qes_limits, errors, warnings);
    if (errors.empty() && qms && !v.qms) check(*qms, qms_limits, errors, warnings);
    if (!errors.empty()) return out;

    out.value = Driver{v.name, *v.fs, *qes, qms, *v.vas, *v.re, *v.sd, *v.xmax, v.le.value_or(0), v.pe};
    return out;
}

Checked<Box> check_box(const Box& box) {
    Checked<Box> out;
    check(box.vb, vb_limits, out.errors, out.warnings);
    if (box.type == Box::Type::vented) {
        check(box.fb, fb_limits, out.errors, out.warnings);
        if (box.port_diameter) check(*box.port_diameter, port_limits, out.errors, out.warnings);
    } else if (box.port_diameter) {
        out.errors.push_back({"port-diameter", "a sealed box has no port"});
    }
    if (box.ql) check(*box.ql, ql_limits, out.errors, out.warnings);
    if (out.errors.empty()) out.value = box;
    return out;
}

Checked<double> check_volts(double volts) {
    Checked<double> out;
    check(volts, volts_limits, out.errors, out.warnings);
    if (out.errors.empty()) out.value = volts;
    return out;
}

Checked<double> volts_from_watts(double watts, double re_ohm) {
    Checked<double> out;
    check(watts, watts_limits, out.errors, out.warnings);
    if (out.errors.empty()) {
        if (!(re_ohm > 0) || !std::isfinite(re_ohm))
            out.errors.push_back({"re", "re must be above 0 ohms to turn watts into volts"});
        else
            out.value = std::sqrt(watts * re_ohm);
    }
    // The volts they give meet the limits that volts given as such meet.
    if (out.value && !check_volts(*out.value).errors.empty()) {
        out.errors.push_back({"watts", "watts of " + with_unit(watts, watts_limits) + " into " +
                                           with_unit(re_ohm, re_limits) + " would take " +
                                           with_unit(*out.value, volts_limits) + ", beyond anything real (at most " +
                                           with_unit(volts_limits.hi, volts_limits) + ")"});
        out.value.reset();
    }
    return out;
}

std::vector<Issue> driver_errors(const Driver& d) {
    DriverValues v{d.name, d.fs, d.qes, d.qms, std::nullopt, d.vas, d.re, d.sd, d.xmax, d.le, d.pe};
    return check_driver(v).errors;
}

std::vector<Issue> box_errors(const Box& box) { return check_box(box).errors; }

}  // namespace vandrel::speaker
