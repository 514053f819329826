// SPDX-License-Identifier: GPL-3.0-or-later
// The filter's and the subwoofer's phase, and FRD files read back by the
// measurement reader.
#include <gtest/gtest.h>

#include <cmath>

#include "vandrel/as_built/frd.h"
#include "vandrel/batch.h"
#include "vandrel/speaker/frd.h"
#include "vandrel/speaker/system.h"

namespace {

using namespace vandrel::as_built;

PathParts path(std::optional<double> r1) {
    PathParts p;
    p.r1 = r1;
    p.r3 = 2;
    p.r4 = 31.8;
    return p;
}

struct PhaseCase {
    std::optional<double> r1;
    double hz;
    double degrees;  // unwrapped
    double db;       // the whole path's level, gain included
};

// Expected: the transfer function worked out with complex numbers apart
// from the program, its phase taken onto the branch from +270 down to 0.
class PathPhase : public testing::TestWithParam<PhaseCase> {};

TEST_P(PathPhase, MatchesTheTransferFunction) {
    const PhaseCase& c = GetParam();
    const PathParts p = path(c.r1);
    EXPECT_NEAR(path_phase_deg(p, c.hz), c.degrees, 1e-9);
    EXPECT_NEAR(std::arg(path_transfer(p, c.hz)) * 180 / 3.141592653589793,
                c.degrees > 180 ? c.degrees - 360 : c.degrees, 1e-9);
    EXPECT_NEAR(20 * std::log10(std::abs(path_transfer(p, c.hz))), c.db, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, PathPhase,
                         testing::Values(PhaseCase{15.0, 1, 252.0772984309188, -57.09356053502374},
                                         PhaseCase{15.0, 10, 179.88641134974048, -4.578955430773622},
                                         PhaseCase{15.0, 20, 98.57628294818822, 11.736508076883858},
                                         PhaseCase{15.0, 100, 5.204914843626014, 6.1209169035836455},
                                         PhaseCase{15.0, 1000, -17.304426094276455, 3.9618901966002698},
                                         PhaseCase{std::nullopt, 5, 206.47134790874682, -25.370748795937867},
                                         PhaseCase{std::nullopt, 50, 17.26894189358387, 1.075860324854287}));

vandrel::Module1 solved() {
    return vandrel::solve_batch(vandrel::Mode::sos, {{vandrel::Field::freq, "20"}, {vandrel::Field::q, "2"}}).design;
}

// Each FRD read back: 601 rising points from 1 Hz to 1 kHz whose levels are
// the path's, less its gain unless absolute.
TEST(FilterFrd, ReadsBackAsAMeasurement) {
    Options o;
    o.source = {PartSource::Kind::series, ESeries::E24};
    o.combine = Combine::series;
    const AsBuilt built = analyse(solved(), o);
    for (const bool absolute : {false, true}) {
        const std::string text = filter_frd(solved(), vandrel::Mode::sos, built, absolute);
        ASSERT_EQ(text.rfind("* Vandrel ", 0), 0u);
        const auto read = vandrel::speaker::parse_measurement(text);
        ASSERT_TRUE(read.value) << read.problem.message();
        ASSERT_EQ(read.value->hz.size(), 601u);
        EXPECT_EQ(read.value->hz.front(), 1);
        EXPECT_NEAR(read.value->hz.back(), 1000, 1e-9);
        // 15k against 15k, 0.2k into 10k: 6.0206 dB less 0.1720 dB.
        const double gain_db = absolute ? 0 : 5.848596478041025;
        EXPECT_NEAR(read.value->db[300], path_level_db(built.path, read.value->hz[300]) - gain_db, 1e-12);
        EXPECT_NEAR(read.value->db[600] + gain_db, 20 * std::log10(std::abs(path_transfer(built.path, 1000))), 1e-12);
    }
}

TEST(FrdText, RefusesColumnsOfDifferentLengths) {
    const std::vector<double> two{1, 2}, one{1};
    EXPECT_THROW(frd_text({}, two, two, one), std::invalid_argument);
    EXPECT_THROW(frd_text({}, two, one, two), std::invalid_argument);
    EXPECT_EQ(frd_text(std::vector<std::string>{"a"}, two, two, two), "* a\n1 1 1\n2 2 2\n");
}

// A sealed box without losses or inductance is a second-order high-pass
// with fc = fs sqrt(1 + Vas/Vb) and Qtc = Qes sqrt(1 + Vas/Vb): its
// pressure leads by 180 - atan2((f/fc)/Qtc, 1 - (f/fc)^2), 90 degrees at fc.
TEST(SystemPhase, SealedBoxLeadsByAQuarterTurnAtItsResonance) {
    vandrel::speaker::Inputs in;
    in.driver.fs = 30;
    in.driver.qes = 0.5;
    in.driver.vas = 60;
    in.driver.re = 6;
    in.driver.sd = 500;
    in.driver.xmax = 10;
    in.box = {vandrel::speaker::Box::Type::sealed, 20, 0, std::nullopt, std::nullopt};
    in.filter = path(15.0);
    const double fc = 60;  // 30 Hz times sqrt(1 + 60/20)
    const std::vector<double> hz{0.5, fc, 1000, 20000};
    const std::vector<double> phase = vandrel::speaker::system_phase_deg(in, hz);
    EXPECT_NEAR(phase[1] - path_phase_deg(in.filter, fc), 90, 1e-6);
    EXPECT_NEAR(phase[0] - path_phase_deg(in.filter, 0.5), 179.5225130654106, 1e-6);
    EXPECT_NEAR(phase[2] - path_phase_deg(in.filter, 1000), 3.446006250632877, 1e-6);
    EXPECT_NEAR(phase[3] - path_phase_deg(in.filter, 20000), 0.1718883698660818, 1e-6);
}

}  // namespace
