// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spread of the response when every part is off by up to its
// tolerance: a Monte Carlo run with a fixed seed, so that it repeats.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "vandrel/as_built/circuit.h"
#include "vandrel/as_built/parts.h"

namespace vandrel::as_built {

/// How far parts may be off, and how many builds to try.
struct Tolerance {
    double r_pct = 1;         ///< every resistor within +- this, %
    double c_pct = 5;         ///< every capacitor within +- this, %
    int runs = 10000;         ///< builds to try
    std::uint64_t seed = 1;   ///< start of the random sequence
};

/// The 5th, 50th and 95th percentiles of one figure over the runs, with
/// linear interpolation between neighbouring runs.
struct Spread {
    double p5 = 0;
    double p50 = 0;
    double p95 = 0;
};

struct ToleranceFigures {
    Spread section_f3;              ///< Hz
    std::optional<Spread> path_f3;  ///< Hz, over the runs whose path comes within 3 dB of its pass band
    int path_f3_runs = 0;           ///< how many runs those are
    Spread peak_db;                 ///< height of the section's peak, dB (0 without one)
};

/// The paths of `tolerance.runs` builds of `parts` into `load_kohm`: each
/// part, the two of a pair each on its own, is its nominal value times a
/// factor drawn uniformly from 1 - tol to 1 + tol. The load is not a part
/// and keeps its value.
std::vector<PathParts> tolerance_runs(const PartsList& parts, double load_kohm, const Tolerance& tolerance);

/// The spread of the section's f3, the path's f3 and the section's peak.
ToleranceFigures tolerance_figures(std::span<const PathParts> runs);

/// The 5th and 95th percentile of the path's level at one frequency, dB.
struct Band {
    double low_db = 0;
    double high_db = 0;
};

/// The band that holds the middle 90 % of the runs' levels at each of `hz`.
std::vector<Band> tolerance_band(std::span<const PathParts> runs, std::span<const double> hz);

}  // namespace vandrel::as_built
