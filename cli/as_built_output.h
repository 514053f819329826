// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's report of the filter as built: a JSON object, a parts
// list for people.

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

#include "vandrel/as_built/report.h"

namespace vandrel::cli {

/// The "as_built" object: parts, section, exact section, path, tolerance.
nlohmann::ordered_json as_built_json(const as_built::AsBuilt& built);

/// The same for people: the parts list, then the figures.
void print_as_built(std::ostream& out, const as_built::AsBuilt& built);

}  // namespace vandrel::cli
