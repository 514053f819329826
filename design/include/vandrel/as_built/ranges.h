// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values that parts come in, and where they are common. A design
// outside the first cannot be built; one outside the second can, with a
// warning.

#include <optional>
#include <stdexcept>
#include <string>

namespace vandrel::as_built {

/// The parts cannot make a filter: one of them would be 0 kOhm, as a small
/// R3 shown cut down to "0k" is, or beyond the values parts come in.
class UnbuildableParts : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A range of values, with the words that name its ends.
struct Range {
    double low = 0;
    double high = 0;
    const char* words = "";  ///< "1 Ohm to 1 GOhm"
    bool holds(double v) const { return v >= low && v <= high; }
};

/// Resistors that exist: 1 Ohm to 1 GOhm, in kOhm.
inline constexpr Range resistors_made{1e-3, 1e6, "1 Ohm to 1 GOhm"};
/// Where film resistors are common and an op-amp stage behaves: 10 Ohm to 10 MOhm, in kOhm.
inline constexpr Range resistors_common{1e-2, 1e4, "10 Ohm to 10 MOhm"};
/// Capacitors that exist: 1 pF to 10,000 uF, in uF.
inline constexpr Range capacitors_made{1e-6, 1e4, "1 pF to 10000 uF"};
/// Where film capacitors are common: 100 pF to 10 uF, in uF.
inline constexpr Range capacitors_common{1e-4, 10, "100 pF to 10 uF"};

/// Throws UnbuildableParts unless `name`'s value `v` (kOhm, or uF for the
/// capacitor) is one that parts come in.
void require_made(const char* name, double v, bool capacitor);

/// A warning for `name`'s value `v` outside the common range, or none.
std::optional<std::string> uncommon_value(const char* name, double v, bool capacitor);

}  // namespace vandrel::as_built
