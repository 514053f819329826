// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace vandrel {
namespace {

bool is_skipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

int digit_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

constexpr double largest = std::numeric_limits<double>::max();

// "&H..." or "&O...": an unsigned integer in base 16 or 8.
double read_radix_integer(std::string_view digits, int base) {
    double value = 0;
    for (char c : digits) {
        const int d = digit_value(c);
        if (d >= base) break;
        value = value * base + d;
        if (value > largest) return largest;
    }
    return value;
}

}  // namespace

double text_to_number(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!is_skipped(c)) s.push_back(c);

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return read_radix_integer(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return read_radix_integer(std::string_view(s).substr(2), 8);
        return 0;
    }

    // Scan the longest leading number: sign, digits with at most one point,
    // then an exponent only when at least one digit follows it.
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t mantissa_begin = i;
    std::size_t mantissa_digits = 0;
    long long integer_digits = 0;
    long long first_nonzero_at = -1;  // digit count (1-based) where the first non-zero digit stood
    bool seen_point = false;
    for (; i < s.size(); ++i) {
        if (is_digit(s[i])) {
            ++mantissa_digits;
            if (!seen_point) ++integer_digits;
            if (s[i] != '0' && first_nonzero_at < 0) {
                first_nonzero_at = static_cast<long long>(mantissa_digits);
            }
        } else if (s[i] == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
    }
    if (mantissa_digits == 0) return 0;
    std::size_t end = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool exp_negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp_negative = s[j++] == '-';
        if (j < s.size() && is_digit(s[j])) {
            for (; j < s.size() && is_digit(s[j]); ++j)
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[j] - '0');
            if (exp_negative) exponent = -exponent;
            end = j;
        }
    }
    if (first_nonzero_at < 0) return 0;
    // Decimal order of the number: 1 for a leading digit in the units place.
    const long long order = integer_digits - first_nonzero_at + 1;

    double value = 0;
    const char* first = s.data() + mantissa_begin;
    const auto [ptr, ec] = std::from_chars(first, s.data() + end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Beyond the range of a double: the largest finite value of its sign,
        // or 0 for a magnitude too small to hold.
        value = order + exponent > 0 ? largest : 0.0;
    } else if (ec != std::errc() || ptr != s.data() + end) {
        return 0;  // cannot happen for the text scanned above
    }
    return negative && value != 0 ? -value : value;
}

std::string number_to_text(double value) {
    std::string out = value < 0 ? "-" : " ";
    const double magnitude = std::fabs(value);
    if (magnitude == 0) return out + "0";
    if (!std::isfinite(magnitude)) return out + (std::isnan(magnitude) ? "NaN" : "Inf");

    // 15 significant digits, rounded to nearest, as d.dddddddddddddde±x.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const auto e_pos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, e_pos - 2);
    const int exponent = std::atoi(sci.c_str() + e_pos + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    if (exponent >= 15 || exponent < -4) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out.append(".").append(digits, 1);
        const int abs_exp = exponent < 0 ? -exponent : exponent;
        out += exponent < 0 ? "E-" : "E+";
        if (abs_exp < 10) out += '0';
        out += std::to_string(abs_exp);
        return out;
    }
    if (exponent >= 0) {
        const auto int_len = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= int_len) return out.append(digits).append(int_len - digits.size(), '0');
        return out.append(digits, 0, int_len).append(".").append(digits, int_len);
    }
    return out.append(".").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
}

std::string number_to_field_text(double value) {
    std::string text = number_to_text(value);
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::size_t text_length(std::string_view utf8_text) {
    std::size_t n = 0;
    for (unsigned char c : utf8_text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace vandrel
