// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's options for the filter as built: where the parts come
// from, how they are joined, the capacitors, the load, the tolerances, and
// the files written from them (netlist, response, build sheet).

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"
#include "vandrel/files/output.h"

namespace vandrel::cli {

class FilterOptions {
public:
    /// Adds the options to `app`.
    explicit FilterOptions(CLI::App& app);

    /// Whether --parts was given.
    bool parts_given() const { return parts_name_.has_value(); }

    /// The load at the output, kOhm, as given or by default.
    double load_kohm() const { return options_.load_kohm; }

    /// How the parts are chosen, as given (exact resistors without
    /// --parts), with the load and the tolerances.
    as_built::Options build_options() const;

    /// The parts chosen for a completed run, or none: without --parts, or
    /// when no part can make the design (said on `errors`).
    std::optional<as_built::AsBuilt> analyse(const BatchOutcome& outcome, std::ostream& errors);

    /// Whether a file was asked for.
    bool writes_files() const { return spice_file_ || response_file_ || sheet_file_; }

    /// Adds the files asked for to `outputs`, the build sheet with the
    /// filter's `levels` where given (may be null). False, having said why
    /// on `errors`, when the build sheet could not be drawn.
    bool add_outputs(std::vector<files::Output>& outputs, Mode mode, const BatchOutcome& outcome,
                     const as_built::AsBuilt& built, const as_built::Levels* levels, std::ostream& errors) const;

private:
    CLI::Option* parts_ = nullptr;
    std::optional<std::string> parts_name_;
    std::string combine_name_ = "single";
    as_built::Options options_;
    std::optional<std::string> spice_file_, response_file_, sheet_file_;
};

}  // namespace vandrel::cli
