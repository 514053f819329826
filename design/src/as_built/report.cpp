// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/report.h"

#include <cmath>

#include "warnings.h"
#include "vandrel/texts/exact.h"

namespace vandrel::as_built {

using texts::shortest;

namespace {

void require_parts_made(const Resistor& r, const char* name) {
    for (double part : r.chosen) require_made(name, part, false);
}

}  // namespace

AsBuilt analyse(const Module1& design, const Options& options) {
    if (!(options.load_kohm >= min_load_kohm && options.load_kohm <= max_load_kohm))
        throw std::invalid_argument("the load must be from 0.01 to 1000000 kOhm");
    for (double pct : {options.tolerance.r_pct, options.tolerance.c_pct})
        if (!(pct >= 0 && pct < 100)) throw std::invalid_argument("a tolerance must be at least 0 % and below 100 %");
    if (!(options.tolerance.runs >= 1 && options.tolerance.runs <= 1'000'000))
        throw std::invalid_argument("the tolerance runs must number from 1 to 1000000");

    AsBuilt out;
    out.options = options;
    out.parts =
        choose_parts(design, options.source, options.combine, options.capacitor, options.tolerance.r_pct);
    if (out.parts.r1) require_parts_made(*out.parts.r1, "R1");
    require_parts_made(out.parts.r3, "R3");
    require_parts_made(out.parts.r4, "R4");

    out.path = path_of(out.parts, options.load_kohm);
    out.section = section_figures(section_of(out.path));
    // A capacitor of 1E-300 uF passes Solve, but its section lies beyond
    // the range of a double here.
    if (!std::isfinite(out.section.f3) || !std::isfinite(path_passband_gain(out.path)))
        throw UnbuildableParts("the parts of this design lie beyond the range of the calculation");
    out.exact_section = section_figures({design.f0, design.q});
    out.path_figures = path_figures(out.path);
    out.runs = tolerance_runs(out.parts, options.load_kohm, options.tolerance);
    out.tolerance = tolerance_figures(out.runs);
    out.warnings = build_warnings(out);
    return out;
}

std::vector<ResponseRow> response_rows(const AsBuilt& built, double first_hz, double last_hz, int per_decade) {
    if (!(first_hz > 0 && last_hz >= first_hz && std::isfinite(last_hz) && per_decade >= 1 &&
          std::log10(last_hz / first_hz) * per_decade <= 1e6))
        throw std::invalid_argument("a response table runs from above 0 Hz upwards, at most a million rows");
    const Section exact{built.exact_section.f0, built.exact_section.q};
    const Section section = section_of(built.path);
    const int steps = static_cast<int>(std::lround(std::log10(last_hz / first_hz) * per_decade));
    std::vector<ResponseRow> rows;
    rows.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double hz = first_hz * std::pow(10.0, static_cast<double>(i) / per_decade);
        rows.push_back({hz, section_level_db(exact, hz), section_level_db(section, hz),
                        path_level_db(built.path, hz), path_group_delay_ms(built.path, hz)});
    }
    return rows;
}

std::string response_csv(std::span<const ResponseRow> rows) {
    std::string out = "hz,section_exact_db,section_db,path_db,path_group_delay_ms\n";
    for (const ResponseRow& r : rows) {
        for (double v : {r.hz, r.section_exact_db, r.section_db, r.path_db}) out += shortest(v) + ",";
        out += shortest(r.path_group_delay_ms) + "\n";
    }
    return out;
}

}  // namespace vandrel::as_built
