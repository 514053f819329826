// SPDX-License-Identifier: GPL-3.0-or-later
// A number with its unit, as typed in a field, an option or a file, and the
// exact decimal forms that move a number between units by a power of ten.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "vandrel/texts/exact.h"
#include "vandrel/texts/units.h"

namespace {

using namespace vandrel::texts;

TEST(Units, ReadsNumbersWithTheirUnitInAnyCase) {
    struct Case {
        const char* text;
        const Quantity& quantity;
        std::optional<double> value;  // in the quantity's own unit
        bool converted;
        const char* unit_given;
    };
    const Case cases[] = {
        {"25", hertz, 25, false, ""},
        {"25 hz", hertz, 25, false, "hz"},
        {"25HZ", hertz, 25, false, "HZ"},
        {" 3.5 OHM ", ohms, 3.5, false, "OHM"},
        {"3.5 \xCE\xA9", ohms, 3.5, false, "\xCE\xA9"},
        {"500 cm2", square_centimetres, 500, false, "cm2"},
        {"500 CM\xC2\xB2", square_centimetres, 500, false, "CM\xC2\xB2"},
        {"75L", litres, 75, false, "L"},
        {"75 Litres", litres, 75, false, "Litres"},
        {"1.6 MH", millihenries, 1.6, false, "MH"},
        {"2 ft3", litres, 56.633693184, true, "ft3"},
        {"1 FT^3", litres, 28.316846592, true, "FT^3"},
        {"1 ft\xC2\xB3", litres, 28.316846592, true, "ft\xC2\xB3"},
        {"2.5 cu ft", litres, 70.79211648, true, "cu ft"},
        {"2.5 Cu  Ft", litres, 70.79211648, true, "Cu  Ft"},
        {"2.5 cu. ft.", litres, 70.79211648, true, "cu. ft."},
        {"100 in2", square_centimetres, 645.16, true, "in2"},
        {"100 sq in", square_centimetres, 645.16, true, "sq in"},
        {"1 IN^2", square_centimetres, 6.4516, true, "IN^2"},
        {"0.5 in", millimetres, 12.7, true, "in"},
        {"0.5\"", millimetres, 12.7, true, "\""},
        {"1 inch", millimetres, 25.4, true, "inch"},
        {"4 in", centimetres, 10.16, true, "in"},
        {"12.5 mm", millimetres, 12.5, false, "mm"},
        {"1e-1", millihenries, 0.1, false, ""},
        {"+2.83 V", volts, 2.83, false, "V"},
        // Refused: no number, a unit of another quantity, decimal commas.
        {"2 ft3", square_centimetres, std::nullopt, false, ""},
        {"1 in", hertz, std::nullopt, false, ""},
        {"0.4 Hz", ratio, std::nullopt, false, ""},
        {"25 kHz", hertz, std::nullopt, false, ""},
        {"26,5", hertz, std::nullopt, false, ""},
        {"Hz", hertz, std::nullopt, false, ""},
        {"", hertz, std::nullopt, false, ""},
        {"1e", hertz, std::nullopt, false, ""},
        {"nan", hertz, std::nullopt, false, ""},
        {"2 5", hertz, std::nullopt, false, ""},
        {"1e308 ft3", litres, std::nullopt, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<ValueWithUnit> v = parse_with_unit(c.text, c.quantity);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (!v) continue;
        EXPECT_DOUBLE_EQ(v->value, *c.value);
        EXPECT_EQ(v->converted, c.converted);
        EXPECT_EQ(v->unit_given, c.unit_given);
    }
    // Exact factors: one inch is 25.4 mm to the last bit, one cubic foot 28.316846592 L.
    EXPECT_EQ(parse_with_unit("1 in", millimetres)->value, 25.4);
    EXPECT_EQ(parse_with_unit("1 cu ft", litres)->value, 28.316846592);
}

TEST(Units, MovesDecimalsByPowersOfTenExactly) {
    const struct {
        std::string text, expected;
    } written[] = {
        {plain_shifted(68, -3), "0.068"},
        {plain_shifted(480, -4), "0.048"},
        {plain_shifted(1.6, -3), "0.0016"},
        {plain_shifted(12.5, -3), "0.0125"},
        {plain_shifted(0.5, 3), "500"},
        {plain_shifted(123.456, -1), "12.3456"},
        {plain_shifted(-2.5, 0), "-2.5"},
        {plain_shifted(0, -3), "0"},
        {plain_shifted(1e-40, -3), "1e-43"},
    };
    for (const auto& w : written) EXPECT_EQ(w.text, w.expected);
    const struct {
        const char* text;
        int shift;
        std::optional<double> value;
    } read[] = {
        {"0.068", 3, 68},          {"6.8e-2", 3, 68},   {"0.0016", 3, 1.6}, {"0.048", 4, 480},
        {"+0.1", 1, 1},            {"-0.0125", 3, -12.5}, {"0", 3, 0},      {".5", 1, 5},
        {"0,068", 3, std::nullopt}, {"", 3, std::nullopt}, {"inf", 3, std::nullopt},
    };
    for (const auto& r : read) EXPECT_EQ(parse_decimal_shifted(r.text, r.shift), r.value) << r.text;
}

}  // namespace
