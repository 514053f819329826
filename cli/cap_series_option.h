// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's --cap-series: which capacitors the parts are built with.

#include <CLI/CLI.hpp>

#include "vandrel/as_built/parts.h"

namespace vandrel::cli {

/// Adds "--cap-series typed|E6|E12" (any case) to `app`, read into
/// `choice`; it needs `parts`.
void add_cap_series_option(CLI::App& app, as_built::CapSeries& choice, CLI::Option* parts);

}  // namespace vandrel::cli
