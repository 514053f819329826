// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter as built in words for people: the parts chosen, their spread,
// the whole report that vandrel-solve prints and the Parts window shows.
// Its numbers and units are written as vandrel/texts/figures.h writes them.

#include <optional>
#include <string>

#include "vandrel/as_built/report.h"

namespace vandrel::as_built {

/// The part or parts of a resistor: "6.8 kΩ", "15 kΩ + 68 Ω", "392 kΩ || 13.7 kΩ".
std::string chosen_text(const Resistor& resistor);

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
