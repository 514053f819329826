// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "vandrel/texts/figures.h"

namespace {

using namespace vandrel::texts;

// The figures every module writes for people: at most `digits` significant
// digits but the whole integer part, no exponent between 1e-6 and 1e12, no
// trailing zeros, never "-0", a sign always on the deviation, units in the
// form people buy parts in.
TEST(Figures, WritesNumbersAndUnitsAsPeopleReadThem) {
    const struct {
        std::string text, expected;
    } rows[] = {
        {figure(13.4721), "13.47"},
        {figure(0.707106781), "0.7071"},
        // Once "1.235e+04" (printf's %g): the integer part is now kept whole.
        {figure(12345.6), "12346"},
        {figure(1234, 2), "1234"},
        {figure(1200), "1200"},
        {figure(1e6), "1000000"},
        {figure(99999.6, 4), "100000"},
        {figure(9.9996), "10"},
        {figure(0.00012344), "0.0001234"},
        {figure(0.000001), "0.000001"},
        {figure(0.0000001234), "1.234e-07"},
        {figure(3e12), "3e+12"},
        {figure(999999999999.0, 4), "999999999999"},
        {figure(0.227843, 6), "0.227843"},
        {figure(0.227843), "0.2278"},
        {figure(-4.93456, 3), "-4.93"},
        {figure(2.5, 1), "2"},
        {figure(20), "20"},
        {figure(15.0714285714, 6), "15.0714"},
        {figure(15.0714035630587, 15), "15.0714"},
        {figure(-0.0), "0"},
        {figure(NAN), "nan"},
        {figure(-INFINITY), "-inf"},
        {count_text(1, "point", "points"), "1 point"},
        {count_text(0, "point", "points"), "0 points"},
        {count_text(601, "point", "points"), "601 points"},
        {level_change_text(4.934), "4.93 dB lost"},
        {level_change_text(-4.934), "4.93 dB gained"},
        {level_change_text(-0.0004), "0 dB lost"},
        {level_change_text(-0.002), "0.002 dB gained"},
        {level_change_text(12.345), "12.3 dB lost"},
        {resistance_text(0.068), "68 Ω"},
        {resistance_text(15.0713012477718), "15.0713 kΩ"},
        {resistance_text(1780), "1.78 MΩ"},
        {resistance_text(0.9999999), "1 kΩ"},
        {resistance_text(2.2e6), "2200 MΩ"},
        {capacitance_text(0.47), "0.47 µF"},
        {capacitance_text(1e-5), "0.00001 µF"},
        {deviation_text(1, 1), "+0.00 %"},
        {deviation_text(1.0269, 1), "+2.69 %"},
        {deviation_text(0.9999, 1), "-0.01 %"},
        {deviation_text(0.99996, 1), "+0.00 %"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.text, row.expected);
}

}  // namespace
