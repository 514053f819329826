// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the text form of a number; the input bytes are read as doubles,
// eight bytes each.
//
// Checks, for every finite number: a blank or "-" first, then only digits,
// ".", "E" and the exponent's sign; at most 22 characters; at most 15
// significant digits, no trailing zeros and no trailing point; no digit
// before the point below 1; exponent form exactly for magnitudes of 1E15 and
// above or below 1E-4; the text is the number to 15 significant digits; and
// it reads back through text_to_number.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "vandrel/number_text.h"

namespace {

using vandrel::number_to_field_text;
using vandrel::number_to_text;
using vandrel::text_to_number;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

void check_finite(double value) {
    const std::string text = number_to_text(value);
    FUZZ_CHECK(text.size() >= 2 && text.size() <= 22, text);
    FUZZ_CHECK(text[0] == (value < 0 ? '-' : ' '), text);
    FUZZ_CHECK(number_to_field_text(value) == (value < 0 ? text : text.substr(1)), text);

    const std::string body = text.substr(1);
    const auto e_pos = body.find('E');
    const std::string mantissa = body.substr(0, e_pos);
    FUZZ_CHECK(mantissa.find_first_not_of("0123456789.") == std::string::npos, text);
    FUZZ_CHECK(mantissa.find('.') == mantissa.rfind('.'), text);
    FUZZ_CHECK(!mantissa.empty() && mantissa.back() != '.', text);
    if (mantissa.find('.') != std::string::npos) FUZZ_CHECK(mantissa.back() != '0', text);
    if (e_pos != std::string::npos) {
        const std::string exponent = body.substr(e_pos + 1);
        FUZZ_CHECK(exponent.size() >= 3 && exponent.size() <= 4, text);
        FUZZ_CHECK(exponent[0] == '+' || exponent[0] == '-', text);
        FUZZ_CHECK(exponent.find_first_not_of("0123456789", 1) == std::string::npos, text);
        FUZZ_CHECK(mantissa.size() == 1 || (mantissa.size() >= 3 && mantissa[1] == '.'), text);
        FUZZ_CHECK(mantissa[0] != '0', text);
    }

    std::size_t significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (!is_digit(c)) continue;
        if (c != '0') leading = false;
        if (!leading) ++significant;
    }
    FUZZ_CHECK(significant <= 15, text);

    const double read = std::strtod(text.c_str(), nullptr);
    const double magnitude = std::fabs(read);
    if (value == 0) {
        FUZZ_CHECK(text == " 0", text);
        return;
    }
    if (std::isinf(read)) {
        // The largest doubles round up past the largest double at 15 digits.
        FUZZ_CHECK(std::fabs(value) > 1.797693134862315e308, text);
        FUZZ_CHECK(text_to_number(text) == std::copysign(DBL_MAX, value), text);
        return;
    }
    FUZZ_CHECK((e_pos != std::string::npos) == (magnitude >= 1e15 || magnitude < 1e-4), text);
    if (e_pos == std::string::npos && magnitude < 1) FUZZ_CHECK(mantissa[0] == '.', text);
    if (magnitude >= 1) FUZZ_CHECK(mantissa[0] != '0' && mantissa[0] != '.', text);
    // Within half a unit of the 15th significant digit of the number, plus
    // the rounding of the text back to a double.
    FUZZ_CHECK(std::fabs(read - value) <= (5e-15 + DBL_EPSILON) * std::fabs(value), text);
    const double again = text_to_number(text);
    if (magnitude >= DBL_MIN) {
        FUZZ_CHECK(again == read, text);
    } else {
        FUZZ_CHECK(again == read || again == 0, text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at < size; at += sizeof(double)) {
        unsigned char bytes[sizeof(double)] = {};
        std::memcpy(bytes, data + at, std::min(sizeof(double), size - at));
        double value;
        std::memcpy(&value, bytes, sizeof value);
        if (std::isfinite(value)) {
            check_finite(value);
        } else {
            const std::string text = number_to_text(value);
            FUZZ_CHECK(text == " NaN" || text == " Inf" || text == "-Inf", text);
        }
    }
    return 0;
}
