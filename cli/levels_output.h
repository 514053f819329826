// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's report of the filter's levels at full scale: a JSON
// object, a few lines for people.

#include <nlohmann/json.hpp>

#include <iosfwd>

#include "limit_options.h"
#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"

namespace vandrel::cli {

/// The levels of the parts of `built`, or without them of the exact design
/// of `design` into `load_kohm`, when `design_ready`; none otherwise or when
/// no part can make the design. Their warnings are the levels', with the
/// inputs' first.
std::optional<as_built::Levels> filter_levels(bool design_ready, const Module1& design, const as_built::AsBuilt* built,
                                              double load_kohm, const LimitOptions& limits);

/// The "levels" object.
nlohmann::ordered_json levels_json(const as_built::Levels& levels);

/// The same for people.
void print_levels(std::ostream& out, const as_built::Levels& levels);

}  // namespace vandrel::cli
