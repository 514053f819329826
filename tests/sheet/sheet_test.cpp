// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet's number forms and its list of parts to buy.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "parts_to_buy.h"
#include "sheet_text.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel::sheet;
namespace ab = vandrel::as_built;
using vandrel::Field;
using vandrel::Mode;

ab::Resistor two(double a, double b, ab::Combine how) {
    ab::Resistor r;
    r.chosen = {a, b};
    r.combine = how;
    return r;
}

TEST(SheetText, NumbersAndUnits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string got;
        std::string expected;
    } cases[] = {
        {six_digits(15.0714035630587), "15.0714"},
        {six_digits(-0.0), "0"},
        {six_digits(1234567), "1234567"},
        {six_digits(nan), "none"},
        {resistance_text(0.068), "68 Ω"},
        {resistance_text(0.2), "200 Ω"},
        {resistance_text(0.000001), "0.001 Ω"},
        {resistance_text(1), "1 kΩ"},
        {resistance_text(15.0714035630587), "15.0714 kΩ"},
        {resistance_text(999.9999), "1000 kΩ"},
        {resistance_text(1780), "1.78 MΩ"},
        {capacitance_text(0.047), "0.047 µF"},
        {capacitance_text(1e-5), "0.00001 µF"},
        {tolerance_text(0.1), "±0.1 %"},
        {figure_text(13.47247, "Hz"), "13.4725 Hz"},
        {figure_text(std::nullopt, "Hz"), "none"},
        {figure_text(INFINITY, "dB"), "none"},
        {peak_text(21.38094, 6.300894), "6.30089 dB at 21.3809 Hz"},
        {peak_text(std::nullopt, 0), "none"},
        {resistor_text(two(15, 0.068, ab::Combine::series)), "15 kΩ + 68 Ω"},
        {resistor_text(two(15, 0.068, ab::Combine::series), "\n"), "15 kΩ\n+ 68 Ω"},
        {resistor_text(two(10, 10, ab::Combine::parallel)), "10 kΩ ∥ 10 kΩ"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected);
}

// The list, one "quantity | part | tolerance | where" a line.
std::vector<std::string> listed(Mode mode, const std::map<Field, std::string>& texts, ab::PartSource source,
                                ab::Combine combine) {
    const auto outcome = vandrel::solve_batch(mode, texts);
    ab::Options options;
    options.source = source;
    options.combine = combine;
    options.tolerance.runs = 10;
    std::vector<std::string> lines;
    for (const PartToBuy& p : parts_to_buy(ab::analyse(outcome.design, options)))
        lines.push_back(std::to_string(p.quantity) + " | " + p.part + " | " + p.tolerance + " | " + p.where);
    return lines;
}

TEST(PartsToBuy, EveryPartCountedOnceByValue) {
    const ab::PartSource e24{ab::PartSource::Kind::series, ab::ESeries::E24};
    const ab::PartSource e12{ab::PartSource::Kind::series, ab::ESeries::E12};
    const struct {
        const char* name;
        std::vector<std::string> got;
        std::vector<std::string> expected;
    } cases[] = {
        {"two in series where they beat one part; the 15k of R1 with the feedback's",
         listed(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}, e24, ab::Combine::series),
         {"1 | Resistor 200 Ω | ±1 % | output", "1 | Resistor 1.8 kΩ | ±1 % | R4", "1 | Resistor 2 kΩ | ±1 % | R3",
          "2 | Resistor 15 kΩ | ±1 % | R1, feedback", "1 | Resistor 30 kΩ | ±1 % | R4",
          "1 | Resistor 47 kΩ | ±1 % | input", "1 | Capacitor 0.01 µF | ±5 % | feedback",
          "3 | Capacitor 1 µF | ±5 % | C ×2, input", "1 | Dual op-amp TL072 |  | buffer and high-pass"}},
        {"follower: no R1 and no feedback parts",
         listed(Mode::butterworth, {{Field::gain, "0"}, {Field::cfilter, "0.47"}}, e12, ab::Combine::single),
         {"1 | Resistor 200 Ω | ±1 % | output", "1 | Resistor 15 kΩ | ±1 % | R3", "1 | Resistor 27 kΩ | ±1 % | R4",
          "1 | Resistor 47 kΩ | ±1 % | input", "2 | Capacitor 0.47 µF | ±5 % | C ×2",
          "1 | Capacitor 1 µF | ±5 % | input", "1 | Dual op-amp TL072 |  | buffer and high-pass"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.name;
}

}  // namespace
