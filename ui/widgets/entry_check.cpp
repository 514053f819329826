// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry_check.h"

#include <charconv>
#include <cmath>

#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string range_text(const EntryRange& r) {
    const std::string unit = r.unit.empty() ? "" : " " + std::string(r.unit);
    return "from " + vandrel::texts::figure(r.low, 6) + " to " + vandrel::texts::figure(r.high, 6) + unit;
}

}  // namespace

EntryCheck check_entry(std::string_view text, const EntryRange& range) {
    const std::string name(range.name);
    std::string_view number = trimmed(text);
    if (number.empty())
        return {std::nullopt, range.may_be_empty ? "" : name + ": type a number " + range_text(range) + "."};
    if (number.size() > 64) return {std::nullopt, name + ": that is not a number. Type one " + range_text(range) + "."};
    if (!range.unit.empty() && number.ends_with(range.unit)) number = trimmed(number.substr(0, number.size() - range.unit.size()));
    if (number.starts_with('+')) number.remove_prefix(1);

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    const bool whole = end == number.data() + number.size() && !number.empty() &&
                       (error == std::errc() || error == std::errc::result_out_of_range);
    if (whole && error == std::errc::result_out_of_range) {
        // Beyond a double: too close to 0 (a negative exponent) reads as 0,
        // else it is too large or, negative, too small.
        const auto e = number.find_first_of("eE");
        if (e != std::string_view::npos && number.substr(e + 1).starts_with('-'))
            value = 0;
        else
            value = number.starts_with('-') ? -INFINITY : INFINITY;
    }
    if (!whole || std::isnan(value) || (error == std::errc() && std::isinf(value)))
        return {std::nullopt, name + ": \u201c" + std::string(trimmed(text)) +
                                  "\u201d is not a number. Type one " + range_text(range) +
                                  ", with \u201c.\u201d as the decimal point."};
    if (value < range.low || value > range.high)
        return {std::nullopt, name + ": " + std::string(trimmed(text)) + " is too " +
                                  (value < range.low ? "small" : "large") + ". Type a number " + range_text(range) +
                                  "."};
    return {value == 0 ? 0.0 : value, {}};
}

}  // namespace vandrel::ui
