// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/texts/figures.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vandrel::texts {

double six_digits(double value) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 5).ptr;
    double out = value;
    std::from_chars(buf, end, out);
    return out;
}

std::string figure(double value, int digits) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value == 0 ? 0.0 : value, std::chars_format::general,
                                   std::clamp(digits, 1, 6)).ptr;
    return std::string(buf, end);
}

std::string resistance_text(double kohm) {
    // Rounded first, so that 999.9999 kOhm is "1 MΩ", not "1000 kΩ".
    const double ohm = six_digits(kohm * 1000);
    if (std::abs(ohm) < 1000) return figure(ohm, 6) + " \u03a9";
    if (std::abs(ohm) < 1e6) return figure(ohm / 1000, 6) + " k\u03a9";
    return figure(ohm / 1e6, 6) + " M\u03a9";
}

std::string capacitance_text(double uf) { return figure(uf, 6) + " \u00b5F"; }

std::string deviation_text(double value, double exact) {
    // Two decimals, the sign always written; what rounds to 0 is "+0.00".
    double pct = (value / exact - 1) * 100;
    if (std::abs(pct) < 0.005) pct = 0;
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, pct, std::chars_format::fixed, 2).ptr;
    // Built by appending: inserting in front trips a false GCC 12 warning at -O3.
    std::string text = pct < 0 ? "" : "+";
    text.append(buf, end);
    return text + " %";
}

}  // namespace vandrel::texts
