// SPDX-License-Identifier: GPL-3.0-or-later
// What the driver, box and drive may be: refused when it cannot exist,
// warned about when unusual, and the Q values worked out from two of three.
#include <gtest/gtest.h>

#include "systems.h"

namespace {

using namespace vandrel::speaker;
using test::infinity;
using test::not_a_number;

DriverValues typical() { return {"typical", 26, 0.48, 6.2, std::nullopt, 68, 3.3, 480, 12.5, 1.6}; }

template <class F>
DriverValues with(F change) {
    DriverValues v = typical();
    change(v);
    return v;
}

std::vector<std::string> parameters(const std::vector<Issue>& issues) {
    std::vector<std::string> out;
    for (const Issue& i : issues) out.push_back(i.parameter);
    return out;
}

TEST(Inputs, DriverCheckedAndCompleted) {
    struct Case {
        const char* name;
        DriverValues values;
        std::vector<std::string> errors, warnings;
        double qes = 0;              // when it passes
        std::optional<double> qms = {};
    };
    const Case cases[] = {
        {"typical", typical(), {}, {}, 0.48, 6.2},
        {"fs 0", with([](auto& v) { v.fs = 0; }), {"fs"}, {}},
        {"fs negative", with([](auto& v) { v.fs = -26; }), {"fs"}, {}},
        {"fs not a number", with([](auto& v) { v.fs = not_a_number; }), {"fs"}, {}},
        {"fs infinite", with([](auto& v) { v.fs = infinity; }), {"fs"}, {}},
        {"fs absurd", with([](auto& v) { v.fs = 1e6; }), {"fs"}, {}},
        {"fs unusual", with([](auto& v) { v.fs = 5; }), {}, {"fs"}, 0.48, 6.2},
        {"qes 0", with([](auto& v) { v.qes = 0; }), {"qes"}, {}},
        {"vas 0", with([](auto& v) { v.vas = 0; }), {"vas"}, {}},
        {"sd beyond a double's square", with([](auto& v) { v.sd = 1e-200; }), {"sd"}, {}},
        {"le below 0", with([](auto& v) { v.le = -0.1; }), {"le"}, {}},
        {"le 0", with([](auto& v) { v.le = 0; }), {}, {}, 0.48, 6.2},
        {"pe 0", with([](auto& v) { v.pe = 0; }), {"pe"}, {}},
        {"pe absurd", with([](auto& v) { v.pe = 2e5; }), {"pe"}, {}},
        {"pe unusual", with([](auto& v) { v.pe = 5; }), {}, {"pe"}, 0.48, 6.2},
        {"missing values", DriverValues{}, {"fs", "vas", "re", "sd", "xmax", "qes"}, {}},
        {"qts alone", with([](auto& v) { v.qes = v.qms = std::nullopt; v.qts = 0.4; }), {}, {}, 0.4, std::nullopt},
        {"qes and qts", with([](auto& v) { v.qms = std::nullopt; v.qes = 0.5; v.qts = 0.4; }), {}, {}, 0.5, 2.0},
        {"qms and qts", with([](auto& v) { v.qes = std::nullopt; v.qms = 5; v.qts = 0.4; }), {}, {},
         0.43478260869565216, 5.0},
        {"qts above qes", with([](auto& v) { v.qms = std::nullopt; v.qes = 0.4; v.qts = 0.5; }), {"qts"}, {}},
        {"qts not below qms", with([](auto& v) { v.qes = std::nullopt; v.qms = 1.2; v.qts = 1.2; }), {"qts"}, {}},
        {"qts that disagrees", with([](auto& v) { v.qts = 0.5; }), {}, {"qts"}, 0.48, 6.2},
        {"qts within 1 %", with([](auto& v) { v.qts = 0.447; }), {}, {}, 0.48, 6.2},
        // Qes 0.48 and Qms 6.2 give Qts 0.445509: a warning from 1 % off on.
        {"qts 0.99 % above", with([](auto& v) { v.qts = 0.4499; }), {}, {}, 0.48, 6.2},
        {"qts 1.1 % above", with([](auto& v) { v.qts = 0.4505; }), {}, {"qts"}, 0.48, 6.2},
        {"qts 0.99 % below", with([](auto& v) { v.qts = 0.4411; }), {}, {}, 0.48, 6.2},
        {"qts 1.01 % below", with([](auto& v) { v.qts = 0.4410; }), {}, {"qts"}, 0.48, 6.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Checked<Driver> r = check_driver(c.values);
        EXPECT_EQ(parameters(r.errors), c.errors);
        EXPECT_EQ(parameters(r.warnings), c.warnings);
        EXPECT_EQ(r.value.has_value(), c.errors.empty());
        if (!r.value) continue;
        EXPECT_DOUBLE_EQ(r.value->qes, c.qes);
        EXPECT_EQ(r.value->qms.has_value(), c.qms.has_value());
        if (c.qms && r.value->qms) {
            EXPECT_DOUBLE_EQ(*r.value->qms, *c.qms);
        }
    }
    EXPECT_EQ(check_driver({}).errors.front().text, "fs is missing");
    EXPECT_EQ(check_driver(with([](auto& v) { v.fs = -3; })).errors.front().text, "fs must be above 0 Hz (it is -3)");
}

TEST(Inputs, BoxAndDrive) {
    struct Case {
        const char* name;
        Box box;
        std::vector<std::string> errors, warnings;
    };
    const Case cases[] = {
        {"vented", {Box::Type::vented, 70, 27, 7.0, 10.0}, {}, {}},
        {"sealed lossless", {Box::Type::sealed, 30, 0, {}, {}}, {}, {}},
        {"vb 0", {Box::Type::sealed, 0, 0, {}, {}}, {"vb"}, {}},
        {"vb small", {Box::Type::sealed, 2, 0, {}, {}}, {}, {"vb"}},
        {"fb 0", {Box::Type::vented, 70, 0, {}, {}}, {"fb"}, {}},
        {"fb not a number", {Box::Type::vented, 70, not_a_number, {}, {}}, {"fb"}, {}},
        {"sealed with a port", {Box::Type::sealed, 70, 0, {}, 10.0}, {"port-diameter"}, {}},
        {"port 0", {Box::Type::vented, 70, 27, {}, 0.0}, {"port-diameter"}, {}},
        {"ql 0", {Box::Type::vented, 70, 27, 0.0, {}}, {"ql"}, {}},
        {"ql 1", {Box::Type::vented, 70, 27, 1.0, {}}, {}, {"ql"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Checked<Box> r = check_box(c.box);
        EXPECT_EQ(parameters(r.errors), c.errors);
        EXPECT_EQ(parameters(r.warnings), c.warnings);
    }
    for (double v : {0.0, -1.0, not_a_number, infinity, 1e5}) EXPECT_FALSE(check_volts(v).value) << v;
    EXPECT_EQ(parameters(check_volts(300).warnings), std::vector<std::string>{"volts"});
    EXPECT_DOUBLE_EQ(*volts_from_watts(100, 4).value, 20);
    for (double w : {0.0, not_a_number, 1e9}) EXPECT_FALSE(volts_from_watts(w, 4).value) << w;
}

// Watts into Re give volts, which meet the same limits as volts given as
// such: at most 10 kV.
TEST(Inputs, WattsWithinTheVoltsThereMayBe) {
    const struct {
        double watts, re;
        double volts;  // 0: refused
        std::string error;
    } cases[] = {
        {100, 4, 20, ""},
        {1e5, 1000, 10000, ""},
        {1e7, 10, 10000, ""},
        {1e7, 1000, 0, "watts of 10000000 W into 1000 ohms would take 100000 V, beyond anything real (at most 10000 V)"},
        {1.21e5, 1000, 0, "watts of 121000 W into 1000 ohms would take 11000 V, beyond anything real (at most 10000 V)"},
        {2e7, 4, 0, "watts of 20000000 W is too large for anything real (at most 10000000 W)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.watts) + " W into " + std::to_string(c.re));
        const Checked<double> r = volts_from_watts(c.watts, c.re);
        if (c.volts > 0) {
            ASSERT_TRUE(r.value);
            EXPECT_DOUBLE_EQ(*r.value, c.volts);
            EXPECT_TRUE(r.errors.empty());
        } else {
            EXPECT_FALSE(r.value);
            ASSERT_EQ(r.errors.size(), 1u);
            EXPECT_EQ(r.errors[0].parameter, "watts");
            EXPECT_EQ(r.errors[0].text, c.error);
        }
    }
}

}  // namespace
