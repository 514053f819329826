// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one Solve left, as vandrel-solve prints it: messages, field texts,
// result captions and the design variables, as JSON or for people.

#include <nlohmann/json.hpp>

#include <iosfwd>

#include "vandrel/batch.h"

namespace vandrel::cli {

/// The run as one JSON object: messages, fields, labels, graph_drawn, design.
nlohmann::ordered_json design_json(const BatchOutcome& outcome);

/// The same for people, under the mode's caption.
void print_design(std::ostream& out, Mode mode, const BatchOutcome& outcome);

}  // namespace vandrel::cli
