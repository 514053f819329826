// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number forms for files and machines: exact and independent of the locale.

#include <charconv>
#include <string>

namespace vandrel::texts {

/// The shortest text that reads back as exactly `value` ("6.8", "0.047",
/// "1e-05").
inline std::string shortest(double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return std::string(buf, end);
}

/// `value` times 10^shift, written exactly: the shortest digits of `value`
/// with their exponent moved ("6.81" and 3 give "6.81e3").
inline std::string shifted(double value, int shift) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific).ptr;
    std::string text(buf, end);
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    return text.substr(0, e) + "e" + std::to_string(exponent + shift);
}

}  // namespace vandrel::texts
