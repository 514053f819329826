// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line as vandrel-solve's parser takes it.

#include <CLI/CLI.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace vandrel::cli {

/// The longest argument taken, in bytes: no option's value needs more (a
/// file's whole path is at most 4096 bytes on Linux).
inline constexpr std::size_t longest_argument = 4096;

/// The most arguments taken: a whole design with every file and every
/// subwoofer value needs fewer than a hundred.
inline constexpr std::size_t most_arguments = 1000;

/// "" when there are at most most_arguments arguments, each at most
/// longest_argument bytes long; else the message that says what is not.
std::string refused_arguments(int argc, char** argv);

/// The arguments as CLI::App::parse takes them (reversed), with every
/// "--NAME=" of an option that takes a value written as "--NAME" and an
/// empty argument: left to CLI11, nothing after "=" counts as no value at
/// all and the next argument would be taken instead. A cluster of short
/// flags ("-jv") is given flag by flag, each once, up to the first option
/// that takes a value (which gets the rest of the cluster, "-f20"): left
/// to CLI11, a cluster costs the square of its length.
std::vector<std::string> arguments(const CLI::App& app, int argc, char** argv);

}  // namespace vandrel::cli
