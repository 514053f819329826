// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driver files: "name = value" lines (# starts a comment) or one JSON
// object, with the names fs, qes, qms, qts, vas, re, sd, xmax, le (in the
// units of DriverValues) and name, in any case.

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "vandrel/speaker/inputs.h"
#include "vandrel/speaker/text_file.h"

namespace vandrel::speaker {

/// What a driver file holds.
struct DriverFile {
    DriverValues values;
    std::map<std::string, int> lines;    ///< the line of each name given ("fs" to 3), for messages
    std::vector<FileProblem> warnings;   ///< unknown names, names given twice
};

/// Largest driver file read, bytes.
inline constexpr std::size_t max_driver_file_bytes = 64 * 1024;
/// Most lines of a driver file, and its longest line.
inline constexpr std::size_t max_driver_file_lines = 1000;
inline constexpr std::size_t max_driver_file_line = 1000;
/// Longest driver name kept, bytes.
inline constexpr std::size_t max_driver_name = 200;

/// Reads a value of a driver or box parameter (fs ... le, vb, fb, ql,
/// port-diameter, volts, watts): a decimal number, perhaps followed by its
/// unit in any case ("25", "25 Hz", "75L", "3.2 ohm", "500 cm2"). The
/// problem (line 0) names the parameter.
Parsed<double> parse_value(std::string_view parameter, std::string_view text);

/// Reads a driver file's text. Refused, with the line: a line that is not
/// "name = value", a value that is not a number in the parameter's unit,
/// JSON that is not one flat object, too many or too long lines. Values are
/// not checked here (check_driver does that).
Parsed<DriverFile> parse_driver_file(std::string_view text);

/// Reads a driver file (a regular file of at most max_driver_file_bytes).
Parsed<DriverFile> read_driver_file(const std::filesystem::path& path);

/// A driver file of "name = value" lines for the values given, which
/// parse_driver_file reads back to the same values.
std::string driver_file_text(const DriverValues& values);

}  // namespace vandrel::speaker
