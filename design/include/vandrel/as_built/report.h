// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter as built: the parts chosen for a solved design, the response
// they give, its spread from tolerance, and what goes into files (a SPICE
// netlist, a response table).

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "vandrel/as_built/circuit.h"
#include "vandrel/as_built/parts.h"
#include "vandrel/as_built/ranges.h"
#include "vandrel/as_built/tolerance.h"
#include "vandrel/module1.h"
#include "vandrel/window_model.h"

namespace vandrel::as_built {

/// The loads a path may drive, kOhm: an amplifier's input, from 10 Ohm to 1 GOhm.
inline constexpr double min_load_kohm = 0.01;
inline constexpr double max_load_kohm = 1e6;

/// What to build and into what.
struct Options {
    PartSource source;
    Combine combine = Combine::single;
    CapSeries capacitor = CapSeries::typed;  ///< the capacitors bought
    double load_kohm = 10;   ///< load at the output, kOhm (0.01 to 1E6)
    Tolerance tolerance;
};

/// Something unusual about a build that still works: a part outside the
/// range where it is common, a corner near the fixed ones of the path.
struct Warning {
    std::string part;  ///< "R1", "R3", "R4", "C", or "" for the whole path
    std::string text;  ///< one sentence for people
};

struct AsBuilt {
    Options options;
    PartsList parts;
    PathParts path;                 ///< the nominal path
    SectionFigures section;         ///< the section of the chosen parts
    SectionFigures exact_section;   ///< the section of the exact design (its f0 and Q)
    PathFigures path_figures;
    std::vector<PathParts> runs;    ///< the tolerance runs
    ToleranceFigures tolerance;
    std::vector<Warning> warnings;  ///< in the order R1, R3, R4, C, path
};

/// Chooses the parts for a design that Solve completed and works out what
/// they do. Throws UnbuildableParts for a part that cannot be made (see
/// ranges.h) and std::invalid_argument for a load outside 0.01 to 1E6 kOhm,
/// a tolerance outside [0, 100) or tolerance runs outside 1 to 1E6.
AsBuilt analyse(const Module1& design, const Options& options);

/// One frequency of the response table.
struct ResponseRow {
    double hz = 0;
    double section_exact_db = 0;      ///< the exact design's section
    double section_db = 0;            ///< the chosen parts' section
    double path_db = 0;               ///< the whole path, its gain included
    double path_group_delay_ms = 0;
};

/// The response from `first_hz` to `last_hz`, `per_decade` points a decade
/// spaced evenly on a logarithmic axis, both ends included. Throws
/// std::invalid_argument for ends that are not finite, above 0 and in order,
/// or for more than a million rows.
std::vector<ResponseRow> response_rows(const AsBuilt& built, double first_hz = 1, double last_hz = 1000,
                                       int per_decade = 200);

/// The rows as CSV with the header
/// hz,section_exact_db,section_db,path_db,path_group_delay_ms; numbers in
/// their shortest exact form.
std::string response_csv(std::span<const ResponseRow> rows);

/// A SPICE netlist of the whole path with the chosen parts, for ngspice and
/// LTspice: the design in comments, op-amps as voltage-controlled sources
/// with a gain of 1E6, values written exactly, an AC sweep from 1 Hz to
/// 1 kHz at 200 points a decade, input `in`, output `out`.
std::string spice_netlist(const Module1& design, Mode mode, const AsBuilt& built);

}  // namespace vandrel::as_built
