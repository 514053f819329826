// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <string>

#include "case_names.h"
#include "vandrel/number_text.h"

namespace {

using vandrel::number_to_field_text;
using vandrel::number_to_text;
using vandrel::text_to_number;

constexpr double largest = std::numeric_limits<double>::max();

struct TextCase {
    const char* text;
    double expected;
};

// A hexadecimal integer beyond the range of a double.
const std::string long_hex = "&H" + std::string(300, 'F');
const std::string one_and_400_zeros_e_minus_10 = "1" + std::string(400, '0') + "E-10";
const std::string point_400_zeros_1e10 = "0." + std::string(400, '0') + "1E10";

const TextCase text_cases[] = {
    // no leading number
    {"", 0}, {"abc", 0}, {",5", 0}, {"-", 0}, {".", 0}, {"+.", 0}, {"e5", 0}, {"&", 0}, {"&H", 0}, {"&Z12", 0},
    // the longest leading number
    {"12abc", 12}, {"1,5", 1}, {".5", 0.5}, {"5.", 5}, {"2e1", 20}, {"2E+1", 20}, {"25e-1", 2.5},
    {"1e", 1}, {"1e+", 1}, {"1.2.3", 1.2}, {"1e5x", 1e5}, {"-3", -3}, {"+4", 4}, {"-.5", -0.5},
    {"0.0001", 0.0001}, {"-12345", -12345}, {"1000.0", 1000},
    // blanks, tabs and line feeds are skipped anywhere
    {"1 5", 15}, {" \t\n7", 7}, {"- 3", -3}, {"1E1 0", 1e10}, {"1 . 5", 1.5}, {"\r5", 0},
    // hexadecimal and octal integers
    {"&H10", 16}, {"&h1F", 31}, {"&HFFFF", 65535}, {"&O17", 15}, {"&o8", 0}, {"&H1G", 1},
    {"&hff", 255}, {"&o17", 15}, {long_hex.c_str(), largest},
    // an exponent letter not followed by digits ends the number before it
    {"1ex", 1}, {"2E-x", 2},
    // beyond the range of a double: the largest finite value, or 0
    {"1E999", largest}, {"-1E999", -largest}, {"1E-999", 0}, {"-1E-999", 0}, {"1E-320", 1e-320},
    {"0.00000000001E308", 1e297}, {"99999E304", largest},
    // a mantissa of 400 digits: its exponent still counts
    {one_and_400_zeros_e_minus_10.c_str(), largest}, {point_400_zeros_1e10.c_str(), 0},
};

class TextToNumber : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextToNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(text_to_number(GetParam().text), GetParam().expected) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Examples, TextToNumber, ::testing::ValuesIn(text_cases),
                         [](const auto& info) { return vandrel::test::spelled(info.param.text); });

struct NumberCase {
    double value;
    const char* expected;
};

const NumberCase number_cases[] = {
    {0.47, " .47"}, {0, " 0"}, {-0.0, " 0"}, {15.0, " 15"}, {-3, "-3"}, {-0.5, "-.5"}, {1, " 1"},
    {0.707, " .707"}, {24.1, " 24.1"}, {1002.5, " 1002.5"}, {0.31, " .31"},
    // cut-down results carry binary noise that 15 digits hide
    {13.299999999999999, " 13.3"}, {0.1 + 0.2, " .3"}, {643.0000000000001, " 643"},
    // 15 significant digits, rounded to nearest
    {1.0 / 3, " .333333333333333"}, {123456.7890123456, " 123456.789012346"},
    {999999999999999, " 999999999999999"}, {0.9999999999999999, " 1"},
    // exponent form from 1E15 up, and below 1E-4
    {1e15, " 1E+15"}, {9.999999999999999e14, " 1E+15"}, {1.5e15, " 1.5E+15"}, {-1e300, "-1E+300"},
    {123456789012345678.0, " 1.23456789012346E+17"}, {0.0001, " .0001"}, {0.00012, " .00012"},
    {0.00001, " 1E-05"}, {1.5e-7, " 1.5E-07"}, {1e-10, " 1E-10"}, {-2.5e-14, "-2.5E-14"}, {largest, " 1.79769313486232E+308"},
};

class NumberToText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberToText, WritesTheWindowForm) {
    EXPECT_EQ(number_to_text(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, NumberToText, ::testing::ValuesIn(number_cases),
                         [](const auto& info) { return "value_" + vandrel::test::spelled(info.param.value); });

TEST(NumberToFieldText, DropsTheBlanks) {
    EXPECT_EQ(number_to_field_text(0.707), ".707");
    EXPECT_EQ(number_to_field_text(24.1), "24.1");
    EXPECT_EQ(number_to_field_text(-3), "-3");
    EXPECT_EQ(number_to_field_text(0), "0");
}

TEST(TextLength, CountsCharactersNotBytes) {
    EXPECT_EQ(vandrel::text_length(""), 0u);
    EXPECT_EQ(vandrel::text_length(" 1 2 "), 5u);
    EXPECT_EQ(vandrel::text_length("10\xC2\xB5" "F"), 4u);  // "10µF"
    EXPECT_EQ(vandrel::text_length("1\xE2\x82\xAC"), 2u);      // "1€"
    EXPECT_EQ(vandrel::text_length("1\xF0\x9F\x8E\xB5"), 2u);  // "1" and a 4-byte musical note
}

// The conversions never follow the C or C++ locale. The comma locale is made
// by the test set-up (LOCPATH); without it the test is skipped.
TEST(NumberText, IgnoresACommaDecimalLocale) {
    const char* chosen = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (chosen == nullptr) GTEST_SKIP() << "no comma-decimal locale on this machine";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::locale previous = std::locale::global(std::locale(""));

    EXPECT_EQ(text_to_number("1.5"), 1.5);
    EXPECT_EQ(text_to_number("1,5"), 1);
    EXPECT_EQ(text_to_number("2e1"), 20);
    EXPECT_EQ(number_to_text(0.47), " .47");
    EXPECT_EQ(number_to_text(1234.5), " 1234.5");
    EXPECT_EQ(number_to_text(1.5e15), " 1.5E+15");

    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
}

// Every text a field can show must read back as the number it came from.
TEST(NumberText, FieldTextReadsBack) {
    for (double v : {0.707, 24.1, 1002.5, 9.987, 0.0001, 643.0, 122.9, 0.31, 1e-7, 2.5e17})
        EXPECT_DOUBLE_EQ(text_to_number(number_to_field_text(v)), v) << v;
}

}  // namespace
