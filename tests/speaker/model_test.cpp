// SPDX-License-Identifier: GPL-3.0-or-later
// The acoustic circuit and the analysis: worked values, the two classic
// alignments, and the figures with and without the filter.
#include <gtest/gtest.h>

#include "systems.h"
#include "vandrel/speaker/suggest.h"
#include "vandrel/speaker/system.h"

namespace {

using namespace vandrel::speaker;
using namespace vandrel::speaker::test;

TEST(Model, MechanicsFromThieleSmall) {
    struct Case {
        Driver d;
        double cms, mms, rms, bl;
    };
    for (const Case& c : {Case{twelve_inch(), 2.1013879642781848e-4, 0.17831477373862953, 4.698387730096427,
                               14.151635135042175},
                          Case{ten_inch(), 2.6152421918095053e-4, 0.09458633383038485, 4.754427703864461,
                               14.64177131955871}}) {
        SCOPED_TRACE(c.d.name);
        const Mechanics m = mechanics_of(c.d);
        EXPECT_NEAR(m.cms / c.cms, 1, 1e-12);
        EXPECT_NEAR(m.mms / c.mms, 1, 1e-12);
        EXPECT_NEAR(m.rms / c.rms, 1, 1e-12);
        EXPECT_NEAR(m.bl / c.bl, 1, 1e-12);
    }
    Driver lossless = twelve_inch();
    lossless.qms.reset();
    EXPECT_EQ(mechanics_of(lossless).rms, 0);
}

TEST(Model, PointValues) {
    // SPL (dB at 1 m), excursion (mm peak) and port velocity (m/s peak) at
    // 20 V (vented) and 10 V (sealed with leakage Ql 10, Le 0.8 mH).
    struct Case {
        const char* name;
        Driver d;
        Box b;
        double volts, hz, spl, excursion, port;
    };
    const Case cases[] = {
        {"vented 10 Hz", twelve_inch(), vented_70l(), 20, 10, 73.04796935519387, 22.496036884361036, 9.99307394183152},
        {"vented 25 Hz", twelve_inch(), vented_70l(), 20, 25, 103.57496333634342, 4.354961328192537,
         21.489621879981275},
        {"vented 50 Hz", twelve_inch(), vented_70l(), 20, 50, 107.98348250705246, 5.67955708019878, 4.4623614539550385},
        {"sealed 10 Hz", ten_inch(), sealed_30l(), 10, 10, 69.38577309082461, 3.7912445705349547, 0},
        {"sealed 25 Hz", ten_inch(), sealed_30l(), 10, 25, 85.26845743896794, 3.4566760455483587, 0},
        {"sealed 50 Hz", ten_inch(), sealed_30l(), 10, 50, 94.95913153954189, 2.600466360666955, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const System s(c.d, c.b);
        const Flows f = s.flows(c.hz);
        EXPECT_NEAR(spl_db(s.pressure(c.hz, f) * c.volts), c.spl, 1e-9);
        EXPECT_NEAR(s.excursion_mm(c.hz, f) * c.volts, c.excursion, 1e-9);
        EXPECT_NEAR(s.port_velocity(f) * c.volts, c.port, 1e-9);
    }
}

// A lossless system (no Qms, Le 0) in an alignment whose -3 dB frequency is
// known in closed form.
struct Alignment {
    const char* name;
    Driver driver;
    Box box;
    double f3;
};

// The test's name in listings, instead of the object's bytes.
void PrintTo(const Alignment& a, std::ostream* os) { *os << a.name; }

class Alignments : public testing::TestWithParam<Alignment> {};

TEST_P(Alignments, F3WithinTwoTenthsOfAPercent) {
    const Alignment& a = GetParam();
    const Analysis r = analyse(inputs(a.driver, a.box, 2.83));
    ASSERT_TRUE(r.without_filter.f3);
    EXPECT_NEAR(*r.without_filter.f3 / a.f3, 1, 0.002);
}

// Qtc = 0.5 sqrt(1 + Vas/Vb) = 0.7071: Vb = 50 / ((0.7071/0.5)^2 - 1).
const double butterworth_vb = 50 / (0.7071 / 0.5 * (0.7071 / 0.5) - 1);

INSTANTIATE_TEST_SUITE_P(
    Speaker, Alignments,
    testing::Values(Alignment{"sealed_butterworth", {"", 30, 0.5, {}, 50, 4, 500, 10, 0},
                              {Box::Type::sealed, butterworth_vb, 0, {}, {}},
                              30 * std::sqrt(1 + 50 / butterworth_vb)},
                    Alignment{"vented_fourth_order_butterworth", {"", 30, 0.3827, {}, 1.4142 * 60, 4, 500, 10, 0},
                              {Box::Type::vented, 60, 30, {}, {}}, 30}),
    [](const testing::TestParamInfo<Alignment>& info) { return std::string(info.param.name); });

TEST(Model, FiguresWithoutAndWithTheFilter) {
    struct Drive {
        std::optional<double> f3;
        std::array<double, 3> spl;
        double peak_mm, peak_hz;
        std::optional<double> port, port_hz;
    };
    struct Case {
        const char* name;
        Inputs in;
        double passband;
        Drive without, with;
        std::optional<double> unsafe;
        std::vector<std::string> warned;  // the warnings' parameters
    };
    const Case cases[] = {
        {"vented at 20 V",
         inputs(twelve_inch(), vented_70l(), 20),
         106.72097464882908,
         {25.16840817567421, {97.26716620870413, 106.40138780157757, 107.72127021386251}, 25.458822677408154, 1,
          21.794758019506588, 23.500250050414788},
         {26.173073722862036, {95.31785251431717, 105.91684435700729, 107.54575153048785}, 11.371645282864602,
          16.453853647631934, 19.33268299025586, 24.735417541646687},
         std::nullopt,
         {"port-diameter", "port-diameter"}},
        {"vented at 30 V",
         inputs(twelve_inch(), vented_70l(), 30),
         106.72097464882908 + 20 * std::log10(1.5),
         {25.16840817567421, {}, 25.458822677408154 * 1.5, 1, {}, {}},
         {26.173073722862036, {98.8396776954308, 109.43866953812092, 111.06757671160148}, 17.057467924296905,
          16.45385347200031, 28.99902448538382, 24.735417799292765},
         21.443077671058006,
         {"xmax", "port-diameter", "port-diameter"}},
        {"sealed at 10 V",
         inputs(ten_inch(), sealed_30l(), 10),
         97.77119241484912,
         {49.030088417341744, {81.48838468447985, 88.23668303727631, 92.43708010704498}, 7.925235466123467, 1, {}, {}},
         {49.4763482956083, {79.53907099009291, 87.75213959270604, 92.26156142367032}, 3.1770839858670104,
          29.872401135862116, {}, {}},
         std::nullopt,
         {}},
    };
    const auto expect = [](const DriveFigures& got, const Drive& want) {
        ASSERT_TRUE(got.f3);
        EXPECT_NEAR(*got.f3, *want.f3, 1e-6);
        for (std::size_t i = 0; i < 3; ++i)
            if (want.spl[i] != 0) {
                EXPECT_NEAR(got.spl_db_at[i], want.spl[i], 1e-9);
            }
        EXPECT_NEAR(got.peak_excursion_mm, want.peak_mm, 1e-9);
        EXPECT_NEAR(got.peak_excursion_hz, want.peak_hz, 1e-3);
        if (want.port) {
            EXPECT_NEAR(*got.peak_port_velocity, *want.port, 1e-9);
            EXPECT_NEAR(*got.peak_port_hz, *want.port_hz, 1e-3);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis a = analyse(c.in);
        EXPECT_NEAR(a.passband_spl_db, c.passband, 1e-9);
        expect(a.without_filter, c.without);
        expect(a.with_filter, c.with);
        EXPECT_EQ(a.with_filter.peak_port_velocity.has_value(), c.in.box.port_diameter.has_value());
        EXPECT_EQ(a.unsafe_below_hz.has_value(), c.unsafe.has_value());
        if (c.unsafe && a.unsafe_below_hz) {
            EXPECT_NEAR(*a.unsafe_below_hz, *c.unsafe, 1e-6);
        }
        std::vector<std::string> warned;
        for (const Issue& w : a.warnings) warned.push_back(w.parameter);
        EXPECT_EQ(warned, c.warned);
    }
}

TEST(Model, TablesOnTheResponseFrequencies) {
    Measurement m{{10, 100}, {80, 90}};
    const Analysis a = analyse(inputs(twelve_inch(), vented_70l(), 20), &m);
    ASSERT_EQ(a.hz.size(), 601u);
    EXPECT_EQ(a.hz.front(), 1);
    EXPECT_EQ(a.hz[200], 10);
    EXPECT_EQ(a.hz.back(), 1000);
    // The filter's level relative to its pass band at 10^1.3 Hz: -1.96406 dB.
    EXPECT_NEAR(a.spl_filtered_db[260] - a.spl_db[260], -1.9640599690099314, 1e-9);
    EXPECT_NEAR(a.excursion_filtered_mm[260] / a.excursion_mm[260], 0.7976217747892507, 1e-12);
    EXPECT_FALSE(a.measured_db[199]);
    EXPECT_EQ(a.measured_db[200], 80);
    EXPECT_NEAR(*a.measured_db[300], 85, 1e-12);  // half way in ln f
    EXPECT_NEAR(*a.measured_filtered_db[260] - *a.measured_db[260], -1.9640599690099314, 1e-9);
    EXPECT_EQ(a.measured_db[400], 90);
    EXPECT_FALSE(a.measured_db[401]);

    const std::string csv = system_response_csv(a);
    EXPECT_TRUE(csv.starts_with("hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,port_velocity_ms,"
                                "port_velocity_filtered_ms,measured_db,measured_filtered_db,max_spl_db,max_spl_limit,"
                                "max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered\n1,"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 602);
    // 1 kHz is beyond the measurement; the amplifier binds there without
    // the filter, full scale through it with.
    const std::string last = csv.substr(csv.rfind('\n', csv.size() - 2) + 1);
    EXPECT_TRUE(last.ends_with(",,,96.75902008045169,amplifier,94.87303863913212,drive,16.09648034423049\n")) << last;
    const std::string sealed = system_response_csv(analyse(inputs(ten_inch(), sealed_30l(), 10)));
    EXPECT_TRUE(sealed.starts_with("hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,max_spl_db,"
                                   "max_spl_limit,max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered\n"));
}

TEST(Model, RefusesWhatCannotBeAnalysed) {
    Inputs bad_volts = inputs(twelve_inch(), vented_70l(), not_a_number);
    Inputs bad_driver = inputs(twelve_inch(), vented_70l(), 20);
    bad_driver.driver.fs = infinity;
    Inputs bad_box = inputs(twelve_inch(), vented_70l(), 20);
    bad_box.box.fb = 0;
    Inputs bad_filter = inputs(twelve_inch(), vented_70l(), 20);
    bad_filter.filter.r3 = not_a_number;
    for (const Inputs& in : {bad_volts, bad_driver, bad_box, bad_filter})
        EXPECT_THROW(analyse(in), std::invalid_argument);
    const System s(twelve_inch(), vented_70l());
    for (double hz : {0.0, -1.0, not_a_number, infinity}) {
        EXPECT_THROW(s.flows(hz), std::invalid_argument);
        EXPECT_THROW(s.excursion_mm(hz, s.flows(10)), std::invalid_argument);
        EXPECT_THROW(sealed_fc(ten_inch(), hz), std::invalid_argument);
        EXPECT_THROW(with_section(start_design_path(), hz, 0.707), std::invalid_argument);
        EXPECT_THROW(with_section(start_design_path(), 20, hz), std::invalid_argument);
    }
    for (double pa : {-1.0, not_a_number, infinity}) EXPECT_THROW(spl_db(pa), std::invalid_argument);
}

}  // namespace
