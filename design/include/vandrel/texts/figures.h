// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers and units in words for people: the one way this program writes a
// figure, whichever module writes it. "." whatever the locale, never more
// than six significant digits and never "-0"; units after a space, in UTF-8
// (µF, Ω, kΩ, MΩ).

#include <string>

namespace vandrel::texts {

/// `value` to `digits` (1 to 6) significant digits, as printf's %g writes
/// it in the C locale ("13.43", "0.7071", "1.2e+04"); "0" for -0.
std::string figure(double value, int digits = 4);

/// `value` rounded to six significant digits, as a double.
double six_digits(double value);

/// A resistance in kOhm to six significant digits in the unit people buy it
/// in: "68 Ω", "15.0714 kΩ", "1.78 MΩ".
std::string resistance_text(double kohm);

/// A capacitance in uF to six significant digits: "0.47 µF".
std::string capacitance_text(double uf);

/// How far `value` is from `exact`, in %, signed, two decimals ("+0.42 %");
/// what rounds to nothing is "+0.00 %".
std::string deviation_text(double value, double exact);

}  // namespace vandrel::texts
