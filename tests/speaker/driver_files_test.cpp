// SPDX-License-Identifier: GPL-3.0-or-later
// Driver files: line ends, comments and names, files without driver values,
// the limits every form keeps at their edges, and values with units.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vandrel/speaker/driver_file.h"

namespace {

using namespace vandrel::speaker;

// `lines` lines of `line`, each ending in LF.
std::string repeated(const std::string& line, std::size_t lines) {
    std::string out;
    for (std::size_t i = 0; i < lines; ++i) out += line + "\n";
    return out;
}

// A JSON object of `lines` lines: "{", fs, blank lines, "}".
std::string json_of_lines(std::size_t lines) { return "{\n\"fs\": 26" + std::string(lines - 3, '\n') + "\n}\n"; }

TEST(DriverFiles, ReadsNamesCommentsAndLineEnds) {
    struct Case {
        const char* name;
        std::string text;
        std::string driver_name;             // when read
        std::optional<double> fs;
        int line = 0;                        // when refused
        std::string why = "";                // the whole message
    };
    const Case cases[] = {
        {"CR alone", "name = Old Mac\rfs = 26 Hz\rqes = 0.4\r", "Old Mac", 26},
        {"CR LF", "name = Dos\r\nfs = 27\r\n", "Dos", 27},
        {"CR alone, refused on its line", "fs = 26\rqes = 0.4\rvas = lots\r", "", {}, 3,
         "vas must be a number (in L), not \"lots\""},
        {"# inside a name", "name = Test#1\nfs = 25\n", "Test#1", 25},
        {"# after a blank", "name = Test #1\nfs = 25 # resonance\n", "Test", 25},
        {"# after a tab", "fs = 25\t#x\n", "", 25},
        {"# at the start after blanks", "   # fs = 20\nfs = 25\n", "", 25},
        {"# in a value without a blank", "fs = 25#x\n", "", {}, 1, "fs must be a number (in Hz), not \"25#x\""},
        {"name in quotes", "name = \"Sub #2 \\\"Deep\\\"\"  # the second\nfs = 22\n", "Sub #2 \"Deep\"", 22},
        {"name in quotes with text after", "name = \"Big\" one\nfs = 22\n", "\"Big\" one", 22},
        {"name in quotes never closed", "name = \"Big\nfs = 22\n", "\"Big", 22},
        {"comment before the equals sign", "fs # = 25\n", "", {}, 1, "a line must be \"name = value\", not \"fs\""},
        {"CR alone in JSON", "{\r\"fs\": 26,\r\"vas\": [1]}\r", "", {}, 3,
         "\"vas\" must be a number or a text, not an object or a list"},
        {"escape in a JSON key", "{\"\\u001b]0;PWNED\\u0007\\u001b[2J\": {}}", "", {}, 1,
         "\"?]0;PWNED??[2J\" must be a number or a text, not an object or a list"},
        {"C1 control in a JSON key", "{\"\\u009b2J\": {}}", "", {}, 1,
         "\"?2J\" must be a number or a text, not an object or a list"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        ASSERT_EQ(r.value.has_value(), c.line == 0) << r.problem.message();
        if (r.value) {
            EXPECT_EQ(r.value->values.name, c.driver_name);
            EXPECT_EQ(r.value->values.fs, c.fs);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_EQ(r.problem.text, c.why);
        }
    }
}

// Warnings repeat what the file says with its control characters shown as "?".
TEST(DriverFiles, QuotesFileContentInWarnings) {
    const struct {
        std::string text, warning;
    } cases[] = {
        {"{\"fs\": 26, \"\\u001b]0;PWNED\\u0007\\u001b[2J\": 1}", "line 1: unknown name \"?]0;PWNED??[2J\" is ignored"},
        {"fs = 26\n\x1b[2J = 1\n", "line 2: unknown name \"?[2J\" is ignored"},
        {"fs = 26\nBL = 11\n", "line 2: unknown name \"BL\" is ignored"},
    };
    for (const auto& c : cases) {
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        ASSERT_TRUE(r.value) << r.problem.message();
        ASSERT_EQ(r.value->warnings.size(), 1u);
        EXPECT_EQ(r.value->warnings[0].message(), c.warning);
    }
    // A name read keeps no control character, C1 ones (U+009B) included.
    EXPECT_EQ(parse_driver_file("{\"name\": \"A\\u009b2JB\", \"fs\": 1}").value->values.name, "A 2JB");
}

TEST(DriverFiles, RefusesAFileWithoutDriverValues) {
    const char* const no_values =
        "it holds no driver values: none of fs, qes, qms, qts, vas, re, sd, xmax, le or pe is given";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"blank lines", "\n\n  \n"},
        {"comments", "# nothing\n"},
        {"a name alone", "name = Test#1\n"},
        {"unknown names", "bl = 11\nmms = 0.1\n"},
        {"empty JSON", "{}"},
        {"JSON of nulls", "{\"name\": \"X\", \"qms\": null}"},
        {"WinISD with names alone", "[Driver]\nBrand=Acme\nModel=X\nComment=none\n"},
    };
    for (const auto& c : cases) {
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        EXPECT_FALSE(r.value) << c.name;
        EXPECT_EQ(r.problem.message(), no_values) << c.name;
    }
}

TEST(DriverFiles, TellsWhichParametersAFileLeavesOut) {
    const struct {
        std::string text;
        std::vector<std::string> not_given;
    } cases[] = {
        {"fs = 25\nvas = 50\n", {"qes", "qms", "qts", "re", "sd", "xmax", "le", "pe"}},
        {"{\"qts\": 0.4, \"qms\": null, \"le\": 0}", {"fs", "qes", "qms", "vas", "re", "sd", "xmax", "pe"}},
        {"[Driver]\nFs=25\nQes=0.4\nQms=5\nQts=0.37\nVas=0.05\nRe=4\nSd=0.05\nXmax=0.01\nLe=0.001\nPe=500\n", {}},
    };
    for (const auto& c : cases) {
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        ASSERT_TRUE(r.value) << r.problem.message();
        EXPECT_EQ(parameters_not_given(*r.value), c.not_given) << c.text;
    }
}

// The same limits for every form: 64 KiB, 1000 lines of 1000 bytes.
TEST(DriverFiles, KeepsTheSameLimitsInEveryForm) {
    const std::string long_line = "fs = 26" + std::string(993, ' ');  // 1000 bytes
    const std::string long_json = "{\"fs\": 26" + std::string(990, ' ') + "}";  // 1000 bytes
    const std::string long_wdr = "Fs=26" + std::string(995, ' ');  // 1000 bytes
    struct Case {
        const char* name;
        std::string text;
        int line;  // of the refusal; 0 when read
        const char* why;
    };
    const Case cases[] = {
        {"1000 lines", "fs = 26\n" + repeated("# more", 999), 0, ""},
        {"1001 lines", "fs = 26\n" + repeated("# more", 1000), 1001, "the file has more than 1000 lines"},
        {"1000 lines without a last line end", "fs = 26\n" + repeated("#", 998) + "#", 0, ""},
        {"JSON of 1000 lines", json_of_lines(1000), 0, ""},
        {"JSON of 1001 lines", json_of_lines(1001), 1001, "the file has more than 1000 lines"},
        {"WinISD of 1000 lines", "[Driver]\nFs=26\n" + repeated(";", 998), 0, ""},
        {"WinISD of 1001 lines", "[Driver]\nFs=26\n" + repeated(";", 999), 1001, "the file has more than 1000 lines"},
        {"line of 1000 bytes", long_line + "\n", 0, ""},
        {"line of 1001 bytes", long_line + " \n", 1, "the line is longer than 1000 characters"},
        {"JSON line of 1000 bytes", long_json + "\n", 0, ""},
        {"JSON line of 1001 bytes", long_json + " \n", 1, "the line is longer than 1000 characters"},
        {"JSON line of 5000 bytes", "{\"fs\": 26" + std::string(4990, ' ') + "}", 1,
         "the line is longer than 1000 characters"},
        {"WinISD line of 1000 bytes", "[Driver]\n" + long_wdr + "\n", 0, ""},
        {"WinISD line of 1001 bytes", "[Driver]\n" + long_wdr + " \n", 2, "the line is longer than 1000 characters"},
        {"one byte beyond 64 KiB", std::string(64 * 1024 + 1, ' '), 0, "it is larger than 64 KiB"},
        {"NUL byte in JSON", std::string("{\"fs\": 26,\n\"name\": \"a\0\"}", 24), 2,
         "the line holds a NUL byte: this is not a text file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<DriverFile> r = parse_driver_file(c.text);
        const bool read = c.line == 0 && *c.why == '\0';
        ASSERT_EQ(r.value.has_value(), read) << r.problem.message();
        if (read) {
            EXPECT_EQ(r.value->values.fs, 26);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_EQ(r.problem.text, c.why);
        }
    }
    // Exactly 64 KiB is read.
    std::string full = "fs = 26\n";
    while (full.size() + 900 <= 64 * 1024) full += std::string(899, '#') + "\n";
    full += std::string(64 * 1024 - full.size() - 1, '#') + "\n";
    ASSERT_EQ(full.size(), 64u * 1024);
    EXPECT_TRUE(parse_driver_file(full).value) << parse_driver_file(full).problem.message();
}

TEST(DriverFiles, ValuesInUsUnitsAreConverted) {
    const struct {
        const char* parameter;
        const char* text;
        double value;
        bool converted;
    } cases[] = {
        {"vas", "2.4 ft3", 67.9604318208, true},  {"vb", "1.5 cu ft", 42.475269888, true},
        {"sd", "80 sq in", 516.128, true},         {"xmax", "0.5 in", 12.7, true},
        {"port-diameter", "4\"", 10.16, true},     {"re", "3.5 ohm", 3.5, false},
        {"sd", "500 cm2", 500, false},             {"fs", "25 hz", 25, false},
    };
    for (const auto& c : cases) {
        const Parsed<vandrel::texts::ValueWithUnit> v = parse_value_with_unit(c.parameter, c.text);
        ASSERT_TRUE(v.value) << c.text << ": " << v.problem.text;
        EXPECT_DOUBLE_EQ(v.value->value, c.value) << c.text;
        EXPECT_EQ(v.value->converted, c.converted) << c.text;
    }
    const Parsed<DriverFile> file = parse_driver_file("vas = 2 cu ft\nsd = 100 in2\nxmax = 1 in\n");
    ASSERT_TRUE(file.value) << file.problem.message();
    EXPECT_DOUBLE_EQ(*file.value->values.vas, 56.633693184);
    EXPECT_DOUBLE_EQ(*file.value->values.sd, 645.16);
    EXPECT_DOUBLE_EQ(*file.value->values.xmax, 25.4);
    EXPECT_EQ(parse_value("qts", "0.4 in").problem.text, "qts must be a number, not \"0.4 in\"");
    EXPECT_EQ(parse_value("fs", "1 in").problem.text, "fs must be a number (in Hz), not \"1 in\"");
}

// Names cut at 200 bytes, never inside a UTF-8 sequence, and kept as they
// are when read again.
TEST(DriverFiles, LongNamesAreCutBetweenCharacters) {
    const struct {
        std::string name, kept;
    } cases[] = {
        {std::string(199, 'a') + "\xC3\xA9" + "z", std::string(199, 'a')},
        {std::string(198, 'a') + "\xC3\xA9" + "z", std::string(198, 'a') + "\xC3\xA9"},
        {"mo" + std::string(200, '\xA4'), "mo" + std::string(198, '\xA4')},
        {std::string(197, 'a') + "\xF0\x9F\x8E\xB5" + "z", std::string(197, 'a')},
        {"mo" + std::string(195, '\xA4') + "\xFF\xFF\xFF\xFE", "mo" + std::string(195, '\xA4') + "\xFF\xFF\xFF"},
    };
    for (const auto& c : cases) {
        const Parsed<DriverFile> r = parse_driver_file("name = " + c.name + "\nfs = 1\n");
        ASSERT_TRUE(r.value) << r.problem.message();
        EXPECT_EQ(r.value->values.name, c.kept);
        const Parsed<DriverFile> back = parse_driver_file(driver_file_text(r.value->values));
        ASSERT_TRUE(back.value);
        EXPECT_EQ(back.value->values.name, c.kept);
    }
}

TEST(DriverFiles, NamesWithHashReadBackTheSame) {
    const char* const names[] = {"Test#1", "Test #1", "#1 Sub", "\"Quoted\" #2", "Back\\slash #3", "\"", "A \" #"};
    for (const char* name : names) {
        DriverValues v;
        v.name = name;
        v.fs = 25;
        const std::string text = driver_file_text(v);
        const Parsed<DriverFile> back = parse_driver_file(text);
        ASSERT_TRUE(back.value) << text << back.problem.message();
        EXPECT_EQ(back.value->values.name, name) << text;
    }
    DriverValues v;
    v.name = "Test #1";
    v.fs = 25;
    EXPECT_EQ(driver_file_text(v), "name = \"Test #1\"\nfs = 25 Hz\n");
    v.name = "Test#1";
    EXPECT_EQ(driver_file_text(v), "name = \"Test#1\"\nfs = 25 Hz\n");
}

}  // namespace
