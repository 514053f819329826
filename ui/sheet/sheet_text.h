// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number forms of the build sheet: six significant digits, "." whatever
// the locale, units written as Ω, kΩ, MΩ and µF, and "none" for a figure
// that does not exist. Plain C++, UTF-8.

#include <optional>
#include <string>
#include <string_view>

#include "vandrel/as_built/parts.h"

namespace vandrel::sheet {

/// `value` to six significant digits, the integer part whole ("15.0714",
/// "0.47", "15000000"); never "-0"; "none" for a value that is not finite.
std::string six_digits(double value);

/// A figure and its unit ("13.4771 Hz"), or "none" without a figure.
std::string figure_text(const std::optional<double>& value, std::string_view unit);

/// A resistance given in kOhm: below 1 kΩ in Ω, below 1 MΩ in kΩ, else in
/// MΩ ("68 Ω", "15.0714 kΩ", "1.78 MΩ").
std::string resistance_text(double kohm);

/// A capacitance given in uF ("1 µF", "0.047 µF").
std::string capacitance_text(double uf);

/// The part or parts that make a resistor: "15 kΩ", "15 kΩ + 68 Ω" in
/// series, "10 kΩ ∥ 10 kΩ" in parallel; `between` goes before the sign of
/// the second part (a line break, say).
std::string resistor_text(const as_built::Resistor& resistor, std::string_view between = " ");

/// A tolerance in %, "±1 %".
std::string tolerance_text(double pct);

/// A peak: "6.29566 dB at 21.3911 Hz", or "none".
std::string peak_text(const std::optional<double>& hz, double db);

}  // namespace vandrel::sheet
