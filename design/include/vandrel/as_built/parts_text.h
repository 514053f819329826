// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter as built in words and figures for people: the texts that
// vandrel-solve prints and the Parts window shows. Numbers use "." whatever
// the locale, never more than six significant digits and never "-0"; units
// are written µF, Ω, kΩ and MΩ, after a space, in UTF-8.

#include <optional>
#include <string>

#include "vandrel/as_built/report.h"

namespace vandrel::as_built {

/// `value` to `digits` (1 to 6) significant digits, as printf's %g writes
/// it in the C locale ("13.43", "0.7071", "1.2e+04"); "0" for -0.
std::string figure(double value, int digits = 4);

/// A resistance in kOhm to six significant digits in the unit people buy it
/// in: "68 Ω", "15.0714 kΩ", "1.78 MΩ".
std::string resistance_text(double kohm);

/// A capacitance in uF to six significant digits: "0.47 µF".
std::string capacitance_text(double uf);

/// The part or parts of a resistor: "6.8 kΩ", "15 kΩ + 68 Ω", "392 kΩ || 13.7 kΩ".
std::string chosen_text(const Resistor& resistor);

/// How far `value` is from `exact`, in %, signed, two decimals ("+0.42 %");
/// what rounds to nothing is "+0.00 %".
std::string deviation_text(double value, double exact);

/// A peak: "6.3 dB at 21.3 Hz", or "none".
std::string peak_text(const std::optional<double>& hz, double db);

/// The three percentiles with their unit: "13.2 / 13.4 / 13.7 Hz". With
/// `zero_is_none` (the height of a peak) a 0 is "none", and three are
/// "none" alone.
std::string spread_text(const Spread& spread, const std::string& unit, bool zero_is_none = false);

/// The capacitor bought against what was typed: "as typed, an E6 and E12
/// value (nearest E6 1 µF, E12 1 µF)", "the nearest E6 value to 0.5 µF as
/// typed".
std::string capacitor_text(const CapacitorCheck& c);

/// Where the resistors come from: "exact values", "the values the window
/// shows", "E24, one part or two in series".
std::string parts_source_text(const Options& options);

/// The whole report: the parts list, the section as built and as designed,
/// the whole path and the tolerance spread, one item a line.
std::string parts_list_text(const AsBuilt& built);

}  // namespace vandrel::as_built
