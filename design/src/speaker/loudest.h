// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loudest safe level of a system at each table frequency, without and
// with the filter, and its figures.

#include "drive.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker {

/// Fills the analysis' limits, its loudest-level tables and figures, the
/// amplifier's voltage through the filter, and the warnings where full
/// scale through the filter asks the amplifier or the voice coil for more
/// than they take.
void add_loudest(Analysis& out, const Inputs& in, const System& system, const FilterShape& shape);

}  // namespace vandrel::speaker
