// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the reading of a field's text as a number.
//
// Checks: the result is always finite; blanks, tabs and line feeds anywhere
// never change it; a character that cannot continue a number never changes
// it; a sign in front negates it; a plain decimal number reads exactly as the
// C library reads it (the largest double for one that is too large); "&H" and
// "&O" integers read as their digits say; and the number's text form reads
// back to the same text form.

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "vandrel/number_text.h"

namespace {

using vandrel::number_to_field_text;
using vandrel::number_to_text;
using vandrel::text_to_number;

bool is_skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string without_skipped(std::string_view text) {
    std::string out;
    for (char c : text)
        if (!is_skipped(c)) out += c;
    return out;
}

// The same characters with a blank, a tab or a line feed before each one.
std::string spread_out(std::string_view text) {
    static constexpr char fill[] = {' ', '\t', '\n'};
    std::string out;
    std::size_t n = 0;
    for (char c : text) {
        out += fill[n++ % 3];
        out += c;
    }
    return out;
}

// Whether the whole text is [+-]digits[.digits][E[+-]digits] with at least
// one mantissa digit: a number that strtod reads the same way.
bool is_plain_decimal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < s.size() && is_digit(s[i]); ++i) ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && is_digit(s[i]); ++i) ++digits;
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size() || !is_digit(s[i])) return false;
        while (i < s.size() && is_digit(s[i])) ++i;
    }
    return i == s.size();
}

bool same(double a, double b) { return a == b; }  // 0 and -0 are the same reading

void check_plain_decimal(const std::string& s, double value) {
    const double expected = std::strtod(s.c_str(), nullptr);
    if (std::isinf(expected)) {
        FUZZ_CHECK(value == std::copysign(DBL_MAX, expected), s);
    } else if (std::fabs(expected) < DBL_MIN) {
        // Subnormal or zero: reading it as 0 is allowed.
        FUZZ_CHECK(same(value, expected) || value == 0, s);
    } else {
        FUZZ_CHECK(same(value, expected), s);
    }
}

void check_radix_integer(const std::string& s, double value) {
    if (s.size() < 2 || s[0] != '&') return;
    const char kind = s[1];
    int base = 0;
    if (kind == 'H' || kind == 'h') base = 16;
    if (kind == 'O' || kind == 'o') base = 8;
    if (base == 0) {
        FUZZ_CHECK(value == 0, s);
        return;
    }
    FUZZ_CHECK(value >= 0 && std::floor(value) == value, s);
    std::string digits;
    for (std::size_t i = 2; i < s.size(); ++i) {
        const char c = s[i];
        const bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
        if (!ok) break;
        digits += c;
    }
    // Up to 13 hexadecimal or 17 octal digits fit a double exactly.
    if (digits.size() <= (base == 16 ? 13U : 17U)) {
        const double expected = digits.empty() ? 0.0 : static_cast<double>(std::strtoull(digits.c_str(), nullptr, base));
        FUZZ_CHECK(value == expected, s);
    }
}

void check_text_form(double value) {
    const std::string text = number_to_text(value);
    FUZZ_CHECK(text.size() <= 22, text);
    FUZZ_CHECK(text.find_first_not_of(" -+.0123456789E") == std::string::npos, text);
    const std::string field = number_to_field_text(value);
    FUZZ_CHECK(field == (text[0] == ' ' ? text.substr(1) : text), text);
    const double again = text_to_number(text);
    FUZZ_CHECK(text_to_number(field) == again, text);
    // Fifteen significant digits survive a trip through a double.
    if (std::fabs(value) >= DBL_MIN) FUZZ_CHECK(number_to_text(again) == text, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = text_to_number(text);
    FUZZ_CHECK(std::isfinite(value), text);

    const std::string bare = without_skipped(text);
    FUZZ_CHECK(same(text_to_number(bare), value), text);
    FUZZ_CHECK(same(text_to_number(spread_out(bare)), value), text);
    FUZZ_CHECK(same(text_to_number(text + ","), value), text);
    FUZZ_CHECK(same(text_to_number(text + "x1"), value), text);

    if (!bare.empty() && (is_digit(bare[0]) || bare[0] == '.')) {
        FUZZ_CHECK(same(text_to_number("-" + text), -value), text);
        FUZZ_CHECK(same(text_to_number("+" + text), value), text);
    }
    if (is_plain_decimal(bare)) check_plain_decimal(bare, value);
    check_radix_integer(bare, value);
    check_text_form(value);
    return 0;
}
