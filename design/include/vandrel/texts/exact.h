// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number forms for files and machines: exact and independent of the locale.

#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "vandrel/texts/decimal.h"

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

/// `value` times 10^shift as a plain decimal without an exponent, exactly
/// from the shortest digits of `value` ("68" and -3 give "0.068", "0.5" and
/// 3 give "500"); with an exponent (as `shifted`) when that would take more
/// than 30 zeros.
inline std::string plain_shifted(double value, int shift) {
    if (value == 0 || !std::isfinite(value)) return shortest(value == 0 ? 0.0 : value);
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific).ptr;
    const std::string text(buf, end);
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
    exponent += shift;
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : std::string_view(text).substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    if (exponent > 30 || exponent < -30) return shifted(value, shift);
    std::string out = negative ? "-" : "";
    if (exponent < 0) {
        out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        out.append(digits).append(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        out.append(digits.substr(0, static_cast<std::size_t>(exponent) + 1))
            .append(".")
            .append(digits.substr(static_cast<std::size_t>(exponent) + 1));
    }
    return out;
}

/// The decimal number `text` (as parse_decimal reads it) times 10^shift,
/// rounded once to the nearest double: "0.068" and 3 give exactly 68.
inline std::optional<double> parse_decimal_shifted(std::string_view text, int shift) {
    const std::optional<double> plain = parse_decimal(text);
    if (!plain) return std::nullopt;
    if (*plain == 0 || shift == 0) return plain;
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const std::size_t e = text.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = text.substr(e + 1);
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (ec != std::errc() || exponent > 100000 || exponent < -100000) return std::nullopt;
    }
    const std::string moved = std::string(text.substr(0, e)) + "e" + std::to_string(exponent + shift);
    return parse_decimal(moved);
}

}  // namespace vandrel::texts
