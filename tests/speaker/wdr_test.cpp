// SPDX-License-Identifier: GPL-3.0-or-later
// WinISD driver files (.wdr), read and written.
#include <gtest/gtest.h>

#include <string>

#include "vandrel/speaker/driver_file.h"

namespace {

using namespace vandrel::speaker;

// A driver file as WinISD keeps one: [Driver] first, SI units, keys this
// program does not use, and another section after.
const char* const twelve_wdr =
    "; written by hand\r\n"
    "[Driver]\r\n"
    "Brand=Acme\r\n"
    "Model=Twelve 1\r\n"
    "Comment=A 12-inch woofer\r\n"
    "Fs=26\r\n"
    "Qms=6.2\r\n"
    "Qes=0.48\r\n"
    "Qts=0.4455\r\n"
    "Re=3.3\r\n"
    "Le=0.0016\r\n"
    "Sd=0.048\r\n"
    "Vas=0.068\r\n"
    "Xmax=0.0125\r\n"
    "Pe=500\r\n"
    "Mms=0.12\r\n"
    "BL=15.2\r\n"
    "Znom=\r\n"
    "\r\n"
    "[Other]\r\n"
    "Fs=99\r\n"
    "not a key line\r\n";

TEST(Wdr, ReadsTheDriverSectionInSiUnits) {
    const Parsed<DriverFile> r = parse_driver_file(twelve_wdr);
    ASSERT_TRUE(r.value) << r.problem.message();
    const DriverValues& v = r.value->values;
    EXPECT_EQ(v.name, "Acme Twelve 1");
    EXPECT_EQ(v.fs, 26);
    EXPECT_EQ(v.qms, 6.2);
    EXPECT_EQ(v.qes, 0.48);
    EXPECT_EQ(v.qts, 0.4455);
    EXPECT_EQ(v.re, 3.3);
    EXPECT_EQ(v.le, 1.6);   // mH
    EXPECT_EQ(v.sd, 480);   // cm²
    EXPECT_EQ(v.vas, 68);   // L
    EXPECT_EQ(v.xmax, 12.5);  // mm
    EXPECT_EQ(v.pe, 500);
    EXPECT_TRUE(r.value->warnings.empty());
    EXPECT_EQ(r.value->lines.at("vas"), 13);
    EXPECT_EQ(r.value->lines.at("name"), 4);
}

TEST(Wdr, PartialAndBadFiles) {
    struct Case {
        const char* name;
        std::string text;
        std::string driver_name;       // when read
        std::optional<double> fs, vas;
        int line = 0;                  // when refused
        std::string why = "";
    };
    const Case cases[] = {
        {"some keys, any case", "[driver]\nFS=30\nvas=0.1\n", "", 30, 100},
        {"model alone", "[Driver]\nModel=Deep\nFs=30\n", "Deep", 30, {}},
        {"brand alone", "[Driver]\nBrand=Acme\nBrand=\nFs=30\n", "", 30, {}},
        {"blanks around", "\n[ Driver ]\n  Fs = 30 \n", "", 30, {}},
        {"decimal comma", "[Driver]\nFs=30\nVas=0,068\n", "", {}, {}, 3, "Vas must be a number (in m³), not \"0,068\""},
        {"not a number", "[Driver]\nFs=thirty\n", "", {}, {}, 2, "Fs must be a number (in Hz), not \"thirty\""},
        {"a unit written", "[Driver]\nFs=30 Hz\n", "", {}, {}, 2, "Fs must be a number (in Hz), not \"30 Hz\""},
        {"no equals sign", "[Driver]\nFs 30\n", "", {}, {}, 2,
         "a line of the [Driver] section must be Key=Value, not \"Fs 30\""},
        {"no key", "[Driver]\n=30\n", "", {}, {}, 2, "a line of the [Driver] section must be Key=Value, not \"=30\""},
        {"another section first", "[Other]\n[Driver]\nFs=30\n", "", {}, {}, 1,
         "a line must be \"name = value\", not \"[Other]\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        ASSERT_EQ(r.value.has_value(), c.line == 0) << r.problem.message();
        if (r.value) {
            EXPECT_EQ(r.value->values.name, c.driver_name);
            EXPECT_EQ(r.value->values.fs, c.fs);
            EXPECT_EQ(r.value->values.vas, c.vas);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_EQ(r.problem.text, c.why);
        }
    }
    // A key given twice is a warning; the second value is used.
    const Parsed<DriverFile> twice = parse_driver_file("[Driver]\nFs=30\nFs=31\n");
    ASSERT_TRUE(twice.value);
    EXPECT_EQ(twice.value->values.fs, 31);
    ASSERT_EQ(twice.value->warnings.size(), 1u);
    EXPECT_EQ(twice.value->warnings[0].message(), "line 3: fs is given again (first on line 2); this value is used");
}

// Values that cannot exist are refused in the program's own units.
TEST(Wdr, ValuesThatCannotExistAreRefusedInLitres) {
    const Parsed<DriverFile> r =
        parse_driver_file("[Driver]\nFs=26\nQts=0.4\nVas=0\nRe=4\nSd=0.05\nXmax=0.01\n");
    ASSERT_TRUE(r.value) << r.problem.message();
    const Checked<Driver> d = check_driver(r.value->values);
    ASSERT_FALSE(d.errors.empty());
    EXPECT_EQ(d.errors[0].text, "vas must be above 0 litres (it is 0)");
}

TEST(Wdr, WrittenFilesReadBackToTheSameValues) {
    const DriverValues twelve{"Acme Twelve 1", 26, 0.48, 6.2, 0.4455, 68, 3.3, 480, 12.5, 1.6, 500};
    EXPECT_EQ(driver_wdr_text(twelve),
              "[Driver]\nBrand=Acme\nModel=Twelve 1\nFs=26\nQes=0.48\nQms=6.2\nQts=0.4455\nVas=0.068\nRe=3.3\n"
              "Sd=0.048\nXmax=0.0125\nLe=0.0016\nPe=500\n");
    const DriverValues odd[] = {
        twelve,
        {"Odd   driver", 19.25, std::nullopt, 3.1, 0.3125, 123.456, 7.8, 1300.5, 21.2, 0.0, std::nullopt},
        {"One", 0.1, 0.01, std::nullopt, std::nullopt, 0.001, 1000, 0.1, 0.01, 1000, 0.01},
        {"Sub\xF0 Deep", 30, 0.4, std::nullopt, std::nullopt, 50, 4, 500, 10, std::nullopt, std::nullopt},
        {"", 33.333333333333336, 0.1 + 0.2, 1e-7, 1e5, 1.0 / 3, 7.000000000000001, 98765.4321, 0.3, 1e-9, 1e5},
    };
    for (const DriverValues& v : odd) {
        SCOPED_TRACE(v.name);
        const std::string text = driver_file_text(v, DriverFormat::wdr);
        const Parsed<DriverFile> back = parse_driver_file(text);
        ASSERT_TRUE(back.value) << text << back.problem.message();
        const DriverValues& b = back.value->values;
        EXPECT_EQ(b.name, v.name);
        EXPECT_EQ(b.fs, v.fs);
        EXPECT_EQ(b.qes, v.qes);
        EXPECT_EQ(b.qms, v.qms);
        EXPECT_EQ(b.qts, v.qts);
        EXPECT_EQ(b.vas, v.vas);
        EXPECT_EQ(b.re, v.re);
        EXPECT_EQ(b.sd, v.sd);
        EXPECT_EQ(b.xmax, v.xmax);
        EXPECT_EQ(b.le, v.le);
        EXPECT_EQ(b.pe, v.pe);
    }
    const struct {
        const char* path;
        DriverFormat format;
    } formats[] = {{"a.wdr", DriverFormat::wdr}, {"dir/B.WDR", DriverFormat::wdr}, {"a.txt", DriverFormat::text},
                   {"wdr", DriverFormat::text}, {"a.wdr.txt", DriverFormat::text}};
    for (const auto& f : formats) EXPECT_EQ(driver_format_for(f.path), f.format) << f.path;
}

}  // namespace
