// SPDX-License-Identifier: GPL-3.0-or-later
// The response of parts as built, its spread from tolerance, and the files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <span>
#include <vector>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "vandrel/as_built/exports.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel::as_built;
using vandrel::Field;
using vandrel::Mode;

// The shown parts of SOS User-specified, 20 Hz, Q 2, with 6 dB of gain.
PathParts shown_sos20() {
    PathParts p;
    p.r1 = 15;
    p.r3 = 1.9;
    p.r4 = 31.8;
    return p;
}

TEST(Section, FiguresFromF0AndQ) {
    struct Case {
        Section s;
        double f3;
        std::optional<double> peak_hz;
        double peak_db;
    };
    for (const Case& c : {Case{{20, 2}, 13.4724642, 21.3808994, 6.3008871}, Case{{17, 0.707}, 17.0025680, {}, 0},
                          Case{{1000, 10}, 644.7344096, 1002.5094142, 20.0108710},
                          Case{{20, 0.9}, 16.5893710, 32.3289544, 0.6878201}}) {
        const SectionFigures f = section_figures(c.s);
        EXPECT_NEAR(f.f3, c.f3, 1e-4) << c.s.f0;
        EXPECT_EQ(f.peak_hz.has_value(), c.peak_hz.has_value()) << c.s.f0;
        if (c.peak_hz) {
            EXPECT_NEAR(*f.peak_hz, *c.peak_hz, 1e-4) << c.s.f0;
        }
        EXPECT_NEAR(f.peak_db, c.peak_db, 1e-4) << c.s.f0;
    }
    const Section made = section_of(shown_sos20());
    EXPECT_NEAR(made.f0, 20.4752763, 1e-6);
    EXPECT_NEAR(made.q, 2.0455343, 1e-6);
    PathParts unequal = shown_sos20();
    unequal.c1 = 2;  // Q falls to sqrt(c1 c2) / (c1 + c2) of sqrt(r4 / r3)
    EXPECT_NEAR(section_of(unequal).q, std::sqrt(2.0) / 3 * std::sqrt(31.8 / 1.9), 1e-12);
}

TEST(Path, FiguresOfTheWholeSignalPath) {
    // Worked by hand from the complex transfer function of each stage.
    const PathFigures f = path_figures(shown_sos20());
    EXPECT_NEAR(f.gain_db, 5.8485965, 1e-6);
    ASSERT_TRUE(f.f3);
    EXPECT_NEAR(*f.f3, 13.8992978, 1e-6);
    ASSERT_TRUE(f.peak_hz);
    EXPECT_NEAR(*f.peak_hz, 21.85722, 1e-4);
    EXPECT_NEAR(f.peak_db, 6.3791339, 1e-6);
    EXPECT_NEAR(f.group_delay_ms[0], 33.651495, 1e-5);
    EXPECT_NEAR(f.group_delay_ms[1], 7.2071779, 1e-5);
    EXPECT_NEAR(f.group_delay_ms[2], 2.4786155, 1e-5);
    EXPECT_NEAR(path_level_db(shown_sos20(), 1), -57.5399123, 1e-6);
    EXPECT_NEAR(path_level_db(shown_sos20(), 10), -5.1126824, 1e-6);

    PathParts follower = shown_sos20();
    follower.r1.reset();
    EXPECT_NEAR(path_figures(follower).gain_db, -0.1720034, 1e-6);
}

vandrel::Module1 solved(Mode mode, std::map<Field, std::string> texts) {
    return vandrel::solve_batch(mode, texts).design;
}

Options with(PartSource source, Combine combine = Combine::single) {
    Options o;
    o.source = source;
    o.combine = combine;
    return o;
}

const PartSource exact_parts{PartSource::Kind::exact};
const PartSource e24_parts{PartSource::Kind::series, ESeries::E24};

TEST(Path, NoF3WhenTheBufferRollsOffFirst) {
    // 20 dB of gain: the feedback capacitor takes 3 dB off near 1 kHz,
    // where this section only begins to pass.
    const auto d = solved(Mode::sos, {{Field::gain, "20"}, {Field::cfilter, "0.1"}, {Field::freq, "1000"}});
    const AsBuilt b = analyse(d, with(exact_parts));
    EXPECT_FALSE(b.path_figures.f3);
    EXPECT_FALSE(b.tolerance.path_f3);
    EXPECT_FALSE(b.path_figures.peak_hz);
}

TEST(Tolerance, SpreadsAsTheCapacitorsDo) {
    const auto d = solved(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}});
    Options o = with(exact_parts);
    o.tolerance.r_pct = 0;
    const AsBuilt b = analyse(d, o);
    // f3 goes with 1 / sqrt(c1 c2), each capacitor uniform within 5 %:
    // the 5th and 95th percentiles lie 3.30 % below and 3.54 % above.
    const double nominal = b.section.f3;
    EXPECT_NEAR(b.tolerance.section_f3.p5 / nominal - 1, -0.0330, 0.002);
    EXPECT_NEAR(b.tolerance.section_f3.p50 / nominal - 1, 0, 0.002);
    EXPECT_NEAR(b.tolerance.section_f3.p95 / nominal - 1, 0.0354, 0.002);
    EXPECT_EQ(b.runs.size(), 10000u);

    o.tolerance.c_pct = 0;
    const AsBuilt exact = analyse(d, o);
    for (double v : {exact.tolerance.section_f3.p5, exact.tolerance.section_f3.p95})
        EXPECT_DOUBLE_EQ(v, exact.section.f3);
    for (double v : {exact.tolerance.path_f3->p5, exact.tolerance.path_f3->p95})
        EXPECT_NEAR(v, *exact.path_figures.f3, 1e-9);
    EXPECT_DOUBLE_EQ(exact.tolerance.peak_db.p50, exact.section.peak_db);
    const double hz[] = {10, 21.4};
    for (const Band& band : tolerance_band(exact.runs, hz)) EXPECT_NEAR(band.high_db - band.low_db, 0, 1e-12);
}

TEST(Tolerance, PercentilesOfKnownRuns) {
    // Section f3 of the shown SOS 20 Hz parts with both capacitors at
    // 1.0 to 1.4 uF: 13.764, 12.513, 11.470, 10.588 and 9.832 Hz.
    std::vector<PathParts> runs;
    for (double c : {1.3, 1.0, 1.4, 1.2, 1.1}) {
        PathParts p = shown_sos20();
        p.c1 = p.c2 = c;
        runs.push_back(p);
    }
    const ToleranceFigures t = tolerance_figures(runs);
    EXPECT_NEAR(t.section_f3.p50, 11.4701070, 1e-6);
    EXPECT_NEAR(t.section_f3.p5, 9.8315203 + 0.2 * (10.5877911 - 9.8315203), 1e-6);
    EXPECT_NEAR(t.section_f3.p95, 12.5128440 + 0.8 * (13.7641284 - 12.5128440), 1e-6);
    EXPECT_EQ(t.path_f3_runs, 5);
}

TEST(Tolerance, NoResistorMovesWithoutTolerance) {
    Options o = with(e24_parts, Combine::series);
    o.tolerance.r_pct = 0;
    o.tolerance.runs = 50;
    const AsBuilt b = analyse(solved(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}), o);
    for (const PathParts& run : b.runs) {
        EXPECT_EQ(run.r_in, 47);
        EXPECT_EQ(run.r_feedback, 15);
        EXPECT_EQ(run.r_out, 0.2);
        EXPECT_EQ(run.r1, b.path.r1);
        EXPECT_EQ(run.r3, b.path.r3);
        EXPECT_EQ(run.r4, b.path.r4);
        EXPECT_NE(run.c1, 1);
    }
}

TEST(Tolerance, RepeatsWithItsSeed) {
    const auto d = solved(Mode::butterworth, {});
    Options o = with(e24_parts, Combine::series);
    const AsBuilt a = analyse(d, o), b = analyse(d, o);
    EXPECT_EQ(a.tolerance.path_f3->p95, b.tolerance.path_f3->p95);
    o.tolerance.seed = 2;
    EXPECT_NE(analyse(d, o).tolerance.path_f3->p95, a.tolerance.path_f3->p95);
    const double hz[] = {17};
    const Band band = tolerance_band(a.runs, hz)[0];
    EXPECT_LT(band.low_db, path_level_db(a.path, 17));
    EXPECT_GT(band.high_db, path_level_db(a.path, 17));
}

TEST(AsBuilt, RefusesWhatCannotBeBuilt) {
    const PartSource shown{PartSource::Kind::shown};
    const PartSource e192{PartSource::Kind::series, ESeries::E192};
    const char* const beyond_resistors = ", outside the 1 Ohm to 1 GOhm that resistors come in: no filter can be built "
                                         "from this value";
    struct Case {
        const char* name;
        std::map<Field, std::string> texts;
        Options options;
        std::string message;
    };
    const Case cases[] = {
        {"shown_r3_cut_to_zero", {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "1"}}, with(shown),
         "R3 would be 0k: no filter can be built from this value"},
        {"r3_below_one_ohm", {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "10"}}, with(e24_parts),
         std::string("R3 would be 0.000795775k") + beyond_resistors},
        {"r3_above_one_gigaohm", {{Field::cfilter, "1E-6"}, {Field::freq, "1"}}, with(e24_parts),
         std::string("R3 would be 112556537k") + beyond_resistors},
        {"r1_above_one_gigaohm", {{Field::gain, "0.0001"}}, with(e24_parts),
         std::string("R1 would be 1302876k") + beyond_resistors},
        // Once a search for parts that took minutes and gigabytes, or never ended.
        {"capacitor_1e-303_parallel", {{Field::cfilter, "1E-303"}, {Field::freq, "1"}},
         with(e24_parts, Combine::parallel),
         "C would be 1e-303 uF, outside the 1 pF to 10000 uF that capacitors come in: no filter can be built from "
         "this value"},
        {"capacitor_2e-305_e192", {{Field::cfilter, "2E-305"}, {Field::freq, "1"}}, with(e192, Combine::parallel),
         "C would be 2e-305 uF, outside the 1 pF to 10000 uF that capacitors come in: no filter can be built from "
         "this value"},
    };
    for (const Case& c : cases) {
        try {
            analyse(solved(Mode::sos, c.texts), c.options);
            ADD_FAILURE() << c.name << ": built";
        } catch (const UnbuildableParts& e) {
            EXPECT_EQ(e.what(), c.message) << c.name;
        }
    }

    const auto d = solved(Mode::butterworth, {});
    for (double load : {0.0, 0.00999, 1.0001e6, std::nan("")}) {
        Options o = with(exact_parts);
        o.load_kohm = load;
        EXPECT_THROW(analyse(d, o), std::invalid_argument) << load;
    }
    for (double load : {0.01, 1e6}) {
        Options o = with(exact_parts);
        o.load_kohm = load;
        EXPECT_NO_THROW(analyse(d, o)) << load;
    }
    Options o = with(exact_parts);
    o.tolerance.c_pct = 100;
    EXPECT_THROW(analyse(d, o), std::invalid_argument);
    o.tolerance.c_pct = 5;
    o.tolerance.runs = 0;
    EXPECT_THROW(analyse(d, o), std::invalid_argument);
    o.tolerance.runs = 10;
    const AsBuilt b = analyse(d, o);
    for (const auto& [first, last, per_decade] : {std::tuple{1.0, HUGE_VAL, 200}, std::tuple{0.0, 1000.0, 200},
                                                  std::tuple{std::nan(""), 1000.0, 200}, std::tuple{1000.0, 1.0, 200},
                                                  std::tuple{1.0, 1000.0, 0}, std::tuple{1e-300, 1e300, 10000}})
        EXPECT_THROW(response_rows(b, first, last, per_decade), std::invalid_argument) << first << " " << last;
}

TEST(AsBuilt, WarnsOfWhatIsUnusual) {
    const char* const rare = " lies outside 10 Ohm to 10 MOhm, where film resistors are rare and an op-amp stage misbehaves";
    struct Case {
        const char* name;
        std::map<Field, std::string> texts;
        std::vector<std::pair<std::string, std::string>> warnings;  // part, text
    };
    const Case cases[] = {
        {"startup_design", {}, {}},
        {"r3_below_ten_ohms_and_near_the_feedback_corner",
         {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "1"}},
         {{"R3", std::string("R3 0.0082k") + rare},
          {"", "The feedback capacitor (0.01 uF across 15k, 1.06 kHz) lies near the filter's corner: it moves the "
               "path's f3 from 760 Hz to 841 Hz"}}},
        {"r1_above_ten_megaohms", {{Field::gain, "0.001"}}, {{"R1", std::string("R1 130000k") + rare}}},
        {"no_f3_below_the_feedback_corner",
         {{Field::freq, "800"}},
         {{"", "The feedback capacitor (0.01 uF across 15k, 1.06 kHz) lies near the filter's corner and cuts into "
               "the pass band: the path never comes within 3 dB of its gain, so it has no f3"}}},
        {"f3_raised_by_the_input_coupling",
         {{Field::cfilter, "10"}, {Field::freq, "1"}},
         {{"", "The input coupling (1 uF with 47k, 3.39 Hz) lies near the filter's corner: it moves the path's f3 "
               "from 1.02 Hz to 3.41 Hz"}}},
        {"capacitor_below_100_pf", {{Field::cfilter, "5E-5"}, {Field::freq, "1000"}, {Field::gain, "0"}},
         {{"C", "C 0.00005 uF lies outside 100 pF to 10 uF, where film capacitors are rare"}}},
    };
    for (const Case& c : cases) {
        const AsBuilt b = analyse(solved(Mode::sos, c.texts), with(e24_parts));
        std::vector<std::pair<std::string, std::string>> got;
        for (const Warning& w : b.warnings) got.emplace_back(w.part, w.text);
        EXPECT_EQ(got, c.warnings) << c.name;
    }
}

TEST(Files, ResponseTable) {
    const AsBuilt b = analyse(solved(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}), with({PartSource::Kind::shown}));
    const auto rows = response_rows(b);
    ASSERT_EQ(rows.size(), 601u);
    EXPECT_EQ(rows.front().hz, 1);
    EXPECT_EQ(rows.back().hz, 1000);
    const ResponseRow& at10 = rows[200];
    EXPECT_DOUBLE_EQ(at10.hz, 10);
    EXPECT_NEAR(at10.section_exact_db, -10, 1e-9);
    EXPECT_NEAR(at10.path_db, -5.1126824, 1e-6);
    // The shown parts' section, not the exact one: -10.4895 dB, not -10.
    EXPECT_NEAR(at10.section_db, -10.4895319, 1e-6);
    const std::string csv = response_csv(rows);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "hz,section_exact_db,section_db,path_db,path_group_delay_ms");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 602);
    // Each row holds its values in the header's order.
    const auto row = csv.find("\n10,");
    ASSERT_NE(row, std::string::npos);
    std::vector<double> values;
    const std::string line = csv.substr(row + 1, csv.find('\n', row + 1) - row - 1);
    for (std::size_t start = 0; start <= line.size();) {
        const std::size_t comma = std::min(line.find(',', start), line.size());
        values.push_back(std::stod(line.substr(start, comma - start)));
        start = comma + 1;
    }
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[0], 10);
    EXPECT_NEAR(values[1], -10, 1e-9);
    EXPECT_NEAR(values[2], -10.4895319, 1e-6);
    EXPECT_NEAR(values[3], -5.1126824, 1e-6);
    EXPECT_NEAR(values[4], 12.3001788, 1e-6);  // ms, from the phase of the transfer function
}

// A caption and CSV comment lines that name the design, the parts and the
// choices; the CSV's tolerance band beside each row.
TEST(Files, ExportsSayWhatTheyAreOf) {
    const auto sos = solved(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}, {Field::cfilter, "0.5"}});
    Options o = with(e24_parts, Combine::series);
    o.capacitor = CapSeries::E6;
    o.load_kohm = 0.6;
    o.tolerance.runs = 200;
    const AsBuilt b = analyse(sos, o);
    EXPECT_EQ(export_caption(sos, Mode::sos, b),
              "Vandrel 1.01: SOS User-specified, C 0.5 \u00b5F, gain 6 dB, f0 20 Hz, Q 2. R1 15 k\u03a9, "
              "R3 3.9 k\u03a9 + 330 \u03a9, R4 68 k\u03a9, C 0.47 \u00b5F twice; E24 in pairs in series, \u00b11 % and "
              "\u00b15 %, into 600 \u03a9");

    const auto rows = response_rows(b);
    std::vector<double> hz;
    for (const ResponseRow& r : rows) hz.push_back(r.hz);
    const std::vector<Band> band = tolerance_band(b.runs, hz);
    const std::string csv = described_response_csv(sos, Mode::sos, b, rows, band, 200);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = csv.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(csv.substr(at, end - at));
    ASSERT_EQ(lines.size(), 6u + 601u);
    EXPECT_EQ(lines[0], "# Vandrel 1.01: response of the subsonic high-pass filter as built");
    // The design as Solve left it (f3 cut down to 0.1 Hz).
    EXPECT_EQ(lines[1], "# Design: SOS User-specified, C 0.5 \u00b5F, buffer gain 6 dB, f0 20 Hz, Q 2, f3 13.4 Hz");
    EXPECT_EQ(lines[2].substr(0, 30), "# Parts: R1 15 k\u03a9, R3 3.9 k\u03a9");
    EXPECT_EQ(lines[3].substr(0, 46), "# Choices: E24, one part or two in series; cap");
    EXPECT_NE(lines[4].find("over 200 of the 200 builds"), std::string::npos) << lines[4];
    EXPECT_EQ(lines[5], "hz,section_exact_db,section_db,path_db,path_group_delay_ms,path_p5_db,path_p95_db");
    // At 13.5 Hz (row 226) the band spreads around the nominal level.
    double f = 0, exact = 0, section = 0, path = 0, delay = 0, low = 0, high = 0;
    ASSERT_EQ(std::sscanf(lines[6 + 226].c_str(), "%lf,%lf,%lf,%lf,%lf,%lf,%lf", &f, &exact, &section, &path, &delay,
                          &low, &high), 7);
    EXPECT_NEAR(f, 13.5, 0.05);
    EXPECT_LT(low, path - 0.1);
    EXPECT_GT(high, path + 0.1);
    EXPECT_THROW(described_response_csv(sos, Mode::sos, b, rows, std::span(band).first(3), 200), std::invalid_argument);
}

TEST(Files, SpiceNetlist) {
    const auto sos = solved(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}});
    // Within 0 %, every second part that comes closer is used.
    Options trimmed = with(e24_parts, Combine::series);
    trimmed.tolerance.r_pct = 0;
    const std::string two = spice_netlist(sos, Mode::sos, analyse(sos, trimmed));
    for (const char* line : {"\nVIN in 0 AC 1\n", "\nR1A buf_fb n_R1 1.5e4\n", "\nR1B n_R1 0 6.8e1\n",
                             "\nR3A hp_mid n_R3 1.6e3\n", "\nR3B n_R3 hp_out 3.9e2\n", "\nR4A hp_in n_R4 3e4\n",
                             "\nC1 buf_out hp_mid 1e-6\n", "\nEHP hp_out 0 hp_in hp_out 1e6\n",
                             "\nRLOAD out 0 1e4\n", "* Design: SOS User-specified, C 1 uF, buffer gain 6 dB",
                             "* Parts: E24 series, a single part or two in series\n",
                             "\n* C1 = C2 = 1 uF, as typed\n",
                             "\n.ac dec 200 1 1k\n.end\n"})
        EXPECT_NE(two.find(line), std::string::npos) << line;
    EXPECT_EQ(two.find(".control"), std::string::npos);
    EXPECT_EQ(two.substr(two.size() - 5), ".end\n");

    const auto follower = solved(Mode::butterworth, {{Field::gain, "0"}, {Field::cfilter, "0.47"}});
    const std::string exact = spice_netlist(follower, Mode::butterworth, analyse(follower, with(exact_parts)));
    EXPECT_NE(exact.find("\nEBUF buf_out 0 buf_in buf_out 1e6\n"), std::string::npos);
    EXPECT_EQ(exact.find("R1"), std::string::npos);
    EXPECT_NE(exact.find("\nC2 hp_mid hp_in 4.7e-7\n"), std::string::npos);
    // The exact value, every digit: 1000 / (0.47 * (17 * 6.2831853)) / (0.707 * 2).
    EXPECT_NE(exact.find("\nR3 hp_mid hp_out 1.4087176091202794e4\n"), std::string::npos) << exact;

    // Capacitors of the nearest E6 value to 0.5 uF: 0.47 uF in the circuit.
    const auto half = solved(Mode::butterworth, {{Field::cfilter, "0.5"}});
    Options e6 = with(exact_parts);
    e6.capacitor = CapSeries::E6;
    const std::string bought = spice_netlist(half, Mode::butterworth, analyse(half, e6));
    for (const char* line : {"\nC1 buf_out hp_mid 4.7e-7\n", "\nC2 hp_mid hp_in 4.7e-7\n",
                             "\n* C1 = C2 = 0.47 uF, the nearest E6 value to 0.5 uF as typed\n"})
        EXPECT_NE(bought.find(line), std::string::npos) << line;
}

}  // namespace
