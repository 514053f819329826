// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's build sheet, --sheet FILE: one A4 page of PDF drawn with
// Qt Gui. A build without Qt (the Windows cross build) knows the option only
// to say that it cannot draw one.

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"
#include "vandrel/files/output.h"
#include "vandrel/window_model.h"

namespace vandrel::cli {

/// Adds --sheet FILE, which stores FILE in `file`. Without Qt it is left out
/// of the help and refuses any value with the reason, a bad command line.
CLI::Option* add_sheet_option(CLI::App& app, std::optional<std::string>& file);

/// Draws the build sheet of a completed run, the field texts `texts` solved
/// in `mode` and built as `built`, with the filter's `levels` where given
/// (may be null), and adds it to `outputs` as `file`.
/// Returns false, having said why on `errors`, when it could not be drawn.
bool add_sheet(std::vector<files::Output>& outputs, const std::string& file, Mode mode,
               const std::map<Field, std::string>& texts, const as_built::AsBuilt& built,
               const as_built::Levels* levels, std::ostream& errors);

}  // namespace vandrel::cli
