// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve --design FILE: a design file's values given as if their
// options had been, except those the command line gives itself.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

#include "vandrel/project/design_file.h"

namespace vandrel::cli {

/// The option each value of a design file stands for: "--cfilter",
/// "--parts" (parts.series), "--box" (box.type), "--r-tol"...
std::string option_of(const project::Entry& entry);

/// The arguments that give a design's values, for the options of `app`
/// that the command line left out. A value whose option `app` lacks is
/// left out too (it stays in the file). The driver's Qs (qes, qms, qts), the
/// drive (volts, watts) and the amplifier's limit (amp_volts, amp_watts)
/// each go together: one of them on the command line replaces all of the
/// file's. In the reversed order that CLI::App::parse takes.
std::vector<std::string> design_arguments(const CLI::App& app, project::Design design);

class DesignFileOption {
public:
    /// Adds --design to `app`.
    explicit DesignFileOption(CLI::App& app);

    /// Parses `args` (reversed, as CLI::App::parse takes them), then again
    /// with the design file's values when --design was given. Returns "" or,
    /// for exit status 2, what is wrong with the file or its values. Throws
    /// CLI::ParseError for a bad command line.
    std::string parse(CLI::App& app, std::vector<std::string> args);

private:
    std::optional<std::string> file_;
};

}  // namespace vandrel::cli
