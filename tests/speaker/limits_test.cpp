// SPDX-License-Identifier: GPL-3.0-or-later
// What limits the subwoofer: the loudest safe level at each frequency and
// what sets it, each limit binding on its own; a lossless box at its
// tuning; the port's length; the limits' inputs.
#include <gtest/gtest.h>

#include "../../design/src/speaker/ceilings.h"
#include "systems.h"
#include "vandrel/speaker/limits.h"
#include "vandrel/speaker/port.h"
#include "vandrel/speaker/suggest.h"
#include "vandrel/speaker/system.h"

namespace {

using namespace vandrel::speaker;
using namespace vandrel::speaker::test;

std::vector<std::string> parameters(const std::vector<Issue>& issues) {
    std::vector<std::string> out;
    for (const Issue& i : issues) out.push_back(i.parameter);
    return out;
}

Box lossless(double fb, std::optional<double> port = 10.0) { return {Box::Type::vented, 70, fb, std::nullopt, port}; }

TEST(Limits, LosslessBoxAtItsTuning) {
    // The box's admittance is 0 at fb: the cone stands still and the port
    // carries the flow. SPL (dB), excursion (mm) and port air (m/s) at 10 V.
    struct Case {
        const char* name;
        double fb, hz, spl, excursion, port;
    };
    const Case cases[] = {
        {"on the grid at 10 Hz", 10, 10, 84.34919475787397, 0, 5.035386865304541},
        {"at 20 Hz, where the SPL is reported", 20, 20, 96.37833114311086, 0, 10.056796594433852},
        {"1e-12 above 20 Hz", 20 * (1 + 1e-12), 20, 96.3783311431199, 2.6193344969323872e-11, 10.05679659446444},
        {"1e-12 below 20 Hz", 20 * (1 - 1e-12), 20, 96.37833114310182, 2.6184844316423405e-11, 10.056796594403277},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const System s(twelve_inch(), lossless(c.fb));
        const Flows f = s.flows(c.hz);
        EXPECT_NEAR(spl_db(s.pressure(c.hz, f) * 10), c.spl, 1e-9);
        EXPECT_NEAR(s.excursion_mm(c.hz, f) * 10, c.excursion, 1e-12);
        EXPECT_NEAR(s.port_velocity(f) * 10, c.port, 1e-9);
    }
    // The whole analysis and the suggestion go through every such tuning.
    for (double fb : {10.0, 20.0, 30.0, 40.0}) {
        SCOPED_TRACE(fb);
        const Inputs in = inputs(twelve_inch(), lossless(fb), 10);
        EXPECT_NO_THROW(analyse(in));
        EXPECT_NO_THROW(suggest(in));
    }
}

// The 12-inch at 10 V behind a SOS design at 20 Hz with Q 2 (peaking 6.3 dB).
Inputs peaking(Box box, double volts, std::optional<double> amp) {
    Inputs in = inputs(twelve_inch(), box, volts);
    in.filter = with_section(start_design_path(), 20, 2);
    in.amp_volts = amp;
    return in;
}

TEST(Limits, EachLimitBindsOnItsOwn) {
    struct Case {
        const char* name;
        Inputs in;
        int i;  // grid point
        double max_db;
        Limit limit;
        double filtered_db;
        Limit filtered_limit;
        double full_scale;  // V h(f)
    };
    Inputs thermal = inputs(twelve_inch(), vented_70l(), 10);
    thermal.driver.pe = 20;  // sqrt(20 W x 3.3 ohm) = 8.12 V
    Inputs big_amp = inputs(twelve_inch(), vented_70l(), 10);
    big_amp.amp_volts = 40;
    Inputs port = big_amp;
    port.port_limit = 5;
    const Case cases[] = {
        {"the amplifier at 50 Hz", inputs(twelve_inch(), vented_70l(), 10), 340, 101.96462426287225, Limit::amplifier,
         101.88018860752108, Limit::drive, 9.903260822592404},
        {"the voice coil at 50 Hz", thermal, 340, 100.16006361829093, Limit::thermal, 100.16006361829093,
         Limit::thermal, 9.903260822592404},
        {"xmax at 10 Hz", big_amp, 200, 67.94404930721852, Limit::xmax, 56.8457207012075, Limit::drive,
         3.096831408183883},
        {"the port at 25 Hz", port, 280, 91.03338742388738, Limit::port, 91.03338742388738, Limit::port,
         9.007252677594124},
        {"the amplifier through the filter's peak", peaking(vented_70l(), 10, std::nullopt), 264, 92.64971631595762,
         Limit::amplifier, 92.64971631595762, Limit::amplifier, 20.312928470081406},
        {"xmax through the filter's peak", peaking({Box::Type::vented, 70, 27, 7.0, std::nullopt}, 20, 80), 264, 99.89353639219375,
         Limit::xmax, 99.89353639219375, Limit::xmax, 40.62585694016281},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Analysis a = analyse(c.in);
        ASSERT_EQ(a.max_spl_db.size(), 601u);
        EXPECT_NEAR(a.max_spl_db[c.i], c.max_db, 1e-9);
        EXPECT_EQ(a.max_spl_limit[c.i], c.limit);
        EXPECT_NEAR(a.max_spl_filtered_db[c.i], c.filtered_db, 1e-9);
        EXPECT_EQ(a.max_spl_filtered_limit[c.i], c.filtered_limit);
        EXPECT_NEAR(a.amplifier_v_filtered[c.i], c.full_scale, 1e-12);
        EXPECT_EQ(a.full_scale_beyond[c.i], c.filtered_limit != Limit::drive);
    }
}

TEST(Limits, ATieNamesTheFirstLimit) {
    // Every limit at 10 V exactly: the amplifier at 10 V, the voice coil at
    // sqrt(25 W x 4 ohm), the cone at 12.5 mm for 1.25 mm a volt, the port
    // at 20 m/s for 2 m/s a volt. Those not in the tie are at 20 V.
    struct Case {
        const char* name;
        double amp_v, pe_w, excursion_mm, port_ms;  // per volt: mm, m/s
        std::optional<double> full_scale;           // with the filter: V h(f)
        Limit limit;
    };
    const Case cases[] = {
        {"all four: the amplifier", 10, 25, 1.25, 2, std::nullopt, Limit::amplifier},
        {"thermal, xmax and port: thermal", 20, 25, 1.25, 2, std::nullopt, Limit::thermal},
        {"xmax and port: xmax", 20, 100, 1.25, 2, std::nullopt, Limit::xmax},
        {"full scale at the limits: drive", 10, 25, 1.25, 2, 10.0, Limit::drive},
        {"full scale just above them", 10, 25, 1.25, 2, 10.000000001, Limit::amplifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Inputs in = inputs(twelve_inch(), vented_70l(), 10);
        in.driver.re = 4;
        in.driver.pe = c.pe_w;
        in.amp_volts = c.amp_v;
        in.port_limit = 20;
        const Ceilings ceilings(in);
        const Sample per_volt{1, c.excursion_mm, c.port_ms};
        const Ceiling got = c.full_scale ? ceilings.with(per_volt, *c.full_scale) : ceilings.without(per_volt);
        EXPECT_EQ(got.volts, 10);
        EXPECT_EQ(got.limit, c.limit);
    }
}

TEST(Limits, LoudestAt20To40HzAndTheBassLost) {
    // The 12-inch at 20 V behind the start design: the port's 17 m/s binds
    // at 20 and 30 Hz without the filter, the amplifier at 40 Hz.
    const Analysis a = analyse(inputs(twelve_inch(), vented_70l(), 20));
    const std::array<double, 3> plain{95.72476550457137, 106.29024104791222, 107.72127021386252};
    const std::array<double, 3> filtered{95.31785251431717, 105.91684435700729, 107.54575153048785};
    const std::array<Limit, 3> limits{Limit::port, Limit::port, Limit::amplifier};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(level_hz[i]);
        EXPECT_NEAR(a.max_spl.db_at[i], plain[i], 1e-9);
        EXPECT_EQ(a.max_spl.limit_at[i], limits[i]);
        EXPECT_NEAR(a.max_spl.filtered_db_at[i], filtered[i], 1e-9);
        EXPECT_EQ(a.max_spl.filtered_limit_at[i], Limit::drive);
        EXPECT_NEAR(a.max_spl.lost_db_at[i], plain[i] - filtered[i], 1e-9);
    }
    EXPECT_EQ(a.limits.amp_v, 20);
    EXPECT_FALSE(a.limits.pe_w);
    EXPECT_EQ(a.limits.port_limit_ms, 17);
    // Without a port diameter there is no port limit.
    EXPECT_FALSE(analyse(inputs(ten_inch(), sealed_30l(), 10)).limits.port_limit_ms);
}

TEST(Limits, StretchesOfOneLimit) {
    const std::vector<double> hz{1, 2, 3, 4, 5};
    const std::vector<Limit> limits{Limit::xmax, Limit::xmax, Limit::port, Limit::drive, Limit::drive};
    const std::vector<LimitStretch> s = limit_stretches(hz, limits);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].from_hz, 1);
    EXPECT_EQ(s[0].to_hz, 2);
    EXPECT_EQ(s[0].limit, Limit::xmax);
    EXPECT_EQ(s[1].from_hz, 3);
    EXPECT_EQ(s[1].to_hz, 3);
    EXPECT_EQ(s[2].from_hz, 4);
    EXPECT_EQ(s[2].to_hz, 5);
    EXPECT_EQ(s[2].limit, Limit::drive);
    EXPECT_TRUE(limit_stretches({}, {}).empty());
}

TEST(Limits, WarningsWhereFullScaleAsksTooMuch) {
    Inputs hot = inputs(twelve_inch(), vented_70l(), 10);
    hot.driver.pe = 20;
    Inputs peak_past_pe = peaking(vented_70l(), 10, 30);
    peak_past_pe.driver.pe = 40;  // 11.5 V: the drive is within it, the peak is not
    const struct {
        const char* name;
        Inputs in;
        std::vector<std::string> warned;
    } cases[] = {
        {"the drive beyond pe", hot, {"pe"}},
        {"the peak beyond the amplifier", peaking(lossless(27, std::nullopt), 10, std::nullopt), {"xmax", "amp-volts"}},
        {"the peak beyond pe, within the amplifier", peak_past_pe, {"xmax", "pe"}},
        {"nothing", inputs(twelve_inch(), vented_70l(), 10), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> warned = parameters(analyse(c.in).warnings);
        std::erase(warned, "port-diameter");
        EXPECT_EQ(warned, c.warned);
    }
}

TEST(Limits, InputsChecked) {
    struct Case {
        const char* name;
        Checked<double> got;
        std::optional<double> value;
        std::vector<std::string> errors, warnings;
    };
    const Case cases[] = {
        {"amplifier", check_amp_volts(30, 20), 30, {}, {}},
        {"amplifier below the drive", check_amp_volts(15, 20), 15, {}, {"amp-volts"}},
        {"amplifier 0", check_amp_volts(0, 20), {}, {"amp-volts"}, {}},
        {"amplifier not a number", check_amp_volts(not_a_number, 20), {}, {"amp-volts"}, {}},
        {"amplifier absurd", check_amp_volts(2e4, 20), {}, {"amp-volts"}, {}},
        {"amplifier unusual", check_amp_volts(500, 20), 500, {}, {"amp-volts"}},
        {"amplifier in watts", amp_volts_from_watts(300, 3, 20), 30, {}, {}},
        {"amplifier in watts below the drive", amp_volts_from_watts(100, 3, 20), std::sqrt(300.0), {}, {"amp-watts"}},
        {"amplifier in watts, infinite", amp_volts_from_watts(infinity, 3, 20), {}, {"amp-watts"}, {}},
        {"amplifier in watts, negative", amp_volts_from_watts(-5, 3, 20), {}, {"amp-watts"}, {}},
        {"port limit", check_port_limit(17), 17, {}, {}},
        {"port limit 0", check_port_limit(0), {}, {"port-limit"}, {}},
        {"port limit beyond sound", check_port_limit(400), {}, {"port-limit"}, {}},
        {"port limit unusual", check_port_limit(3), 3, {}, {"port-limit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got.value.has_value(), c.value.has_value());
        if (c.got.value && c.value) {
            EXPECT_NEAR(*c.got.value, *c.value, 1e-12);
        }
        EXPECT_EQ(parameters(c.got.errors), c.errors);
        EXPECT_EQ(parameters(c.got.warnings), c.warnings);
    }
    EXPECT_EQ(check_amp_volts(-2, 1).errors.front().text, "amp-volts must be above 0 V (it is -2)");
    EXPECT_EQ(check_port_limit(400).errors.front().text,
              "port-limit of 400 m/s is too large for anything real (at most 340 m/s)");
    EXPECT_NEAR(thermal_volts(300, 3), 30, 1e-12);
}

TEST(Limits, PortLengthAndFit) {
    // L = c^2 Sp / (wb^2 Vb) - 1.463 r, c = 345 m/s.
    struct Case {
        const char* name;
        Box box;
        double length_cm, volume_l;
        std::vector<std::string> warned;  // the start of each warning
    };
    const Case cases[] = {
        {"10 cm in 70 L at 27 Hz", {Box::Type::vented, 70, 27, 7.0, 10.0}, 39.08764820084471, 3.069936710846901, {}},
        {"15 cm in 70 L at 27 Hz", {Box::Type::vented, 70, 27, 7.0, 15.0}, 93.43345845190059, 16.511055000298768,
         {"the port of 15 cm takes 16.5 L, 23.6 % of the box",
          "the port of 15 cm is 93.4 cm long, longer than the inside of a cube of 70 L (41.2 cm)"}},
        {"1.5 cm in 70 L at 27 Hz", {Box::Type::vented, 70, 27, 7.0, 1.5}, -0.053190415480994235, 0,
         {"the port of 1.5 cm is too narrow to tune 70 L to 27 Hz: its ends alone tune lower; it needs more than "
          "1.58 cm"}},
        {"15 cm in 150 L at 22 Hz", {Box::Type::vented, 150, 22, 7.0, 15.0}, 62.413671622596254, 11.02940618923767,
         {"the port of 15 cm is 62.4 cm long, longer than the inside of a cube of 150 L (53.1 cm)"}},
        {"5 cm in 30 L at 40 Hz", {Box::Type::vented, 30, 40, 7.0, 5.0}, 8.675453842130759, 0.17034213785622088, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<PortFit> fit = port_fit(c.box);
        ASSERT_TRUE(fit);
        EXPECT_NEAR(fit->length_cm, c.length_cm, 1e-9);
        EXPECT_NEAR(fit->volume_l, c.volume_l, 1e-9);
        ASSERT_EQ(fit->warnings.size(), c.warned.size());
        for (std::size_t i = 0; i < c.warned.size(); ++i)
            EXPECT_TRUE(fit->warnings[i].text.starts_with(c.warned[i])) << fit->warnings[i].text;
    }
    EXPECT_FALSE(port_fit(sealed_30l()));
    EXPECT_FALSE(port_fit({Box::Type::vented, 70, 27, 7.0, std::nullopt}));
    EXPECT_THROW(port_fit({Box::Type::vented, -70, 27, 7.0, 10.0}), std::invalid_argument);
    // The port's air goes as 1/D^2: 10 cm at 34 m/s needs sqrt(2) times as wide for 17 m/s.
    EXPECT_NEAR(port_diameter_for(10, 34, 17), 14.142135623730951, 1e-12);
    // The analysis carries the length.
    const Analysis a = analyse(inputs(twelve_inch(), vented_70l(), 20));
    ASSERT_TRUE(a.port);
    EXPECT_NEAR(a.port->length_cm, 39.08764820084471, 1e-9);
}

}  // namespace
