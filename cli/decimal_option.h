// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A vandrel-solve option that takes one decimal number, read as every
// number option reads one: the whole text a finite decimal ("4.7",
// "1e3"), never hex ("0x1A"), "inf", "nan" or blanks.

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace vandrel::cli {

/// Adds `names` to `app`: a decimal number that `ok` accepts, stored in
/// `value`; any other text is a bad command line with `message`. The help
/// shows `value` as the default.
CLI::Option* add_decimal_option(CLI::App& app, const std::string& names, double& value,
                                std::function<bool(double)> ok, const std::string& message,
                                const std::string& help);

}  // namespace vandrel::cli
