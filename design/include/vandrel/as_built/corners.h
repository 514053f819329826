// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tolerance corners of a path: its section's parts at the ends of
// their tolerances, where f0 and Q move furthest.

#include <array>

#include "vandrel/as_built/circuit.h"

namespace vandrel::as_built {

/// The section's corners: both capacitors at + or - `c_pct` % together, and
/// each of R3 and R4 at + or - `r_pct` % on its own; the rest of the path
/// as it is. The eight combinations hold the four that move f0 and Q most
/// (f0 lowest and highest, Q highest and lowest), those that move one of
/// them most with the other as far as it then goes, and first the two that
/// give a cone the most to do: f0 lowest (all parts up), then Q highest
/// with f0 low (C and R4 up, R3 down).
std::array<PathParts, 8> tolerance_corners(const PathParts& nominal, double r_pct, double c_pct);

}  // namespace vandrel::as_built
