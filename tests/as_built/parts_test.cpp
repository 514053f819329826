// SPDX-License-Identifier: GPL-3.0-or-later
// Preferred numbers and the choice of parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <cmath>
#include <vector>

#include "vandrel/as_built/parts.h"
#include "vandrel/as_built/parts_text.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel::as_built;
using vandrel::Field;
using vandrel::Mode;
using Parts = std::vector<double>;

std::vector<int> decade(ESeries s) {
    const auto d = decade_hundredths(s);
    return {d.begin(), d.end()};
}

TEST(PreferredNumbers, AreThePublishedTables) {
    // E192 is the rounded geometric series except for 9.20 (the formula
    // gives 9.19); E96 and E48 take every second value of the series above.
    const std::vector<int> e192 = decade(ESeries::E192);
    ASSERT_EQ(e192.size(), 192u);
    for (int i = 0; i < 192; ++i)
        EXPECT_EQ(e192[static_cast<std::size_t>(i)], i == 185 ? 920 : std::lround(100 * std::pow(10.0, i / 192.0)))
            << "E192 value " << i;
    for (auto [fine, coarse] : {std::pair{ESeries::E192, ESeries::E96}, std::pair{ESeries::E96, ESeries::E48},
                                std::pair{ESeries::E24, ESeries::E12}, std::pair{ESeries::E12, ESeries::E6},
                                std::pair{ESeries::E6, ESeries::E3}}) {
        std::vector<int> every_second;
        const std::vector<int> f = decade(fine);
        for (std::size_t i = 0; i < f.size(); i += 2) every_second.push_back(f[i]);
        EXPECT_EQ(every_second, decade(coarse)) << series_name(coarse);
    }
    // E24 leaves its formula in eight published places.
    std::vector<int> off_formula;
    const std::vector<int> e24 = decade(ESeries::E24);
    for (int i = 0; i < 24; ++i)
        if (e24[static_cast<std::size_t>(i)] != 10 * std::lround(10 * std::pow(10.0, i / 24.0)))
            off_formula.push_back(e24[static_cast<std::size_t>(i)]);
    EXPECT_EQ(off_formula, (std::vector<int>{270, 300, 330, 360, 390, 430, 470, 820}));
}

TEST(PreferredNumbers, WorkInAnyDecade) {
    struct Case {
        ESeries series;
        double x, nearest;
        bool is_value;
    };
    const Case cases[] = {
        {ESeries::E24, 2.65, 2.7, false},       {ESeries::E24, 0.0951, 0.091, false},
        {ESeries::E24, 3.0, 3.0, true},         {ESeries::E192, 9.2, 9.2, true},
        {ESeries::E192, 9.19, 9.2, false},      {ESeries::E12, 820000, 820000, true},
        {ESeries::E6, 0.047, 0.047, true},      {ESeries::E6, 0.05, 0.047, false},
        {ESeries::E96, 9.9, 10, false},         {ESeries::E3, 3.3, 2.2, false},
        {ESeries::E48, 0.0001, 0.0001, true},   {ESeries::E12, 1.1, 1.2, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nearest_value(c.series, c.x), c.nearest) << series_name(c.series) << " " << c.x;
        EXPECT_EQ(is_value(c.series, c.x), c.is_value) << series_name(c.series) << " " << c.x;
    }
    EXPECT_EQ(preferred_value(ESeries::E24, -1), 0.91);
    EXPECT_EQ(preferred_value(ESeries::E24, 24), 10);
    EXPECT_EQ(preferred_value(ESeries::E12, -13), 0.082);
    EXPECT_EQ(series_from_name("e24"), ESeries::E24);
    EXPECT_EQ(series_from_name("E25"), std::nullopt);
    EXPECT_EQ(source_from_name("Shown"), PartSource{PartSource::Kind::shown});
}

vandrel::Module1 solved(Mode mode, std::map<Field, std::string> texts) {
    const auto out = vandrel::solve_batch(mode, texts);
    EXPECT_EQ(out.end, vandrel::SolveEnd::completed);
    return out.design;
}

TEST(PartChoice, PicksThePartsThatComeClosest) {
    struct Case {
        const char* name;
        Mode mode;
        std::map<Field, std::string> texts;
        PartSource source;
        Combine combine;
        std::optional<Parts> r1;
        Parts r3, r4;
        double r_tol = 0;  // %
    };
    const PartSource e24{PartSource::Kind::series, ESeries::E24};
    const PartSource e12{PartSource::Kind::series, ESeries::E12};
    const PartSource e96{PartSource::Kind::series, ESeries::E96};
    const std::map<Field, std::string> sos20{{Field::freq, "20"}, {Field::q, "2"}};
    const Case cases[] = {
        {"StartUpSingle", Mode::butterworth, {}, e24, Combine::single, Parts{15}, {6.8}, {13}},
        {"Sos20Q2Series", Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}, e24, Combine::series,
         Parts{15, 0.068}, {1.6, 0.39}, {30, 1.8}},
        {"Sos20Q2Parallel", Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}, e12, Combine::parallel,
         Parts{15}, {22, 2.2}, {820, 33}},
        {"FollowerHasNoR1", Mode::butterworth, {{Field::gain, "0"}}, e24, Combine::series, std::nullopt,
         {6.2, 0.43}, {13, 0.24}},
        // The exact R1 is 14.90k: 15k is the nearest, and the closest in gain.
        {"Gain6p05SingleE24", Mode::butterworth, {{Field::gain, "6.05"}}, e24, Combine::single, Parts{15}, {6.8},
         {13}},
        // The exact R1 is itself a value of the series: no second part.
        {"ExactR1IsPreferred", Mode::butterworth, {{Field::gain, "6.0206"}}, e24, Combine::series, Parts{15},
         {6.2, 0.43}, {13, 0.24}},
        {"Shown", Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}, {PartSource::Kind::shown}, Combine::series,
         Parts{15}, {1.9}, {31.8}},
        // 15k alone is 0.47 % off R1 and 2k 0.53 % off R3: a second part
        // cannot beat them by more than 1 %; 33k alone is 3.7 % off R4.
        {"Within1PctTrimsOnlyR4", Mode::sos, sos20, e24, Combine::series, Parts{15}, {2}, {30, 1.8}, 1},
        {"E96Within1PctSingle", Mode::sos, sos20, e96, Combine::series, Parts{15}, {2}, {31.6}, 1},
        // Within 0.2 %, 10k + 5.1k (+0.19 %) comes within the tolerance, so
        // 15k + 68R (220:1) is too far apart.
        {"Within0p2PctPairWithin100To1", Mode::sos, sos20, e24, Combine::series, Parts{10, 5.1}, {1.6, 0.39},
         {30, 1.8}, 0.2},
        // From E12 no single part or pair within 100:1 comes within 0.2 % of
        // R1, so 15k + 68R is allowed.
        {"E12Within0p2PctWidePair", Mode::sos, sos20, e12, Combine::series, Parts{15, 0.068}, {1, 1}, {27, 4.7},
         0.2},
    };
    for (const Case& c : cases) {
        const PartsList p = choose_parts(solved(c.mode, c.texts), c.source, c.combine, CapSeries::typed, c.r_tol);
        EXPECT_EQ(p.r1 ? std::optional(p.r1->chosen) : std::nullopt, c.r1) << c.name;
        EXPECT_EQ(p.r3.chosen, c.r3) << c.name;
        EXPECT_EQ(p.r4.chosen, c.r4) << c.name;
        EXPECT_NEAR(p.r3.value, combined_value(c.r3, c.combine), 1e-12) << c.name;
    }
}

// Two choices that come equally close: the one of fewer parts wins. The
// gain is set where one part alone and the nearest pair below it (in
// series) miss the design's gain by as much, one above and one below; the
// pair is a little nearer in value, so with a tolerance of 0 it is tried.
TEST(PartChoice, FewerPartsWinATie) {
    struct Case {
        const char* name;
        ESeries series;
        double single, pair_big, pair_small;
        Parts r1;
    };
    const Case cases[] = {
        {"E24SixteenOrFifteenPlus910", ESeries::E24, 16, 15, 0.91, Parts{16}},
        {"E12EighteenOrFifteenPlus2k7", ESeries::E12, 18, 15, 2.7, Parts{18}},
    };
    for (const Case& c : cases) {
        vandrel::Module1 d = solved(Mode::butterworth, {});
        // The gain ratio midway, in log, between those the two give.
        d.gain = 10 * std::log10((1 + 15 / c.single) * (1 + 15 / (c.pair_big + c.pair_small)));
        const PartsList p = choose_parts(d, {PartSource::Kind::series, c.series}, Combine::series);
        ASSERT_TRUE(p.r1) << c.name;
        EXPECT_EQ(p.r1->chosen, c.r1) << c.name;
    }
}

TEST(PartChoice, ExactAndShownValuesFollowTheDesign) {
    const PartsList p = choose_parts(solved(Mode::butterworth, {}), {PartSource::Kind::exact}, Combine::single);
    EXPECT_NEAR(p.r1->exact, 15.0714036, 1e-6);
    EXPECT_EQ(p.r1->shown, 15);
    EXPECT_NEAR(p.r3.value, 6.6209728, 1e-6);
    EXPECT_EQ(p.r3.shown, 6.6);
    EXPECT_NEAR(p.r4.value, 13.2379465, 1e-6);
    EXPECT_EQ(p.r4.shown, 13.2);
}

TEST(PartChoice, ChecksTheCapacitorAsTyped) {
    struct Case {
        double uf;
        bool e6, e12;
        double nearest_e6, nearest_e12;
    };
    for (const Case& c : {Case{0.47, true, true, 0.47, 0.47}, Case{0.56, false, true, 0.47, 0.56},
                          Case{0.5, false, false, 0.47, 0.47}, Case{2.0, false, false, 2.2, 2.2},
                          Case{10, true, true, 10, 10}}) {
        const CapacitorCheck check = check_capacitor(c.uf);
        EXPECT_EQ(check.in_e6, c.e6) << c.uf;
        EXPECT_EQ(check.in_e12, c.e12) << c.uf;
        EXPECT_EQ(check.nearest_e6, c.nearest_e6) << c.uf;
        EXPECT_EQ(check.nearest_e12, c.nearest_e12) << c.uf;
    }
}

// Realistic designs on a grid: C 0.1 to 4.7 uF, 5 to 40 Hz, Q 0.707 to 3.
std::vector<vandrel::Module1> realistic_designs() {
    std::vector<vandrel::Module1> out;
    for (const char* c : {"0.1", "0.22", "0.47", "1", "2.2", "4.7", "0.33", "1.5", "0.68"})
        for (const char* f : {"5", "8.3", "12", "17", "23.5", "31", "40"})
            for (const char* q : {"0.707", "0.85", "1.1", "1.6", "2.3", "3"})
                out.push_back(solved(Mode::sos, {{Field::cfilter, c}, {Field::freq, f}, {Field::q, q}}));
    return out;
}

double f3_error(const vandrel::Module1& d, double r3, double r4) {
    PathParts p;
    p.c1 = p.c2 = d.cfilter;
    p.r3 = r3;
    p.r4 = r4;
    return std::abs(section_figures(section_of(p)).f3 / section_figures({d.f0, d.q}).f3 - 1);
}

TEST(PartChoice, MeetsItsGoalsOverRealisticDesigns) {
    std::vector<double> series_errors;
    for (const vandrel::Module1& d : realistic_designs()) {
        const PartsList single = choose_parts(d, {PartSource::Kind::series, ESeries::E24}, Combine::single);
        const PartsList exact = choose_parts(d, {PartSource::Kind::exact}, Combine::single);
        const double nearest = f3_error(d, nearest_value(ESeries::E24, exact.r3.value),
                                        nearest_value(ESeries::E24, exact.r4.value));
        EXPECT_LE(f3_error(d, single.r3.value, single.r4.value), nearest + 1e-12)
            << d.cfilter << " uF " << d.f0 << " Hz Q " << d.q;
        const PartsList two = choose_parts(d, {PartSource::Kind::series, ESeries::E24}, Combine::series);
        series_errors.push_back(f3_error(d, two.r3.value, two.r4.value));
    }
    std::sort(series_errors.begin(), series_errors.end());
    EXPECT_LT(series_errors[series_errors.size() * 95 / 100], 0.005);
}

// The relative deviation of the nearest single part of `s` from `target`.
double single_off(ESeries s, double target) { return std::abs(nearest_value(s, target) / target - 1); }

// Whether some single part, or two within 100:1 joined as `combine` says,
// come within `tol` of `target`: every value of the series near it tried.
bool within_tolerance_close(ESeries s, double target, Combine combine, double tol) {
    if (single_off(s, target) <= tol) return true;
    std::vector<double> values;
    for (int k = index_at_or_below(s, target / 200); preferred_value(s, k) <= target * 200; ++k)
        values.push_back(preferred_value(s, k));
    for (double a : values)
        for (double b : values)
            if (b <= a && a <= 100 * b && std::abs(combined_value({a, b}, combine) / target - 1) <= tol) return true;
    return false;
}

// Over realistic designs, series and tolerances, every pair chosen beats the
// nearest single part by more than the tolerance, and two parts more than
// 100:1 apart only where nothing closer comes within it.
TEST(PartChoice, PairsOnlyWhereTheyBeatTheToleranceAndStayClose) {
    const std::vector<vandrel::Module1> all = realistic_designs();
    int pairs = 0, wide = 0;
    for (std::size_t i = 0; i < all.size(); i += 9)
        for (ESeries s : {ESeries::E12, ESeries::E24, ESeries::E96})
            for (Combine combine : {Combine::series, Combine::parallel})
                for (double pct : {0.1, 1.0, 5.0}) {
                    const PartsList p = choose_parts(all[i], {PartSource::Kind::series, s}, combine, CapSeries::typed, pct);
                    std::vector<const Resistor*> resistors{&p.r3, &p.r4};
                    if (p.r1) resistors.push_back(&*p.r1);
                    for (const Resistor* r : resistors) {
                        if (r->chosen.size() < 2) continue;
                        ++pairs;
                        const double off = std::abs(r->value / r->exact - 1);
                        EXPECT_GT(single_off(s, r->exact) - off, pct / 100) << series_name(s) << " " << r->exact;
                        const double ratio = r->chosen[0] / r->chosen[1];
                        EXPECT_LE(ratio, 1000);
                        if (ratio > 100) {
                            ++wide;
                            EXPECT_FALSE(within_tolerance_close(s, r->exact, combine, pct / 100))
                                << series_name(s) << " " << r->exact << " " << pct;
                        }
                    }
                }
    // The rule leaves pairs, some of them wide apart, to check.
    EXPECT_GT(pairs, 100);
    EXPECT_GT(wide, 0);
}

// The capacitors bought are as typed or the nearest E6 or E12 value; R3
// and R4 are worked out for them, so exact parts keep the design's section.
TEST(PartChoice, BuildsWithTheCapacitorChosen) {
    struct Case {
        const char* typed;
        CapSeries from;
        double chosen, r3_exact;
    };
    for (const Case& c : {Case{"0.5", CapSeries::typed, 0.5, 13.2419}, Case{"0.5", CapSeries::E6, 0.47, 14.0872},
                          Case{"0.56", CapSeries::E6, 0.47, 14.0872}, Case{"0.56", CapSeries::E12, 0.56, 11.8232},
                          Case{"2", CapSeries::E12, 2.2, 3.00952}}) {
        const vandrel::Module1 d = solved(Mode::butterworth, {{Field::cfilter, c.typed}});
        const PartsList p = choose_parts(d, {PartSource::Kind::exact}, Combine::single, c.from);
        EXPECT_EQ(p.c.chosen, c.chosen) << c.typed;
        EXPECT_NEAR(p.r3.exact, c.r3_exact, 5e-5) << c.typed;
        const PathParts path = path_of(p, 10);
        EXPECT_EQ(path.c1, c.chosen);
        EXPECT_NEAR(section_of(path).f0, 17, 1e-6) << c.typed;
    }
}

// The parts as vandrel-solve prints them and the Parts window shows them:
// units in the form people buy parts in, "none" for no figure.
TEST(PartsText, WritesFiguresAndPartsAsPeopleReadThem) {
    CapacitorCheck nearest_e6 = check_capacitor(0.5, CapSeries::E6);
    const struct {
        std::string text, expected;
    } rows[] = {
        {chosen_text({.chosen = {6.8}}), "6.8 kΩ"},
        {chosen_text({.chosen = {15, 0.068}, .combine = Combine::series}), "15 kΩ + 68 Ω"},
        {chosen_text({.chosen = {1780, 15.2}, .combine = Combine::parallel}), "1.78 MΩ || 15.2 kΩ"},
        {peak_text(std::nullopt, 0), "none"},
        {peak_text(21.3846, 6.30119), "6.301 dB at 21.38 Hz"},
        {spread_text({13.03, 13.4812, 13.95}, "Hz"), "13.03 / 13.48 / 13.95 Hz"},
        {spread_text({0, 0, 0}, "dB", true), "none"},
        {spread_text({0, 0.1175, 0.3341}, "dB", true), "none / 0.1175 / 0.3341 dB"},
        {capacitor_text(check_capacitor(1.2)), "as typed, an E12 value (nearest E6 1 µF, E12 1.2 µF)"},
        {capacitor_text(check_capacitor(0.5)),
         "as typed, in neither E6 nor E12 (nearest E6 0.47 µF, E12 0.47 µF)"},
        {capacitor_text(nearest_e6), "the nearest E6 value to 0.5 µF as typed"},
        {capacitor_text(check_capacitor(2.2, CapSeries::E12)), "as typed, an E12 value"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.text, row.expected);
}

}  // namespace
