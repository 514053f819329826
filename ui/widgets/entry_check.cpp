// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry_check.h"

#include <charconv>
#include <cmath>

#include "vandrel/texts/decimal.h"
#include "vandrel/texts/figures.h"
#include "vandrel/texts/units.h"

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

// The unit of another system a quantity reads, as people write it; "" for
// a quantity without one.
std::string_view other_unit(const texts::Quantity& q) {
    if (&q == &texts::litres) return "ft\u00b3";
    if (&q == &texts::square_centimetres) return "in\u00b2";
    if (&q == &texts::millimetres || &q == &texts::centimetres) return "in";
    return {};
}

// Where a number at the start of `text` ends, if what follows it begins
// like a unit (a letter, a quote, a symbol beyond ASCII); else npos.
std::size_t unit_after_number(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && std::string_view("+-.0123456789eE").find(text[end]) != std::string_view::npos) ++end;
    while (end > 0 && (text[end - 1] == 'e' || text[end - 1] == 'E')) --end;
    if (end == 0 || !texts::parse_decimal(text.substr(0, end))) return std::string_view::npos;
    const std::string_view rest = trimmed(text.substr(end));
    if (rest.empty()) return std::string_view::npos;
    const auto c = static_cast<unsigned char>(rest.front());
    const bool like_unit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '"' || c >= 0x80;
    return like_unit ? end : std::string_view::npos;
}

// A value typed with a unit: taken, converted, or refused.
std::optional<EntryCheck> with_unit(std::string_view text, const EntryRange& range) {
    const std::string name(range.name);
    const texts::Quantity& q = *range.quantity;
    if (const auto read = texts::parse_with_unit(text, q)) {
        std::string from;
        if (read->converted) {
            const std::string_view unit = trimmed(read->unit_given);
            from = std::string(trimmed(text.substr(0, text.size() - unit.size()))) + " " + std::string(other_unit(q));
        }
        const double v = read->value;
        if (v < range.low || v > range.high)
            return EntryCheck{std::nullopt,
                              name + ": " + std::string(text) +
                                  (from.empty() ? "" : " (" + texts::figure(v, 6) + " " + std::string(range.unit) + ")") +
                                  " is too " + (v < range.low ? "small" : "large") + ". Type a number " +
                                  range_text(range) + ".",
                              {}};
        return EntryCheck{v == 0 ? 0.0 : v, {}, from};
    }
    const std::size_t end = unit_after_number(text);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view other = other_unit(q);
    return EntryCheck{std::nullopt,
                      name + ": \u201c" + std::string(text) + "\u201d is not in a unit of " + name + ". Type a number " +
                          range_text(range) + (other.empty() ? "" : ", or in " + std::string(other)) + ".",
                      {}};
}

}  // namespace

EntryCheck check_entry(std::string_view text, const EntryRange& range) {
    const std::string name(range.name);
    std::string_view number = trimmed(text);
    if (number.empty())
        return {std::nullopt, range.may_be_empty ? "" : name + ": type a number " + range_text(range) + "."};
    if (number.size() > 64) return {std::nullopt, name + ": that is not a number. Type one " + range_text(range) + "."};
    if (range.quantity)
        if (std::optional<EntryCheck> read = with_unit(number, range)) return *read;
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
