// SPDX-License-Identifier: GPL-3.0-or-later
// The suggested filter: within Xmax, texts the main window takes, at least
// as good as every Butterworth design at 0.1 Hz steps and as every design
// of an exhaustive search; and no suggestion when the drive is too high for
// any high-pass.
#include <gtest/gtest.h>

#include <charconv>

#include "systems.h"
#include "vandrel/speaker/suggest.h"

namespace {

using namespace vandrel::speaker;
using namespace vandrel::speaker::test;

double number(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// The analysis with design (freq, q) in place of the start design's section.
Analysis with_design(const Inputs& in, double freq, double q) {
    Inputs moved = in;
    moved.filter = with_section(in.filter, freq, q);
    return analyse(moved);
}

TEST(Suggest, WithinXmaxAndNoWorseThanAnyButterworth) {
    struct Case {
        const char* name;
        Inputs in;
        int first_tenth, last_tenth;  // where the Butterworth designs are scanned, 0.1 Hz
        // The lowest f3 within Xmax of every design with Q 0.71 to 3 (steps
        // of 0.01) from 15 to 40 Hz (vented) or 20 to 70 Hz (sealed), found
        // by analysing each: 22.267 Hz at 27.1 Hz, Q 2.46 (where the
        // excursion is within Xmax only from 27.1 to 27.2 Hz); 46.078 Hz at
        // 44.2 Hz, Q 1.04.
        double lowest_f3;
    };
    const Case cases[] = {
        {"vented at 20 V", inputs(twelve_inch(), vented_70l(), 20), 100, 300, 22.2673699584},
        {"sealed at 30 V", inputs(ten_inch(), sealed_30l(), 30), 100, 400, 46.0784811482},
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
        EXPECT_EQ(d.mode == vandrel::Mode::butterworth, d.q == 0.707);

        // Checked again through the analysis: within Xmax, the f3 claimed.
        const Analysis a = with_design(c.in, d.freq, d.q);
        EXPECT_LE(a.with_filter.peak_excursion_mm, c.in.driver.xmax);
        EXPECT_FALSE(a.unsafe_below_hz);
        ASSERT_TRUE(a.with_filter.f3 && d.f3);
        EXPECT_NEAR(*a.with_filter.f3, *d.f3, 1e-9);

        // Every Butterworth design at 0.1 Hz steps: the first within Xmax
        // has the lowest f3 of them, and the suggestion is no worse.
        std::optional<int> first_safe;
        for (int k = c.first_tenth; k <= c.last_tenth && !first_safe; ++k)
            if (with_design(c.in, k / 10.0, 0.707).with_filter.peak_excursion_mm <= c.in.driver.xmax) first_safe = k;
        ASSERT_TRUE(first_safe && *first_safe > c.first_tenth);
        const double butterworth_f3 = *with_design(c.in, *first_safe / 10.0, 0.707).with_filter.f3;
        ASSERT_TRUE(s.butterworth);
        EXPECT_EQ(s.butterworth->freq, *first_safe / 10.0);
        EXPECT_LE(*d.f3, butterworth_f3);
        EXPECT_LE(*d.f3, c.lowest_f3 + 1e-9);
    }
}

TEST(Suggest, NoneWhenThePassBandIsBeyondXmax) {
    // At 60 V the 12-inch goes beyond 12.5 mm above its own f3: at 1 V its
    // highest excursion there is 0.33494949 mm, so 37.319060 V is the most.
    const Suggestion s = suggest(inputs(twelve_inch(), vented_70l(), 60));
    EXPECT_FALSE(s.design);
    ASSERT_TRUE(s.safe_volts);
    EXPECT_NEAR(*s.safe_volts, 37.319060011839, 1e-6);
    EXPECT_NE(s.note.find("37.3 V"), std::string::npos) << s.note;
    // Just below that drive there is a design again.
    EXPECT_TRUE(suggest(inputs(twelve_inch(), vented_70l(), 37.3)).design);
}

}  // namespace
