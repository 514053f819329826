// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's --save-driver FILE: the driver as given and completed,
// written as a driver file (WinISD .wdr when FILE ends in .wdr, else
// "name = value" lines) together with the run's other files.

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

#include "vandrel/files/output.h"
#include "vandrel/speaker/inputs.h"

namespace vandrel::cli {

/// Adds --save-driver to `app` in `group`, its file name into `file`.
void add_save_driver_option(CLI::App& app, std::optional<std::string>& file, const std::string& group);

/// The values a driver file keeps of a checked driver: all of them, Qts
/// worked out from Qes and Qms.
speaker::DriverValues saved_values(const speaker::Driver& driver);

/// The output that writes `driver` to `file`, in the form its name asks for.
files::Output driver_output(const std::string& file, const speaker::Driver& driver);

}  // namespace vandrel::cli
