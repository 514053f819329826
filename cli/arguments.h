// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line as vandrel-solve's parser takes it.

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace vandrel::cli {

/// The arguments as CLI::App::parse takes them (reversed), with every
/// "--NAME=" of an option that takes a value written as "--NAME" and an
/// empty argument: left to CLI11, nothing after "=" counts as no value at
/// all and the next argument would be taken instead.
std::vector<std::string> arguments(const CLI::App& app, int argc, char** argv);

}  // namespace vandrel::cli
