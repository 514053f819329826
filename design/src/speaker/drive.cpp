// SPDX-License-Identifier: GPL-3.0-or-later
#include "drive.h"

#include <cmath>
#include <stdexcept>

namespace vandrel::speaker {
namespace {

const as_built::PathParts& checked(const as_built::PathParts& p) {
    for (double v : {p.c_in, p.r_in, p.r_feedback, p.c_feedback, p.c1, p.c2, p.r3, p.r4, p.r_out, p.load})
        if (!(v > 0) || !std::isfinite(v)) throw std::invalid_argument("every part of the filter must be above 0");
    if (p.r1 && (!(*p.r1 > 0) || !std::isfinite(*p.r1)))
        throw std::invalid_argument("every part of the filter must be above 0");
    return p;
}

}  // namespace

FilterShape::FilterShape(const as_built::PathParts& parts)
    : path_(checked(parts)), gain_(as_built::path_passband_gain(parts)) {
    if (!(gain_ > 0) || !std::isfinite(gain_) || !std::isfinite(path_.power_gain(1)) ||
        !std::isfinite(path_.power_gain(1000)))
        throw std::invalid_argument("the filter's response lies beyond the range of the calculation");
}

double FilterShape::relative_db(double hz) const {
    return 10 * std::log10(path_.power_gain(hz)) - 20 * std::log10(gain_);
}

Drive::Drive(const System& system, double volts, const FilterShape* filter)
    : system_(system), volts_(volts), filter_(filter) {
    if (!(volts > 0) || !std::isfinite(volts))
        throw std::invalid_argument("the drive must be a finite number of volts above 0");
}

Sample Drive::at(double hz) const {
    const Flows f = system_.flows(hz);
    const double v = filter_ ? volts_ * filter_->relative(hz) : volts_;
    return {system_.pressure(hz, f) * v, system_.excursion_mm(hz, f) * v, system_.port_velocity(f) * v};
}

}  // namespace vandrel::speaker
