// SPDX-License-Identifier: GPL-3.0-or-later
// The suggested filter: within every limit at its nominal parts and at its
// tolerance corners, as good as an exhaustive search allows, as built from
// E24 parts when asked, no peak where the amplifier has no headroom; and
// no suggestion, with what would help, when a limit is broken in the pass
// band.
#include <gtest/gtest.h>

#include <charconv>

#include "systems.h"
#include "vandrel/batch.h"
#include "vandrel/speaker/suggest.h"

namespace {

using namespace vandrel::speaker;
using namespace vandrel::speaker::test;
namespace ab = vandrel::as_built;
using vandrel::Field;
using vandrel::Mode;

double number(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// The 12-inch in 70 L at 27 Hz with the README's 15 cm port.
Box wide_port() { return {Box::Type::vented, 70, 27, 7.0, 15.0}; }

// A 15-inch driver: fs 20 Hz, Qes 0.42, Qms 5, Vas 200 L, Re 3.4 ohm,
// Sd 855 cm^2, Xmax 18 mm, Le 2 mH.
Driver fifteen_inch(double xmax = 18) { return {"fifteen", 20, 0.42, 5.0, 200, 3.4, 855, xmax, 2.0}; }

Inputs with(Inputs in, std::optional<double> amp, std::optional<double> pe = std::nullopt) {
    in.amp_volts = amp;
    in.driver.pe = pe;
    return in;
}

// The section's eight corners at +-1 % (R3, R4 each) and +-5 % (both C).
std::vector<ab::PathParts> corners_of(const ab::PathParts& p) {
    std::vector<ab::PathParts> out{p};
    for (double c : {1.05, 0.95})
        for (double r3 : {1.01, 0.99})
            for (double r4 : {1.01, 0.99}) {
                ab::PathParts q = p;
                q.c1 *= c;
                q.c2 *= c;
                q.r3 *= r3;
                q.r4 *= r4;
                out.push_back(q);
            }
    return out;
}

// Every limit kept by `path` and its corners, checked through the analysis.
void expect_within_limits(const Inputs& in, const ab::PathParts& path) {
    for (const ab::PathParts& corner : corners_of(path)) {
        Inputs moved = in;
        moved.filter = corner;
        const Analysis a = analyse(moved);
        EXPECT_LE(a.with_filter.peak_excursion_mm, in.driver.xmax);
        EXPECT_FALSE(a.unsafe_below_hz);
        if (in.box.port_diameter) {
            EXPECT_LE(*a.with_filter.peak_port_velocity, in.port_limit);
        }
        const double amp = *std::max_element(a.amplifier_v_filtered.begin(), a.amplifier_v_filtered.end());
        EXPECT_LE(amp, in.amp_volts.value_or(in.volts) * 1.0057731);  // + 0.05 dB
        if (in.driver.pe) {
            EXPECT_LE(amp * amp / in.driver.re, *in.driver.pe);
        }
    }
}

TEST(Suggest, AgainstAnExhaustiveSearch) {
    struct Case {
        const char* name;
        Inputs in;
        // The lowest f3 within every limit at every corner of all designs
        // with Q 0.707 and 0.71 to 3 (steps of 0.01) from 1 to 60 Hz (120
        // for the sealed box) at 0.1 Hz steps, each checked at 200 and at
        // 2000 points a decade, and the Q there; the best Butterworth design.
        double lowest_f3, lowest_q, butterworth_freq, butterworth_f3;
    };
    const Inputs readme_10 = inputs(twelve_inch(), wide_port(), 10);
    const Inputs readme_20 = inputs(twelve_inch(), wide_port(), 20);
    const Inputs readme_30 = inputs(twelve_inch(), wide_port(), 30);
    const Case cases[] = {
        {"README at 10 V", readme_10, 25.1374355142, 0.78, 1.0, 25.2618314358},
        {"README at 20 V", readme_20, 25.8186928567, 0.75, 16.5, 26.0817039608},
        {"README at 30 V", readme_30, 27.4591135788, 0.75, 23.2, 27.8078242211},
        {"README at 20 V, 30 V amplifier", with(readme_20, 30), 23.3796445433, 1.40, 16.5, 26.0817039608},
        {"README at 30 V, 45 V amplifier", with(readme_30, 45), 25.6481395645, 1.10, 23.2, 27.8078242211},
        {"README at 20 V, 30 V amplifier, pe 150 W", with(readme_20, 30, 150), 24.7154134896, 0.94, 16.5,
         26.0817039608},
        {"10 cm port at 12 V, 18 V amplifier", with(inputs(twelve_inch(), vented_70l(), 12), 18), 23.0061483006, 1.18,
         5.2, 25.2711377221},
        {"sealed at 30 V", inputs(ten_inch(), sealed_30l(), 30), 49.6147061563, 0.75, 23.3, 50.1957654126},
        {"sealed at 20 V, 40 V amplifier", with(inputs(ten_inch(), sealed_30l(), 20), 40), 38.2260378841, 1.32, 1.0,
         49.1688030244},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Suggestion s = suggest(c.in);
        ASSERT_TRUE(s.design) << s.note;
        const Design& d = *s.design;
        EXPECT_LE(d.freq_text.size(), 6u);
        EXPECT_LE(d.q_text.size(), 6u);
        EXPECT_EQ(number(d.freq_text), d.freq);
        EXPECT_EQ(number(d.q_text), d.q);
        EXPECT_TRUE(d.freq >= 1 && d.freq <= 1000 && d.q >= 0.707 && d.q <= 10);
        EXPECT_EQ(d.mode == Mode::butterworth, d.q == 0.707);
        EXPECT_EQ(d.parts, "exact");

        // No lower than the search allows; within 2 % of it, and never at
        // a higher Q than the lowest's.
        ASSERT_TRUE(d.f3);
        EXPECT_GE(*d.f3, c.lowest_f3 - 1e-6);
        EXPECT_LE(*d.f3, c.lowest_f3 * 1.02 + 1e-9);
        EXPECT_LE(d.q, c.lowest_q);
        ASSERT_TRUE(s.butterworth && s.butterworth->f3);
        EXPECT_EQ(s.butterworth->freq, c.butterworth_freq);
        EXPECT_NEAR(*s.butterworth->f3, c.butterworth_f3, 1e-6);

        // Checked again through the analysis: the f3 claimed, every limit.
        Inputs moved = c.in;
        moved.filter = with_section(c.in.filter, d.freq, d.q);
        const Analysis a = analyse(moved);
        ASSERT_TRUE(a.with_filter.f3);
        EXPECT_NEAR(*a.with_filter.f3, *d.f3, 1e-9);
        EXPECT_NEAR(a.with_filter.peak_excursion_mm, d.peak_excursion_mm, 1e-9);
        expect_within_limits(c.in, moved.filter);
        EXPECT_LE(d.corner_peak_excursion_mm, c.in.driver.xmax);
        EXPECT_GE(d.corner_peak_excursion_mm, d.peak_excursion_mm);
        EXPECT_NE(s.note.find("keeps the cone within xmax"), std::string::npos) << s.note;
    }
}

TEST(Suggest, NoPeakWithoutTheAmplifiersHeadroom) {
    // The README's driver at 10 V: without a filter it all but keeps Xmax,
    // and with the amplifier at the drive the filter may not peak.
    const Suggestion s = suggest(inputs(twelve_inch(), wide_port(), 10));
    ASSERT_TRUE(s.design);
    EXPECT_EQ(s.design->mode, Mode::butterworth);
    EXPECT_EQ(s.design->freq, 1.0);
    EXPECT_EQ(s.design->filter_peak_db, 0);
    EXPECT_LE(s.design->peak_amplifier_v, 10);
    EXPECT_EQ(s.limits_kept, (std::vector<Limit>{Limit::xmax, Limit::amplifier, Limit::port}));
    EXPECT_NE(s.note.find("full scale within the amplifier's most of 10 V and the port's air within 17 m/s"),
              std::string::npos)
        << s.note;
    // With 6 dB of headroom it peaks, within it.
    const Suggestion h = suggest(with(inputs(twelve_inch(), wide_port(), 10), 20));
    ASSERT_TRUE(h.design);
    EXPECT_EQ(h.design->mode, Mode::sos);
    EXPECT_GT(h.design->filter_peak_db, 1);
    EXPECT_LE(h.design->corner_peak_amplifier_v, 20 * 1.0057731);
}

TEST(Suggest, FiguresAtTheWorstCorner) {
    // The README's driver at 30 V: Butterworth at 23.2 Hz. Its cone goes
    // furthest at the corner of f0 lowest (C, R3 and R4 all up), 12.489181 mm
    // near 17.6 Hz; full scale asks the amplifier for 29.840193 V near 101 Hz.
    const Suggestion s = suggest(inputs(twelve_inch(), wide_port(), 30));
    ASSERT_TRUE(s.design);
    EXPECT_EQ(s.design->freq_text, "23.2");
    EXPECT_NEAR(s.design->corner_peak_excursion_mm, 12.489181325, 1e-5);
    EXPECT_EQ(s.design->binding, Limit::xmax);
    EXPECT_NEAR(s.design->binding_ratio, 12.489181325 / 12.5, 1e-6);
    EXPECT_NEAR(s.design->peak_amplifier_v, 29.840193215, 1e-6);
    EXPECT_NE(s.note.find("Closest to its limit: xmax, at 99.9 % of it at the worst corner."), std::string::npos)
        << s.note;
}

TEST(Suggest, AsBuiltFromE24AtEveryCorner) {
    const vandrel::BatchOutcome start = vandrel::solve_batch(Mode::butterworth, {});
    ab::Options e24;
    e24.source = {ab::PartSource::Kind::series, ab::ESeries::E24};
    const Build build{start.fields, e24};
    const ab::PathParts built_start = ab::analyse(start.design, e24).path;
    const struct {
        const char* name;
        Inputs in;
    } cases[] = {
        {"15-inch in 150 L at 22 Hz, 40 V", {fifteen_inch(), {Box::Type::vented, 150, 22, 7.0, {}}, 40, built_start}},
        {"15-inch in 150 L at 22 Hz, 40 V, 80 V amplifier",
         {fifteen_inch(), {Box::Type::vented, 150, 22, 7.0, {}}, 40, built_start, 80.0}},
        {"15-inch, Xmax 15 mm, sealed 90 L, 40 V", {fifteen_inch(15), {Box::Type::sealed, 90, 0, {}, {}}, 40, built_start}},
        {"15-inch, Xmax 15 mm, sealed 90 L, 40 V, 80 V amplifier",
         {fifteen_inch(15), {Box::Type::sealed, 90, 0, {}, {}}, 40, built_start, 80.0}},
        {"README at 30 V", {twelve_inch(), wide_port(), 30, built_start}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Suggestion s = suggest(c.in, build);
        ASSERT_TRUE(s.design) << s.note;
        const Design& d = *s.design;
        EXPECT_EQ(d.parts, "E24");
        // "Use this design": the main window solved with its frequency and
        // Q, then the Parts page's E24 parts.
        std::map<Field, std::string> texts = start.fields;
        texts[Field::freq] = d.freq_text;
        texts[Field::q] = d.q_text;
        const vandrel::BatchOutcome used = vandrel::solve_batch(d.mode, texts);
        const ab::PathParts path = ab::analyse(used.design, e24).path;
        EXPECT_EQ(d.path.r3, path.r3);
        EXPECT_EQ(d.path.r4, path.r4);
        EXPECT_EQ(d.path.c1, path.c1);
        expect_within_limits(c.in, path);
        Inputs moved = c.in;
        moved.filter = path;
        const Analysis a = analyse(moved);
        ASSERT_TRUE(a.with_filter.f3);
        EXPECT_NEAR(*d.f3, *a.with_filter.f3, 1e-9);
        EXPECT_NE(s.note.find("as built with E24 parts and at every tolerance corner (R +-1 %, C +-5 %)"),
                  std::string::npos)
            << s.note;
    }
}

TEST(Suggest, BuiltFromExactPartsIsTheExactSearch) {
    // With exact parts building changes nothing: the same design, the same
    // figures, also where the search chose a lower Q of nearly the same f3.
    const vandrel::BatchOutcome start = vandrel::solve_batch(Mode::butterworth, {});
    ab::Options exact;
    exact.source = {ab::PartSource::Kind::exact};
    for (const Inputs& in : {with(inputs(twelve_inch(), wide_port(), 30), 45), inputs(ten_inch(), sealed_30l(), 30)}) {
        const Suggestion plain = suggest(in), built = suggest(in, {start.fields, exact});
        ASSERT_TRUE(plain.design && built.design);
        EXPECT_EQ(built.design->freq_text, plain.design->freq_text);
        EXPECT_EQ(built.design->q_text, plain.design->q_text);
        EXPECT_EQ(built.design->f3, plain.design->f3);
        EXPECT_EQ(built.note, plain.note);
    }
}

TEST(Suggest, NoneWhenAPassBandLimitIsBroken) {
    struct Case {
        const char* name;
        Inputs in;
        Limit unmet;
        double safe_volts;
        std::optional<double> amp_needed, port_needed;
        const char* says;
    };
    const Case cases[] = {
        // At 1 V the 12-inch's highest excursion above its f3 is 0.33494949 mm.
        {"xmax", inputs(twelve_inch(), {Box::Type::vented, 70, 27, 7.0, {}}, 60), Limit::xmax, 37.319060011839, {}, {},
         "the cone goes beyond xmax (12.5 mm) in the pass band"},
        {"amplifier", with(inputs(twelve_inch(), wide_port(), 20), 15), Limit::amplifier, 15.086595945026074,
         19.88520147905913, {}, "the drive of 20 V is beyond the amplifier's most of 15 V in the pass band"},
        {"thermal", with(inputs(twelve_inch(), wide_port(), 20), std::nullopt, 50), Limit::thermal,
         12.84523257866513, {}, {}, "the drive puts 121 W into Re in the pass band, beyond the voice coil's pe of 50 W"},
        // The 10 cm port's air at 1 V is highest at the system's f3, 1.0709079 m/s.
        {"port", inputs(twelve_inch(), vented_70l(), 30), Limit::port, 15.874380918665237, {}, 13.747135985328283,
         "the port's air goes beyond 17 m/s in the pass band"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Suggestion s = suggest(c.in);
        EXPECT_FALSE(s.design);
        ASSERT_TRUE(s.safe_volts);
        EXPECT_NEAR(*s.safe_volts, c.safe_volts, 1e-6);
        EXPECT_EQ(s.unmet, c.unmet);
        EXPECT_EQ(s.amp_volts_needed.has_value(), c.amp_needed.has_value());
        if (s.amp_volts_needed && c.amp_needed) {
            EXPECT_NEAR(*s.amp_volts_needed, *c.amp_needed, 1e-6);
        }
        EXPECT_EQ(s.port_diameter_needed.has_value(), c.port_needed.has_value());
        if (s.port_diameter_needed && c.port_needed) {
            EXPECT_NEAR(*s.port_diameter_needed, *c.port_needed, 1e-6);
        }
        EXPECT_NE(s.note.find(c.says), std::string::npos) << s.note;
        // Just below the safe drive there is a design again.
        Inputs lower = c.in;
        lower.volts = c.safe_volts * 0.999;
        EXPECT_TRUE(suggest(lower).design) << suggest(lower).note;
    }
}

}  // namespace
