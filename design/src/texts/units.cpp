// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/texts/units.h"

#include <algorithm>

#include "vandrel/texts/decimal.h"

namespace vandrel::texts {
namespace {

// 1 in = 25.4 mm and 1 ft = 12 in, exactly.
constexpr double litres_per_cubic_foot = 28.316846592;
constexpr double square_cm_per_square_inch = 6.4516;
constexpr double mm_per_inch = 25.4;
constexpr double cm_per_inch = 2.54;

constexpr UnitName hz_names[]{{"Hz", 1}};
constexpr UnitName litre_names[]{{"L", 1},
                                 {"litre", 1},
                                 {"litres", 1},
                                 {"liter", 1},
                                 {"liters", 1},
                                 {"ft3", litres_per_cubic_foot},
                                 {"ft^3", litres_per_cubic_foot},
                                 {"ft\xC2\xB3", litres_per_cubic_foot},
                                 {"cu ft", litres_per_cubic_foot},
                                 {"cu. ft.", litres_per_cubic_foot},
                                 {"cu.ft.", litres_per_cubic_foot},
                                 {"cu.ft", litres_per_cubic_foot},
                                 {"cuft", litres_per_cubic_foot},
                                 {"cubic feet", litres_per_cubic_foot},
                                 {"cubic foot", litres_per_cubic_foot}};
constexpr UnitName ohm_names[]{{"ohm", 1}, {"ohms", 1}, {"\xCE\xA9", 1}, {"\xE2\x84\xA6", 1}};
constexpr UnitName cm2_names[]{{"cm2", 1},
                               {"cm^2", 1},
                               {"cm\xC2\xB2", 1},
                               {"in2", square_cm_per_square_inch},
                               {"in^2", square_cm_per_square_inch},
                               {"in\xC2\xB2", square_cm_per_square_inch},
                               {"sq in", square_cm_per_square_inch},
                               {"sq. in.", square_cm_per_square_inch},
                               {"sq.in.", square_cm_per_square_inch},
                               {"sq.in", square_cm_per_square_inch},
                               {"sqin", square_cm_per_square_inch},
                               {"square inches", square_cm_per_square_inch}};
// Inches as "in", "inch", "inches", a double quote or the double prime.
#define VANDREL_INCHES(factor) \
    {"in", factor}, {"inch", factor}, {"inches", factor}, {"\"", factor}, { "\xE2\x80\xB3", factor }
constexpr UnitName mm_names[]{{"mm", 1}, VANDREL_INCHES(mm_per_inch)};
constexpr UnitName cm_names[]{{"cm", 1}, VANDREL_INCHES(cm_per_inch)};
#undef VANDREL_INCHES
constexpr UnitName mh_names[]{{"mH", 1}};
constexpr UnitName volt_names[]{{"V", 1}};
constexpr UnitName watt_names[]{{"W", 1}};

// `text` with ASCII letters in lower case and each run of blanks as one.
std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::string_view trimmed(std::string_view t) {
    const std::size_t first = t.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return t.substr(first, t.find_last_not_of(" \t") - first + 1);
}

}  // namespace

const Quantity hertz{"Hz", hz_names};
const Quantity litres{"L", litre_names};
const Quantity ohms{"ohm", ohm_names};
const Quantity square_centimetres{"cm2", cm2_names};
const Quantity millimetres{"mm", mm_names};
const Quantity centimetres{"cm", cm_names};
const Quantity millihenries{"mH", mh_names};
const Quantity volts{"V", volt_names};
const Quantity watts{"W", watt_names};
const Quantity ratio{"", {}};

std::optional<ValueWithUnit> parse_with_unit(std::string_view text, const Quantity& quantity) {
    text = trimmed(text);
    // The number is the text up to its unit.
    std::size_t end = 0;
    while (end < text.size() && std::string_view("+-.0123456789eE").find(text[end]) != std::string_view::npos) ++end;
    // An exponent letter with nothing after it belongs to no number.
    while (end > 0 && (text[end - 1] == 'e' || text[end - 1] == 'E')) --end;
    const std::optional<double> number = parse_decimal(text.substr(0, end));
    if (!number) return std::nullopt;
    const std::string_view unit = trimmed(text.substr(end));
    if (unit.empty()) return ValueWithUnit{*number, false, {}};
    const std::string key = folded(unit);
    const auto name = std::find_if(quantity.names.begin(), quantity.names.end(),
                                   [&](const UnitName& n) { return folded(n.text) == key; });
    if (name == quantity.names.end()) return std::nullopt;
    const double value = *number * name->factor;
    // Converted, a value near the top of a double's range may overflow.
    if (value - value != 0) return std::nullopt;
    return ValueWithUnit{value, name->factor != 1, std::string(unit)};
}

}  // namespace vandrel::texts
