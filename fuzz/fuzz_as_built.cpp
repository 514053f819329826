// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the filter as built: part choice, response, tolerance and files
// for any design that Solve completes.
//
// Input: "SOURCE COMBINE|MODE|cfilter|gain|freq|q|freq_peak|peakmag": the
// first byte picks the parts (exact, shown, E3 ... E192), the second how two
// are joined, the capacitors bought and the resistor tolerance; the rest is
// as for fuzz_solve (a field left out keeps its design text).
//
// Checks: every chosen part is one that is made, a value of its series when one was
// asked for, one or two of them within a factor 1000, and joined to the
// value reported; the section's and the path's figures are finite, the path
// never reaches its f3 below the section's, peaks are not below the pass
// band; the tolerance percentiles are finite and in order; the netlist and
// the response table hold no infinity or NaN. Only values outside those
// that parts come in (or at their very ends) may be refused.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"

namespace {

using namespace vandrel;
using namespace vandrel::as_built;

PartSource source_of(unsigned char byte) {
    switch (byte % 9) {
    case 0: return {PartSource::Kind::exact};
    case 1: return {PartSource::Kind::shown};
    default: return {PartSource::Kind::series, all_series[byte % 9 - 2u]};
    }
}

Mode mode_of(char c) {
    switch (c) {
    case 'b': return Mode::butterworth;
    case 's': return Mode::sos;
    case 'p': return Mode::peaking;
    default: return all_modes[static_cast<unsigned char>(c) % 3];
    }
}

void check_resistor(const Resistor& r, const Options& o, const std::string& where) {
    FUZZ_CHECK(r.chosen.size() == 1 || r.chosen.size() == 2, where);
    for (double part : r.chosen) {
        FUZZ_CHECK(resistors_made.holds(part), where);
        if (o.source.kind == PartSource::Kind::series) FUZZ_CHECK(is_value(o.source.series, part), where);
    }
    if (r.chosen.size() == 2) {
        FUZZ_CHECK(o.combine != Combine::single && r.combine == o.combine, where);
        FUZZ_CHECK(r.chosen[0] >= r.chosen[1] && r.chosen[1] * 1000 >= r.chosen[0], where);
    }
    FUZZ_CHECK(r.value == combined_value(r.chosen, r.combine), where);
}

void check_spread(const Spread& s, const std::string& where) {
    FUZZ_CHECK(std::isfinite(s.p5) && std::isfinite(s.p95) && s.p5 <= s.p50 && s.p50 <= s.p95, where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    Options options;
    options.source = source_of(data[0]);
    options.combine = static_cast<Combine>(data[1] % 3);
    options.capacitor = static_cast<CapSeries>(data[1] / 3 % 3);
    options.tolerance.r_pct = (data[1] / 9) % 3 == 0 ? 0 : data[1] / 9 % 3 == 1 ? 1 : 5;
    options.tolerance.runs = 64;  // the checks hold for any number of runs

    const std::vector<std::string_view> pieces = vandrel::fuzz::split_bars(input);
    std::map<Field, std::string> texts;
    for (std::size_t i = 0; i < all_fields.size() && i + 1 < pieces.size(); ++i)
        texts[all_fields[i]] = std::string(pieces[i + 1]);
    const Mode mode = pieces[0].empty() ? Mode::butterworth : mode_of(pieces[0][0]);
    const BatchOutcome solved = solve_batch(mode, texts);
    if (solved.end != SolveEnd::completed) return 0;

    const std::string where = std::string(source_name(options.source)) + " " +
                              std::string(combine_name(options.combine)) + " " +
                              std::string(cap_series_name(options.capacitor)) + " " + std::string(input);
    AsBuilt built;
    try {
        built = analyse(solved.design, options);
    } catch (const UnbuildableParts& refused) {
        // Only a value outside what parts come in, or next to its ends,
        // where the nearest part may lie outside.
        const Module1& d = solved.design;
        const double ratio = std::pow(10.0, d.gain / 20) - 1;
        const double r1 = d.gain > 0 && ratio > 0 ? 15 / ratio : 1;
        bool outside = !capacitors_made.holds(d.cfilter);
        for (double r : {r1, d.xc / (2 * d.q), 2 * d.xc * d.q})
            outside = outside || !(r >= resistors_made.low * 1.25 && r <= resistors_made.high / 1.25);
        if (options.source.kind == PartSource::Kind::shown)
            outside = outside || (d.gain > 0 && ratio > 0 && !resistors_made.holds(d.r1)) ||
                      !resistors_made.holds(d.r3) || !resistors_made.holds(d.r4);
        FUZZ_CHECK(outside, where + ": " + refused.what());
        return 0;
    }
    if (built.parts.r1) check_resistor(*built.parts.r1, options, where + " R1");
    check_resistor(built.parts.r3, options, where + " R3");
    check_resistor(built.parts.r4, options, where + " R4");
    FUZZ_CHECK(built.parts.r1.has_value() == (solved.design.gain > 0 && std::pow(10.0, solved.design.gain / 20) != 1),
               where);

    for (const SectionFigures& s : {built.section, built.exact_section}) {
        FUZZ_CHECK(s.f0 > 0 && s.q > 0 && s.f3 > 0 && std::isfinite(s.f0) && std::isfinite(s.q) &&
                       std::isfinite(s.f3),
                   where);
        FUZZ_CHECK(s.peak_hz.has_value() == (s.peak_db > 0) && s.peak_db >= 0 && std::isfinite(s.peak_db), where);
    }
    const PathFigures& p = built.path_figures;
    FUZZ_CHECK(std::isfinite(p.gain_db) && std::isfinite(p.peak_db) && p.peak_db >= 0, where);
    if (p.f3) FUZZ_CHECK(*p.f3 >= built.section.f3 * (1 - 1e-9) && std::isfinite(*p.f3), where);
    for (double delay : p.group_delay_ms) FUZZ_CHECK(std::isfinite(delay), where);
    check_spread(built.tolerance.section_f3, where + " section f3");
    check_spread(built.tolerance.peak_db, where + " peak");
    if (built.tolerance.path_f3) check_spread(*built.tolerance.path_f3, where + " path f3");

    for (const std::string& text : {spice_netlist(solved.design, mode, built),
                                    response_csv(response_rows(built, 1, 1000, 10))})
        FUZZ_CHECK(text.find("inf") == std::string::npos && text.find("nan") == std::string::npos, where);
    return 0;
}
