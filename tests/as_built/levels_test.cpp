// SPDX-License-Identifier: GPL-3.0-or-later
// The filter's levels at full scale against the op-amps' swing and the
// amplifier's sensitivity; their inputs; the section's tolerance corners.
#include <gtest/gtest.h>

#include <cmath>

#include "vandrel/as_built/corners.h"
#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/levels_text.h"

namespace {

using namespace vandrel::as_built;

// A section of C = 1 uF at f0 and Q, Solve's 2 pi, behind a buffer of
// `gain_db` (0: a follower).
PathParts path(double f0, double q, double gain_db) {
    PathParts p;
    if (gain_db > 0) p.r1 = 15 / (std::pow(10.0, gain_db / 20) - 1);
    const double xc = 1000 / (1.0 * (f0 * 6.2831853));
    p.r3 = xc / (q * 2);
    p.r4 = xc * 2 * q;
    return p;
}

TEST(Levels, AtFullScale) {
    struct Case {
        const char* name;
        PathParts path;
        LevelInputs in;
        double swing, buffer_v, buffer_hz, section_v, section_hz, buffer_headroom, section_headroom, amp_input;
        std::optional<double> overdrive, matching;
        std::vector<std::string> warned;  // the start of each warning
    };
    const Case cases[] = {
        {"the start design", path(17, 0.707, 6), {}, 9.54594154601839, 3.9795393482012047, 64.46647530593995,
         3.9746041601903856, 85.12125087116877, 7.599719349237519, 7.61049775771369, 3.9122790489585877, {}, {}, {}},
        {"Q 2 at 20 Hz, 12 dB, into a 1 V amplifier", path(20, 2, 12), {2, 15, 1.0}, 9.54594154601839,
         7.937625332784098, 60.932223399641416, 16.241335076262796, 21.42042704948746, 1.6025634985181103,
         -4.616059114919253, 7.806022952029358, 17.848596478041273, 0,
         {"at full scale (2 V) the high-pass's output reaches 16.24 V rms at 21.42 Hz, beyond the op-amps' swing of "
          "9.546 V rms on +-15 V: it clips by 4.62 dB",
          "full scale drives the amplifier 17.8 dB past its full output (7.806 V into a sensitivity of 1 V); a "
          "buffer gain of 0 dB matches it best"}},
        {"a follower on +-5 V into a 2 V amplifier", path(17, 0.707, 0), {0.5, 5, 2.0}, 2.4748737341529163,
         0.4999971333094083, 1000, 0.49999706877735806, 1000, 13.891710643304297, 13.89171176434733,
         0.4901960784313726, -12.213203261797599, 12.2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Levels l = filter_levels(c.path, c.in);
        EXPECT_NEAR(l.swing_v_rms, c.swing, 1e-12);
        EXPECT_NEAR(l.buffer_peak_v, c.buffer_v, 1e-9);
        EXPECT_NEAR(l.buffer_peak_hz / c.buffer_hz, 1, 1e-5);
        EXPECT_NEAR(l.section_peak_v, c.section_v, 1e-9);
        EXPECT_NEAR(l.section_peak_hz / c.section_hz, 1, 1e-5);
        EXPECT_NEAR(l.buffer_headroom_db, c.buffer_headroom, 1e-9);
        EXPECT_NEAR(l.section_headroom_db, c.section_headroom, 1e-9);
        EXPECT_EQ(l.buffer_clips(), c.buffer_headroom < 0);
        EXPECT_EQ(l.section_clips(), c.section_headroom < 0);
        EXPECT_NEAR(l.amp_input_v, c.amp_input, 1e-12);
        EXPECT_EQ(l.amp_overdrive_db.has_value(), c.overdrive.has_value());
        if (l.amp_overdrive_db && c.overdrive) {
            EXPECT_NEAR(*l.amp_overdrive_db, *c.overdrive, 1e-9);
            EXPECT_EQ(l.matching_gain_db, c.matching);
        }
        ASSERT_EQ(l.warnings.size(), c.warned.size());
        for (std::size_t i = 0; i < c.warned.size(); ++i) EXPECT_EQ(l.warnings[i].text, c.warned[i]);
    }
}

TEST(Levels, OverdriveWarnedBeyondOneDecibel) {
    // The start design gives the amplifier 3.912 V: 1 dB past 3.487 V.
    const struct {
        double sensitivity;
        bool warned;
    } cases[] = {{3.9, false}, {3.5, false}, {3.48, true}, {10, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sensitivity);
        EXPECT_EQ(filter_levels(path(17, 0.707, 6), {2, 15, c.sensitivity}).warnings.size(), c.warned ? 1u : 0u);
    }
    // The gain that matches, to 0.1 dB: 20 log10(3.5 / (2 x 10/10.2)) = 5.04 dB.
    EXPECT_EQ(filter_levels(path(17, 0.707, 6), {2, 15, 3.5}).matching_gain_db, 5.0);
    EXPECT_EQ(filter_levels(path(17, 0.707, 6), {2, 15, 100}).matching_gain_db, 20);
}

TEST(Levels, InputsChecked) {
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        LevelInputs in;
        std::vector<std::string> errors, warnings;
    };
    const Case cases[] = {
        {"defaults", {}, {}, {}},
        {"source 0", {0, 15, {}}, {"source-volts"}, {}},
        {"source not a number", {nan, 15, {}}, {"source-volts"}, {}},
        {"source absurd", {200, 15, {}}, {"source-volts"}, {}},
        {"source unusual", {20, 15, {}}, {}, {"source-volts"}},
        {"supply at the swing's drop", {2, 1.5, {}}, {"supply"}, {}},
        {"supply negative", {2, -15, {}}, {"supply"}, {}},
        {"supply absurd", {2, 150, {}}, {"supply"}, {}},
        {"supply unusual", {2, 3, {}}, {}, {"supply"}},
        {"sensitivity 0", {2, 15, 0.0}, {"amp-sensitivity"}, {}},
        {"sensitivity infinite", {2, 15, std::numeric_limits<double>::infinity()}, {"amp-sensitivity"}, {}},
        {"sensitivity unusual", {2, 15, 0.05}, {}, {"amp-sensitivity"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LevelCheck check = check_level_inputs(c.in);
        std::vector<std::string> errors, warnings;
        for (const LevelIssue& e : check.errors) errors.push_back(e.parameter);
        for (const LevelIssue& w : check.warnings) warnings.push_back(w.parameter);
        EXPECT_EQ(errors, c.errors);
        EXPECT_EQ(warnings, c.warnings);
        if (!c.errors.empty()) {
            EXPECT_THROW(filter_levels(path(17, 0.707, 6), c.in), std::invalid_argument);
        }
    }
    EXPECT_EQ(check_level_inputs({2, 1.5, {}}).errors.front().text,
              "supply of 1.5 V leaves the op-amps no swing: they swing to within 1.5 V of each rail");
    PathParts broken = path(17, 0.707, 6);
    broken.r3 = 0;
    EXPECT_THROW(filter_levels(broken, {}), std::invalid_argument);
}

TEST(Levels, InWords) {
    struct Case {
        const char* name;
        double source_v, supply_v;
        std::optional<double> sensitivity, overdrive_db, matching_db;
        double headroom_db;
        const char* match;
        const char* summary;
        const char* headroom;
    };
    const Case cases[] = {
        {"no sensitivity", 2, 15, {}, {}, {}, 7.6, "", "2 V rms from the source; the op-amps on \u00b115 V swing 9.546 V rms.",
         "7.6 dB"},
        {"overdriven", 2, 15, 1, 17.77, 0, -4.652, "overdriven by 17.8 dB",
         "2 V rms from the source; the op-amps on \u00b115 V swing 9.546 V rms. A buffer gain of 0 dB matches the "
         "amplifier's 1 V best.",
         "clips by 4.65 dB"},
        {"short", 0.5, 12, 2, -12.2, 12.2, 0, "short by 12.2 dB",
         "0.5 V rms from the source; the op-amps on \u00b112 V swing 7.425 V rms. A buffer gain of 12.2 dB matches "
         "the amplifier's 2 V best.",
         "0 dB"},
        {"matched", 1, 15, 1, 0, 0, 20, "matched", "1 V rms from the source; the op-amps on \u00b115 V swing 9.546 V "
         "rms. A buffer gain of 0 dB matches the amplifier's 1 V best.", "20 dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Levels l;
        l.inputs = {c.source_v, c.supply_v, c.sensitivity};
        l.swing_v_rms = (c.supply_v - 1.5) / std::sqrt(2.0);
        l.amp_overdrive_db = c.overdrive_db;
        l.matching_gain_db = c.matching_db;
        EXPECT_EQ(amplifier_match_text(l), c.match);
        EXPECT_EQ(levels_summary(l), c.summary);
        EXPECT_EQ(headroom_text(c.headroom_db), c.headroom);
    }
}

TEST(Corners, TheEightThatMoveF0AndQ) {
    // f0 and Q of the start design's section at +-1 % (R3, R4) and +-5 % (C).
    const std::array<Section, 8> want{{
        {16.030174427698885, 0.7070000000000001},
        {16.19128575650382, 0.7141057061779857},
        {17.895631625609486, 0.7141057061779855},
        {16.19128575650382, 0.6999649991249562},
        {17.895631625609482, 0.699964999124956},
        {16.35401633532917, 0.7070000000000002},
        {17.71756120956193, 0.7069999999999999},
        {18.075491739048022, 0.7069999999999997},
    }};
    const std::array<PathParts, 8> corners = tolerance_corners(path(17, 0.707, 6), 1, 5);
    for (std::size_t i = 0; i < corners.size(); ++i) {
        SCOPED_TRACE(i);
        const Section s = section_of(corners[i]);
        EXPECT_NEAR(s.f0, want[i].f0, 1e-9);
        EXPECT_NEAR(s.q, want[i].q, 1e-12);
        EXPECT_EQ(corners[i].r1, path(17, 0.707, 6).r1);
        EXPECT_EQ(corners[i].c_in, 1.0);
    }
}

}  // namespace
