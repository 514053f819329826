// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/texts/figures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vandrel::texts {

double six_digits(double value) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 5).ptr;
    double out = value;
    std::from_chars(buf, end, out);
    return out;
}

std::string figure(double value, int digits) {
    digits = std::clamp(digits, 1, 6);
    if (value == 0) return "0";  // -0 too
    char buf[400];
    const double size = std::abs(value);
    if (!std::isfinite(value) || size < 1e-6 || size >= 1e12) {
        const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits).ptr;
        return std::string(buf, end);
    }
    // The power of ten of the first digit once rounded to `digits` digits
    // (9.9996 at 4 digits is 10.00: 1).
    const auto sci = std::to_chars(buf, buf + sizeof buf, size, std::chars_format::scientific, digits - 1).ptr;
    const std::string_view sci_text(buf, static_cast<std::size_t>(sci - buf));
    const int exponent = std::atoi(std::string(sci_text.substr(sci_text.find('e') + 1)).c_str());
    // Decimals for `digits` significant digits; none when the integer part
    // alone has as many or more.
    const int decimals = std::max(0, digits - 1 - exponent);
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals).ptr;
    std::string text(buf, end);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string count_text(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string level_change_text(double lost_db, int digits) {
    // Less than 0.0005 dB, arithmetic's noise as much as the filter's, is nothing.
    if (!(std::abs(lost_db) >= 0.0005)) return "0 dB lost";
    const std::string size = figure(std::abs(lost_db), digits);
    return size + (lost_db < 0 ? " dB gained" : " dB lost");
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
