// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest amplifier voltage at one frequency that keeps every limit,
// and which limit that is.

#include <cmath>
#include <limits>

#include "drive.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker {

/// A voltage and the limit that sets it.
struct Ceiling {
    double volts = 0;  ///< V rms
    Limit limit = Limit::drive;
};

class Ceilings {
public:
    explicit Ceilings(const Inputs& in) : values_(limit_values(in)) {}

    const LimitValues& values() const { return values_; }

    /// Without the filter, for the system's excursion and port air per
    /// volt at one frequency (Drive at 1 V). On a tie the first of
    /// amplifier, thermal, xmax and port is named.
    Ceiling without(const Sample& per_volt) const {
        Ceiling c{values_.amp_v, Limit::amplifier};
        if (values_.thermal_v) lower(c, *values_.thermal_v, Limit::thermal);
        if (per_volt.excursion_mm > 0) lower(c, values_.xmax_mm / per_volt.excursion_mm, Limit::xmax);
        if (values_.port_limit_ms && per_volt.port_velocity > 0)
            lower(c, *values_.port_limit_ms / per_volt.port_velocity, Limit::port);
        return c;
    }

    /// With the filter, full scale giving `full_scale` V there: that caps it
    /// too, and is named first on a tie.
    Ceiling with(const Sample& per_volt, double full_scale) const {
        const Ceiling limits = without(per_volt);
        return full_scale <= limits.volts ? Ceiling{full_scale, Limit::drive} : limits;
    }

private:
    static void lower(Ceiling& c, double volts, Limit limit) {
        if (volts < c.volts) c = {volts, limit};
    }

    LimitValues values_;
};

}  // namespace vandrel::speaker
