// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system at one drive, with or without the filter ahead of the
// amplifier: what it does at any frequency.

#include "vandrel/as_built/circuit.h"
#include "vandrel/speaker/system.h"

namespace vandrel::speaker {

/// The filter's level relative to its pass band, |H(f)| / G.
class FilterShape {
public:
    /// Throws std::invalid_argument for a part that is not a finite value above 0.
    explicit FilterShape(const as_built::PathParts& parts);
    /// |H(f)| / G at f Hz, a ratio.
    double relative(double hz) const { return std::sqrt(path_.power_gain(hz)) / gain_; }
    /// The same in dB.
    double relative_db(double hz) const;

private:
    as_built::PathResponse path_;
    double gain_;
};

/// What the system does at one frequency.
struct Sample {
    double pressure = 0;       ///< Pa rms at 1 m
    double excursion_mm = 0;   ///< mm peak
    double port_velocity = 0;  ///< m/s peak (0 without a port)
};

/// The system driven at V in the pass band, through a filter or not.
class Drive {
public:
    /// Throws std::invalid_argument for volts that are not a finite number above 0.
    Drive(const System& system, double volts, const FilterShape* filter);
    Sample at(double hz) const;
    /// Pass-band pressure at this drive, Pa.
    double passband_pressure() const { return system_.passband_pressure() * volts_; }

private:
    const System& system_;
    double volts_;
    const FilterShape* filter_;
};

}  // namespace vandrel::speaker
