// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The systems the subwoofer tests share. Their expected figures were worked
// out apart from this code, from the circuit's equations in complex
// arithmetic.

#include <cmath>
#include <limits>

#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker::test {

inline constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
inline constexpr double infinity = std::numeric_limits<double>::infinity();

// A 12-inch driver in a 70 L box tuned to 27 Hz with a 10 cm port.
inline Driver twelve_inch() { return {"twelve", 26, 0.48, 6.2, 68, 3.3, 480, 12.5, 1.6}; }
inline Box vented_70l() { return {Box::Type::vented, 70, 27, 7.0, 10.0}; }

// A 10-inch driver in a leaky 30 L sealed box.
inline Driver ten_inch() { return {"ten", 32, 0.55, 4.0, 40, 6.2, 330, 9, 0.8}; }
inline Box sealed_30l() { return {Box::Type::sealed, 30, 0, 10.0, std::nullopt}; }

// The whole path of the main window's start design (Butterworth, 17 Hz,
// 1 uF, 6 dB) with exact resistors, into 10k.
inline as_built::PathParts start_design_path() {
    as_built::PathParts p;
    const double xc = 1000 / (1.0 * (17 * 6.2831853));
    p.r1 = 15 / (std::pow(10.0, 6.0 / 20) - 1);
    p.r3 = xc / (0.707 * 2);
    p.r4 = xc * 2 * 0.707;
    return p;
}

inline Inputs inputs(Driver d, Box b, double volts) { return {std::move(d), b, volts, start_design_path()}; }

}  // namespace vandrel::speaker::test
