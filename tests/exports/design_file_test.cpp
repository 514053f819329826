// SPDX-License-Identifier: GPL-3.0-or-later
// Design files: what is written, what reads back, what is refused.
#include <gtest/gtest.h>

#include "vandrel/project/design_file.h"

namespace {

using namespace vandrel::project;

Design sample() {
    Design d;
    d.filter.mode = "sos";
    d.filter.cfilter = "1.0";
    d.filter.q = ".707";
    d.parts.series = "E24";
    d.parts.r_tol = "1";
    d.parts.load = "2.20";
    d.driver.name = "Shop \"12\" sub";
    d.driver.fs = "26";
    d.box.ql = "none";
    d.limits.amp_volts = "20";
    d.measurement = "room.frd";
    return d;
}

// Numbers written as numbers only where the text reads back the same; the
// window's fields and names always as strings.
TEST(DesignFile, WritesNumbersWhereTheTextStaysTheSame) {
    EXPECT_EQ(design_text(sample()),
              "{\n"
              "  \"format\": \"vandrel-design\",\n"
              "  \"version\": 1,\n"
              "  \"filter\": {\n    \"mode\": \"sos\",\n    \"cfilter\": \"1.0\",\n    \"q\": \".707\"\n  },\n"
              "  \"parts\": {\n    \"series\": \"E24\",\n    \"r_tol\": 1.0,\n    \"load\": \"2.20\"\n  },\n"
              "  \"driver\": {\n    \"name\": \"Shop \\\"12\\\" sub\",\n    \"fs\": 26.0\n  },\n"
              "  \"box\": {\n    \"ql\": \"none\"\n  },\n"
              "  \"limits\": {\n    \"amp_volts\": 20.0\n  },\n"
              "  \"measurement\": \"room.frd\"\n"
              "}\n");
}

TEST(DesignFile, ReadsBackEveryValueAsTyped) {
    const DesignRead read = parse_design(design_text(sample()));
    ASSERT_TRUE(read.design) << read.problem;
    Design got = *read.design, want = sample();
    const std::vector<Entry> a = entries(got), b = entries(want);
    ASSERT_EQ(a.size(), 38u);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(*a[i].value, *b[i].value) << a[i].section << "." << a[i].key;
}

TEST(DesignFile, NumbersBecomeTheirShortestText) {
    const DesignRead read = parse_design(
        R"({"format": "vandrel-design", "version": 1, "driver": {"fs": 26, "vas": 0.068, "re": -3, "sd": 1e3}})");
    ASSERT_TRUE(read.design) << read.problem;
    EXPECT_EQ(read.design->driver.fs, "26");
    EXPECT_EQ(read.design->driver.vas, "0.068");
    EXPECT_EQ(read.design->driver.re, "-3");
    EXPECT_EQ(read.design->driver.sd, "1000");
    EXPECT_FALSE(read.design->driver.qes);
}

struct Refusal {
    const char* name;
    std::string text;
    std::string problem;
};

class DesignRefused : public testing::TestWithParam<Refusal> {};

TEST_P(DesignRefused, SaysWhatIsWrong) {
    const DesignRead read = parse_design(GetParam().text);
    EXPECT_FALSE(read.design);
    EXPECT_EQ(read.problem, GetParam().problem);
}

const std::string head = R"({"format": "vandrel-design", "version": 1, )";

INSTANTIATE_TEST_SUITE_P(
    Files, DesignRefused,
    testing::Values(
        Refusal{"newer", R"({"format": "vandrel-design", "version": 2})",
                "it is of version 2, newer than this Vandrel reads (version 1): open it with a newer Vandrel"},
        Refusal{"older", R"({"format": "vandrel-design", "version": 0})",
                "it is of version 0, which this Vandrel does not read (only version 1)"},
        Refusal{"huge_version", R"({"format": "vandrel-design", "version": 18446744073709551615})",
                "it is of version 9223372036854775807, newer than this Vandrel reads (version 1): open it with a "
                "newer Vandrel"},
        Refusal{"no_version", R"({"format": "vandrel-design"})",
                "it has no version number (\"version\" must be a whole number)"},
        Refusal{"text_version", R"({"format": "vandrel-design", "version": "1"})",
                "it has no version number (\"version\" must be a whole number)"},
        Refusal{"no_format", R"({"version": 1})", "it is not a design file: \"format\" is not \"vandrel-design\""},
        Refusal{"array", "[]", "it is not a design file: it holds no JSON object"},
        Refusal{"broken", "{\n\"format\": \"vandrel-design\",\n\"version\": 1,\n", "line 4: it is not valid JSON"},
        Refusal{"empty", "", "line 1: it is not valid JSON"},
        Refusal{"section", head + R"("speaker": {}})", "unknown section \"speaker\""},
        Refusal{"key", head + R"("box": {"volume": 3}})", "unknown value box.\"volume\""},
        Refusal{"key_in_other_section", head + R"("box": {"fs": 3}})", "unknown value box.\"fs\""},
        Refusal{"not_object", head + R"("box": 3})", "\"box\" must be an object of values"},
        Refusal{"bool", head + R"("box": {"vb": true}})", "box.vb must be a string or a number, not boolean"},
        Refusal{"deep", head + R"("box": {"vb": [1]}})", "it nests objects or lists deeper than a design file does"},
        Refusal{"control", head + R"("measurement": "a\u0000b"})", "measurement holds a control character"},
        Refusal{"mode", head + R"("filter": {"mode": "fast"}})",
                "filter.mode must be butterworth, sos or peaking, not \"fast\""},
        Refusal{"combine", head + R"("parts": {"combine": "both"}})",
                "parts.combine must be single, series or parallel, not \"both\""},
        Refusal{"cap_series", head + R"("parts": {"cap_series": "E24"}})",
                "parts.cap_series must be typed, E6 or E12, not \"E24\""},
        Refusal{"long", head + R"("driver": {"name": ")" + std::string(4097, 'x') + "\"}}",
                "driver.name is longer than 4096 bytes"},
        Refusal{"large", std::string((1 << 20) + 1, ' '), "it is larger than 1024 KiB"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(DesignFile, MissingFileIsRefused) {
    const DesignRead read = read_design("/nonexistent/folder/design.vandrel");
    EXPECT_FALSE(read.design);
    EXPECT_EQ(read.problem, "there is no such file");
}

}  // namespace
