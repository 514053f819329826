// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the text of an input field and a number.
//
// Both conversions are independent of the C and C++ locale: "." is always the
// decimal point and no thousands separators are read or written.

#include <string>
#include <string_view>

namespace vandrel {

/// Reads the number at the start of a field's text.
///
/// Blanks, tabs and line feeds are skipped wherever they stand. Then the
/// longest leading part that forms a number is taken: an optional sign,
/// digits with at most one ".", and an optional exponent ("E" or "e", an
/// optional sign, digits). "&H" and "&O" (either case) introduce a
/// hexadecimal or octal integer. Any other character ends the number; text
/// without a leading number reads as 0 ("", "abc", ",5").
///
/// A number too large for a double reads as the largest finite double of its
/// sign, so it meets the upper or lower limit of its field like any other
/// number that is too large; one too small to represent reads as 0.
/// The result is therefore always finite.
double text_to_number(std::string_view text);

/// Writes a number the way the window shows it.
///
/// A leading blank when the number is not negative, "-" when it is; no digit
/// before the point when the magnitude is below 1 (" .47", " 0"); no trailing
/// zeros and no trailing point (" 15"); at most 15 significant digits.
/// Magnitudes of 1E15 and above, and non-zero magnitudes below 1E-4, are
/// written in exponent form (" 1.5E+15", " 1E-05").
std::string number_to_text(double value);

/// number_to_text without its leading and trailing blanks: the form that
/// goes into a text field or a graph label (".707", "24.1", "-3").
std::string number_to_field_text(double value);

/// Length of a field's text in characters, as the length check counts them
/// (UTF-8 text; every code point counts as one, blanks included).
std::size_t text_length(std::string_view utf8_text);

}  // namespace vandrel
