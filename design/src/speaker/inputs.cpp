// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/inputs.h"

#include <cmath>

#include "vandrel/as_built/parts_text.h"

namespace vandrel::speaker {
namespace {

using as_built::figure;

// What a value may be (lo to hi; anything else cannot exist or is absurd)
// and what it usually is for a subwoofer (usual_lo to usual_hi).
struct Range {
    const char* name;
    const char* unit;  // "" for a ratio
    double lo, hi;
    double usual_lo, usual_hi;
    bool zero_allowed = false;  // Le may be 0
};

constexpr Range fs_range{"fs", "Hz", 0.1, 20000, 10, 150};
constexpr Range qes_range{"qes", "", 0.01, 100, 0.15, 2};
constexpr Range qms_range{"qms", "", 0.1, 1000, 1, 30};
constexpr Range qts_range{"qts", "", 0.01, 100, 0.15, 1.5};
constexpr Range vas_range{"vas", "litres", 0.001, 100000, 5, 1000};
constexpr Range re_range{"re", "ohms", 0.01, 1000, 1, 16};
constexpr Range sd_range{"sd", "cm^2", 0.1, 100000, 100, 2500};
constexpr Range xmax_range{"xmax", "mm", 0.01, 1000, 2, 40};
constexpr Range le_range{"le", "mH", 0, 1000, 0, 10, true};
constexpr Range vb_range{"vb", "litres", 0.01, 100000, 5, 1000};
constexpr Range fb_range{"fb", "Hz", 0.1, 20000, 10, 100};
constexpr Range ql_range{"ql", "", 0.1, 1e6, 3, 100};
constexpr Range port_range{"port-diameter", "cm", 0.1, 1000, 2, 40};
constexpr Range volts_range{"volts", "V", 1e-6, 10000, 0.01, 200};
constexpr Range watts_range{"watts", "W", 1e-9, 1e7, 1e-4, 5000};

std::string with_unit(double v, const Range& r) {
    return figure(v, 6) + (*r.unit ? std::string(" ") + r.unit : std::string());
}

// Adds an error or a warning about `v` as its range says.
void check(double v, const Range& r, std::vector<Issue>& errors, std::vector<Issue>& warnings) {
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

void require(const std::optional<double>& v, const Range& r, std::vector<Issue>& errors,
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
    require(v.fs, fs_range, errors, warnings);
    require(v.vas, vas_range, errors, warnings);
    require(v.re, re_range, errors, warnings);
    require(v.sd, sd_range, errors, warnings);
    require(v.xmax, xmax_range, errors, warnings);
    if (v.le) check(*v.le, le_range, errors, warnings);
    if (v.qes) check(*v.qes, qes_range, errors, warnings);
    if (v.qms) check(*v.qms, qms_range, errors, warnings);
    if (v.qts) check(*v.qts, qts_range, errors, warnings);
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
    if (errors.empty() && !v.qes) check(*qes, qes_range, errors, warnings);
    if (errors.empty() && qms && !v.qms) check(*qms, qms_range, errors, warnings);
    if (!errors.empty()) return out;

    out.value = Driver{v.name, *v.fs, *qes, qms, *v.vas, *v.re, *v.sd, *v.xmax, v.le.value_or(0)};
    return out;
}

Checked<Box> check_box(const Box& box) {
    Checked<Box> out;
    check(box.vb, vb_range, out.errors, out.warnings);
    if (box.type == Box::Type::vented) {
        check(box.fb, fb_range, out.errors, out.warnings);
        if (box.port_diameter) check(*box.port_diameter, port_range, out.errors, out.warnings);
    } else if (box.port_diameter) {
        out.errors.push_back({"port-diameter", "a sealed box has no port"});
    }
    if (box.ql) check(*box.ql, ql_range, out.errors, out.warnings);
    if (out.errors.empty()) out.value = box;
    return out;
}

Checked<double> check_volts(double volts) {
    Checked<double> out;
    check(volts, volts_range, out.errors, out.warnings);
    if (out.errors.empty()) out.value = volts;
    return out;
}

Checked<double> volts_from_watts(double watts, double re_ohm) {
    Checked<double> out;
    check(watts, watts_range, out.errors, out.warnings);
    if (out.errors.empty()) {
        if (!(re_ohm > 0) || !std::isfinite(re_ohm))
            out.errors.push_back({"re", "re must be above 0 ohms to turn watts into volts"});
        else
            out.value = std::sqrt(watts * re_ohm);
    }
    return out;
}

std::vector<Issue> driver_errors(const Driver& d) {
    DriverValues v{d.name, d.fs, d.qes, d.qms, std::nullopt, d.vas, d.re, d.sd, d.xmax, d.le};
    return check_driver(v).errors;
}

std::vector<Issue> box_errors(const Box& box) { return check_box(box).errors; }

}  // namespace vandrel::speaker
