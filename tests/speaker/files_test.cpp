// SPDX-License-Identifier: GPL-3.0-or-later
// Files from outside: measurements and driver files, good and bad, and the
// limits on reading them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "vandrel/speaker/driver_file.h"
#include "vandrel/speaker/measurement.h"

namespace {

using namespace vandrel::speaker;

TEST(Files, Measurements) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<double> hz, db;  // when read
        int line = 0;                // when refused
        const char* why = "";        // part of the message
    };
    const Case cases[] = {
        {"frd with comments and phase", "* measured at 1 m\n# two\n; three\n\"quoted\"\n10 80.5 -12\n20\t81 3\n",
         {10, 20}, {80.5, 81}},
        {"separators, heading, CRLF and BOM",
         "\xEF\xBB\xBF" "Freq(Hz),SPL(dB)\r\n10,80\r\n  20;81;0\r\n\r\n40 , 82\r\n", {10, 20, 40}, {80, 81, 82}},
        {"exponents and signs", "1e1 +8e1\n2.5E1 -3\n", {10, 25}, {80, -3}},
        {"empty", "", {}, {}, 0, "no data"},
        {"comments only", "* nothing\nFreq SPL Phase\n", {}, {}, 0, "no data"},
        {"falling", "10 80\n20 81\n15 82\n", {}, {}, 3, "does not rise above 20 Hz on line 2"},
        {"repeated", "10 80\n10 81\n", {}, {}, 2, "does not rise"},
        {"not a number", "10 80\n20 8l\n", {}, {}, 2, "\"8l\" is not a number"},
        {"decimal commas", "10 80\n20,5;81,5\n", {}, {}, 2, "write decimals with a point"},
        {"one number", "10 80\n20\n", {}, {}, 2, "has 1 number"},
        {"frequency 0", "0 80\n", {}, {}, 1, "not above 0"},
        {"frequency beyond 1 MHz", "2e6 80\n", {}, {}, 1, "above 1 MHz"},
        {"level beyond 1000 dB", "10 1e4\n", {}, {}, 1, "beyond 1000 dB"},
        {"infinity", "10 inf\n", {}, {}, 1, "\"inf\" is not a number"},
        {"nul byte", std::string("10 80\n20 8\0\n", 11), {}, {}, 2, "NUL"},
        {"long line", "10 80\n20 81" + std::string(5000, ' ') + "\n", {}, {}, 2, "longer than 4096"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<Measurement> r = parse_measurement(c.text);
        ASSERT_EQ(r.value.has_value(), c.hz.size() > 0) << r.problem.message();
        if (r.value) {
            EXPECT_EQ(r.value->hz, c.hz);
            EXPECT_EQ(r.value->db, c.db);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_NE(r.problem.text.find(c.why), std::string::npos) << r.problem.text;
        }
    }
    EXPECT_EQ(parse_measurement("10 80\n20 8l\n").problem.message(), "line 2: \"8l\" is not a number");
}

TEST(Files, DriverFiles) {
    struct Case {
        const char* name;
        std::string text;
        DriverValues values;             // when read
        std::vector<int> warning_lines;
        int line = 0;                    // when refused
        const char* why = "";
    };
    const DriverValues twelve{"Twelve 1", 26, 0.48, 6.2, std::nullopt, 68, 3.3, 480, 12.5, 1.6};
    const DriverValues no_values{};
    const Case cases[] = {
        {"lines with units and comments",
         "# a driver\nName = Twelve 1   # the name\nFS = 26 Hz\nqes=0.48\nqms = 6.2\nvas = 68 litres\nre = 3.3 ohm\n"
         "sd = 480 cm\xC2\xB2\nxmax = 12.5mm\nle = 1.6 MH\n",
         twelve, {}},
        {"json", "{\n  \"name\": \"Twelve \\u0031\",\n  \"fs\": 26, \"QES\": 0.48, \"qms\": 6.2,\n  \"qts\": null,\n"
                 "  \"vas\": \"68 L\", \"re\": 3.3, \"sd\": 480, \"xmax\": 12.5, \"le\": 1.6e0\n}\n",
         twelve, {}},
        {"unknown and repeated names", "fs = 20\nbl = 11\nfs = 26\n", {"", 26}, {2, 3}},
        {"json unknown name", "{\"fs\": 26,\n\"mms\": 0.1}", {"", 26}, {2}},
        {"no equals sign", "fs = 26\nqes 0.48\n", no_values, {}, 2, "name = value"},
        {"no name", "= 26\n", no_values, {}, 1, "name before ="},
        {"not a number", "fs = 26\nvas = lots\n", no_values, {}, 2, "vas must be a number (in L), not \"lots\""},
        {"wrong unit", "vas = 2.4 m3\n", no_values, {}, 1, "vas must be a number (in L), not \"2.4 m3\""},
        {"no value", "fs =\n", no_values, {}, 1, "fs has no value"},
        {"decimal comma", "fs = 26,5\n", no_values, {}, 1, "fs must be a number"},
        {"json nested", "{\"fs\": 26,\n \"sd\": [480]}", no_values, {}, 2, "not an object or a list"},
        {"json boolean", "{\"fs\": true}", no_values, {}, 1, "fs must be a number"},
        {"json after the object", "{\"fs\": 26}\n{}", no_values, {}, 2, "more after"},
        {"json open text", "{\"name\": \"Twelve\n\"}", no_values, {}, 1, "end on its line"},
        {"json lone surrogate", "{\"name\": \"\\udc00\"}", no_values, {}, 1, "surrogate"},
        {"json unclosed", "{\"fs\": 26,\n", no_values, {}, 2, "name in double quotes"},
        {"long line", "fs = 26" + std::string(2000, ' ') + "\n", no_values, {}, 1, "longer than 1000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        ASSERT_EQ(r.value.has_value(), c.line == 0) << r.problem.message();
        if (r.value) {
            const DriverValues& v = r.value->values;
            EXPECT_EQ(v.name, c.values.name);
            EXPECT_EQ(v.fs, c.values.fs);
            EXPECT_EQ(v.qes, c.values.qes);
            EXPECT_EQ(v.qms, c.values.qms);
            EXPECT_EQ(v.qts, c.values.qts);
            EXPECT_EQ(v.vas, c.values.vas);
            EXPECT_EQ(v.sd, c.values.sd);
            EXPECT_EQ(v.le, c.values.le);
            std::vector<int> lines;
            for (const FileProblem& w : r.value->warnings) lines.push_back(w.line);
            EXPECT_EQ(lines, c.warning_lines);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_NE(r.problem.text.find(c.why), std::string::npos) << r.problem.text;
        }
    }

    // What driver_file_text writes reads back to the same values.
    const DriverValues odd{"Odd \x01 driver", 19.25, std::nullopt, 3.1, 0.3125, 123.456, 7.8, 1300.5, 21.2, 0.0, 612.5};
    const Parsed<DriverFile> back = parse_driver_file(driver_file_text(odd));
    ASSERT_TRUE(back.value);
    EXPECT_EQ(back.value->values.name, "Odd   driver");
    EXPECT_EQ(back.value->values.fs, odd.fs);
    EXPECT_EQ(back.value->values.qes, std::nullopt);
    EXPECT_EQ(back.value->values.qts, odd.qts);
    EXPECT_EQ(back.value->values.vas, odd.vas);
    EXPECT_EQ(back.value->values.le, odd.le);
    EXPECT_EQ(back.value->values.pe, 612.5);
}

TEST(Files, ReadingLimits) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() / ("vandrel_speaker_files_" + std::to_string(std::random_device()()));
    fs::create_directories(dir);
    const fs::path big = dir / "big.txt", good = dir / "good.frd";
    std::ofstream(big) << std::string(max_driver_file_bytes + 1, '#');
    std::ofstream(good) << "10 80\n20 81\n";
    struct Case {
        fs::path path;
        const char* why;
    };
    std::vector<Case> cases{{dir / "none.txt", "no such file"}, {dir, "a folder"}, {big, "larger than 64 KiB"}};
#ifndef _WIN32
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo, "not a regular file"});
#endif
    for (const Case& c : cases) {
        const Parsed<DriverFile> r = read_driver_file(c.path);
        EXPECT_FALSE(r.value) << c.path;
        EXPECT_EQ(r.problem.line, 0) << c.path;
        EXPECT_NE(r.problem.text.find(c.why), std::string::npos) << r.problem.text;
    }
    EXPECT_TRUE(read_measurement(good).value);
    fs::remove_all(dir);
}

TEST(Files, ValuesWithUnits) {
    struct Case {
        const char* parameter;
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"vas", "75L", 75},         {"vas", " 75 Litres ", 75},  {"re", "3.2 \xCE\xA9", 3.2},
        {"sd", "500 CM^2", 500},    {"fs", "25hz", 25},          {"volts", "+2.83 V", 2.83},
        {"le", "1e-1", 0.1},        {"pe", "500 w", 500},        {"pe", "500 V", {}},
        {"fs", "25 kHz", {}},        {"qes", "0.4 Hz", {}},
        {"fs", "1e", {}},           {"fs", "", {}},              {"fs", "0x10", {}},
        {"fs", "nan", {}},          {"fs", "1e999", {}},         {"fs", "2 5", {}},
    };
    for (const Case& c : cases) {
        const Parsed<double> r = parse_value(c.parameter, c.text);
        EXPECT_EQ(r.value, c.value) << c.parameter << " " << c.text;
        if (!r.value) {
            EXPECT_TRUE(r.problem.text.starts_with(c.parameter)) << r.problem.text;
        }
    }
}

}  // namespace
