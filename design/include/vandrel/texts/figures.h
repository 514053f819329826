// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers and units in words for people: the one way this program writes a
// figure, whichever module writes it. "." whatever the locale, never more
// than six significant digits and never "-0"; units after a space, in UTF-8
// (µF, Ω, kΩ, MΩ).

#include <cstddef>
#include <string>
#include <string_view>

namespace vandrel::texts {

/// `value` to `digits` (1 to 6) significant digits, without an exponent and
/// without trailing zeros: "13.43", "0.7071", "0.0001234". The integer part
/// is always written whole, so a number of more digits keeps them all
/// (12345.6 at 4 digits is "12346", 1234 at 2 is "1234"). Only what would be
/// unreadable without one keeps an exponent: a size below 1e-6 or from 1e12
/// on ("1.2e-07", "3e+12"). "0" for -0; "nan", "inf" and "-inf" as they are.
std::string figure(double value, int digits = 4);

/// `n` and the word for it: "1 point", "2 points", "0 points".
std::string count_text(std::size_t n, std::string_view one, std::string_view many);

/// A level lost, dB, in words to `digits` digits: "4.93 dB lost"; a level
/// gained (below 0) as "4.93 dB gained"; less than 0.0005 dB either way as
/// "0 dB lost".
std::string level_change_text(double lost_db, int digits = 3);

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
