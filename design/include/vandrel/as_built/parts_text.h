// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter as built in words and figures for people: the texts that
// vandrel-solve prints and the Parts window shows. Numbers use "." whatever
// the locale.

#include <optional>
#include <string>

#include "vandrel/as_built/report.h"

namespace vandrel::as_built {

/// `value` to `digits` significant digits, as printf's %g writes it in the C
/// locale ("13.43", "0.7071", "1.2e+04").
std::string figure(double value, int digits = 4);

/// A resistance of a part, every digit kept, with "k" ("6.8k", "1.91k").
std::string kohm_text(double kohm);

/// The part or parts of a resistor: "6.8k", "6.8k + 1.2k", "10k || 10k".
std::string chosen_text(const Resistor& resistor);

/// How far `value` is from `exact`, in %, signed, two decimals ("+0.42 %").
std::string deviation_text(double value, double exact);

/// A peak: "6.3 dB at 21.3 Hz", or "none".
std::string peak_text(const std::optional<double>& hz, double db);

/// The three percentiles: "13.2 / 13.4 / 13.7".
std::string spread_text(const Spread& spread);

/// The capacitor against E6 and E12: "an E6 and E12 value (nearest E6 1, E12 1)".
std::string capacitor_text(const CapacitorCheck& c);

/// Where the parts come from: "exact values", "the values the window shows",
/// "E24, one part or two in series".
std::string parts_source_text(const Options& options);

/// The whole report: the parts list, the section as built and as designed,
/// the whole path and the tolerance spread, one item a line.
std::string parts_list_text(const AsBuilt& built);

}  // namespace vandrel::as_built
