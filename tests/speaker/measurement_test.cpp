// SPDX-License-Identifier: GPL-3.0-or-later
// Measurements: decimal commas, frequencies too low to measure, line ends,
// levels interpolated where the logarithms are far apart, the table that
// never holds "nan"; and why a file cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/limits.h"
#include "vandrel/speaker/driver_file.h"
#include "vandrel/speaker/measurement.h"

namespace {

using namespace vandrel::speaker;

TEST(Measurement, RefusesDecimalCommasAndUnmeasurableFrequencies) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<double> hz, db;  // when read
        int line = 0;                // when refused
        std::string why = "";
    };
    const Case cases[] = {
        {"comma and tab", "10\t80\n20,5\t80\n", {}, {}, 2,
         "decimal commas are not read: write decimals with a point (\"20,5\" as \"20.5\")"},
        {"semicolon and comma", "20;80,5\n", {}, {}, 1,
         "decimal commas are not read: write decimals with a point (\"80,5\" as \"80.5\")"},
        {"comma and blank", "20,5 80\n", {}, {}, 1,
         "decimal commas are not read: write decimals with a point (\"20,5\" as \"20.5\")"},
        {"commas alone separate", "10,80\n20,81,3\n", {10, 20}, {80, 81}},
        {"commas with blanks separate", "10, 80\n20 , 81, -3\n", {10, 20}, {80, 81}},
        {"tabs and blanks separate", "10 \t80\n20\t 81  3\n", {10, 20}, {80, 81}},
        {"mixed without a comma between digits", "10, 80 3\n", {10}, {80}},
        {"CR alone", "* a Mac file\r10 80\r20 81\r", {10, 20}, {80, 81}},
        {"CR alone, refused on its line", "10 80\r20 81\r15 82\r", {}, {}, 3,
         "the frequency 15 Hz does not rise above 20 Hz on line 2"},
        {"subnormal frequency", "1e-310 80\n20 80\n", {}, {}, 1,
         "the frequency 1e-310 Hz is below 0.001 Hz, where nothing measures"},
        {"just below 0.001 Hz", "0.00099 80\n", {}, {}, 1,
         "the frequency 0.00099 Hz is below 0.001 Hz, where nothing measures"},
        {"0.001 Hz", "0.001 80\n20 81\n", {0.001, 20}, {80, 81}},
        {"negative", "-1 80\n", {}, {}, 1, "the frequency -1 Hz is not above 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed<Measurement> r = parse_measurement(c.text);
        ASSERT_EQ(r.value.has_value(), c.line == 0) << r.problem.message();
        if (r.value) {
            EXPECT_EQ(r.value->hz, c.hz);
            EXPECT_EQ(r.value->db, c.db);
        } else {
            EXPECT_EQ(r.problem.line, c.line);
            EXPECT_EQ(r.problem.text, c.why);
        }
    }
}

// Far-apart frequencies, as the reader refuses them but a caller may give:
// every level interpolated is finite, or none.
TEST(Measurement, InterpolatesFarApartFrequenciesWithoutOverflow) {
    const struct {
        Measurement m;
        std::vector<double> hz;
        std::vector<std::optional<double>> expected;
    } cases[] = {
        {{{1e-310, 20}, {80, 80}}, {1, 10, 20, 30}, {80, 80, 80, std::nullopt}},
        {{{1e-300, 1e300}, {0, 100}}, {1}, {50}},
        {{{10, 100}, {80, 90}}, {10, std::sqrt(1000.0), 100, 5}, {80, 85, 90, std::nullopt}},
    };
    for (const auto& c : cases) {
        const std::vector<std::optional<double>> at = measured_at(c.m, c.hz);
        ASSERT_EQ(at.size(), c.expected.size());
        for (std::size_t i = 0; i < at.size(); ++i) {
            ASSERT_EQ(at[i].has_value(), c.expected[i].has_value()) << i;
            if (at[i]) {
                EXPECT_NEAR(*at[i], *c.expected[i], 1e-9) << i;
            }
        }
    }
}

TEST(Measurement, TableCellsAreNeverNan) {
    Analysis a;
    a.hz = {1, 2};
    a.spl_db = {NAN, 90};
    a.spl_filtered_db = {80, INFINITY};
    a.excursion_mm = {1, 2};
    a.excursion_filtered_mm = {0.5, -INFINITY};
    a.measured_db = {std::optional<double>(NAN), 70.0};
    a.measured_filtered_db = {std::nullopt, 69.5};
    a.max_spl_db = {NAN, 101};
    a.max_spl_limit = {Limit::xmax, Limit::amplifier};
    a.max_spl_filtered_db = {95, -INFINITY};
    a.max_spl_filtered_limit = {Limit::drive, Limit::port};
    a.amplifier_v_filtered = {INFINITY, 2.5};
    EXPECT_EQ(system_response_csv(a),
              "hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,measured_db,measured_filtered_db,"
              "max_spl_db,max_spl_limit,max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered\n"
              "1,,80,1,0.5,,,,xmax,95,drive,\n"
              "2,90,,2,,70,69.5,101,amplifier,,port,2.5\n");
}

TEST(Measurement, SaysWhyAFileCannotBeRead) {
    const struct {
        std::errc error;
        const char* text;
    } reasons[] = {
        {std::errc::no_such_file_or_directory, "there is no such file"},
        {std::errc::permission_denied, "permission denied (the file, or a folder on its path, may not be read)"},
        {std::errc::too_many_symbolic_link_levels, "too many levels of symbolic links (the links may form a loop)"},
        {std::errc::not_a_directory, "a part of its path is not a folder"},
        {std::errc::filename_too_long, "its name is too long"},
    };
    for (const auto& r : reasons) EXPECT_EQ(unreadable_text(std::make_error_code(r.error)), r.text);

#ifndef _WIN32
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vandrel_unreadable_" + std::to_string(std::random_device()()));
    fs::create_directories(dir / "closed");
    std::ofstream(dir / "closed" / "d.txt") << "fs = 26\n";
    fs::create_symlink(dir / "loop_b", dir / "loop_a");
    fs::create_symlink(dir / "loop_a", dir / "loop_b");
    EXPECT_EQ(read_driver_file(dir / "loop_a").problem.text,
              "too many levels of symbolic links (the links may form a loop)");
    EXPECT_EQ(read_measurement(dir / "loop_b").problem.text,
              "too many levels of symbolic links (the links may form a loop)");
    EXPECT_EQ(read_driver_file(dir / "none" / "d.txt").problem.text, "there is no such file");
    // A folder that may not be entered (root enters every folder).
    ASSERT_EQ(chmod((dir / "closed").c_str(), 0), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(read_driver_file(dir / "closed" / "d.txt").problem.text,
                  "permission denied (the file, or a folder on its path, may not be read)");
    }
    chmod((dir / "closed").c_str(), 0700);
    fs::remove_all(dir);
#endif
}

}  // namespace
