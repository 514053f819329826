// SPDX-License-Identifier: GPL-3.0-or-later
// The response of parts as built, its spread from tolerance, and the files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <span>
#include <vector>
#include <string>

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
                          Case{{1000, 10}, 644.7344096, 1002.5094142, 20.0108710}}) {
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
    // R3 is shown as 0k here.
    const auto corner = solved(Mode::sos, {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "10"}});
    EXPECT_THROW(analyse(corner, with({PartSource::Kind::shown})), UnbuildableParts);
    EXPECT_NO_THROW(analyse(corner, with(e24_parts)));
    const auto tiny = solved(Mode::sos, {{Field::cfilter, "1E-300"}, {Field::freq, "1"}});
    EXPECT_THROW(analyse(tiny, with(e24_parts)), UnbuildableParts);
    const auto d = solved(Mode::butterworth, {});
    Options o = with(exact_parts);
    o.load_kohm = 0;
    EXPECT_THROW(analyse(d, o), std::invalid_argument);
    o.load_kohm = 10;
    o.tolerance.c_pct = 100;
    EXPECT_THROW(analyse(d, o), std::invalid_argument);
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
    const std::string csv = response_csv(rows);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "hz,section_exact_db,section_db,path_db,path_group_delay_ms");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 602);
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
