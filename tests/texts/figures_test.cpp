// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "vandrel/texts/figures.h"

namespace {

using namespace vandrel::texts;

// The figures every module writes for people: printf's %g in the C locale
// to at most six digits, never "-0", a sign always on the deviation, units
// in the form people buy parts in.
TEST(Figures, WritesNumbersAndUnitsAsPeopleReadThem) {
    const struct {
        std::string text, expected;
    } rows[] = {
        {figure(13.4721), "13.47"},
        {figure(0.707106781), "0.7071"},
        {figure(12345.6), "1.235e+04"},
        {figure(15.0714285714, 6), "15.0714"},
        {figure(15.0714035630587, 15), "15.0714"},
        {figure(-0.0), "0"},
        {resistance_text(0.068), "68 Ω"},
        {resistance_text(15.0713012477718), "15.0713 kΩ"},
        {resistance_text(1780), "1.78 MΩ"},
        {resistance_text(0.9999999), "1 kΩ"},
        {capacitance_text(0.47), "0.47 µF"},
        {deviation_text(1, 1), "+0.00 %"},
        {deviation_text(1.0269, 1), "+2.69 %"},
        {deviation_text(0.9999, 1), "-0.01 %"},
        {deviation_text(0.99996, 1), "+0.00 %"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.text, row.expected);
}

}  // namespace
