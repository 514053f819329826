// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driver files, in three forms told apart by their content:
// - "name = value" lines, with the names fs, qes, qms, qts, vas, re, sd,
//   xmax, le, pe (in the units of DriverValues, or with a unit written) and
//   name, in any case. "#" starts a comment at the start of a line or after
//   a blank or tab, so "name = Test#1" keeps its "#"; a name may be written
//   in double quotes ("\"" and "\\" escaped) to keep " #" in it.
// - one JSON object with the same names.
// - a WinISD driver file (.wdr): INI text whose first section is [Driver],
//   with Key=Value lines in SI units: Fs, Qes, Qms, Qts, Vas (m³), Re, Sd
//   (m²), Xmax (m), Le (H), Pe (W); Brand and Model make the name; other
//   keys and sections are ignored.
// Every form keeps the same limits: 64 KiB, 1000 lines of 1000 bytes.

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "vandrel/speaker/inputs.h"
#include "vandrel/speaker/text_file.h"
#include "vandrel/texts/units.h"

namespace vandrel::speaker {

/// What a driver file holds.
struct DriverFile {
    DriverValues values;
    std::map<std::string, int> lines;    ///< the line of each name given ("fs" to 3), for messages
    std::vector<FileProblem> warnings;   ///< unknown names, names given twice
};

/// Largest driver file read, bytes.
inline constexpr std::size_t max_driver_file_bytes = 64 * 1024;
/// Most lines of a driver file, and its longest line, bytes.
inline constexpr std::size_t max_driver_file_lines = 1000;
inline constexpr std::size_t max_driver_file_line = 1000;
/// Longest driver name kept, bytes.
inline constexpr std::size_t max_driver_name = 200;

/// The quantity of a driver or box parameter (fs ... pe, vb, fb, ql,
/// port-diameter, volts, watts): its unit and the units read for it. Vas and
/// Vb take ft³ too, Sd in², Xmax and the port diameter inches.
const texts::Quantity& quantity_of(std::string_view parameter);

/// Reads a value of a driver or box parameter: a decimal number, perhaps
/// followed by its unit in any case ("25", "25 hz", "75L", "3.5 OHM", "500
/// cm2", "2.4 cu ft"), in the program's unit, and whether it was converted
/// from another. The problem (line 0) names the parameter.
Parsed<texts::ValueWithUnit> parse_value_with_unit(std::string_view parameter, std::string_view text);

/// The value alone of parse_value_with_unit.
Parsed<double> parse_value(std::string_view parameter, std::string_view text);

/// Reads a driver file's text, in whichever form it is. Refused, with the
/// line: a line that is not "name = value" (or Key=Value), a value that is
/// not a number in the parameter's unit, JSON that is not one flat object,
/// too many or too long lines; and, for the file as a whole, more than
/// max_driver_file_bytes, or no driver value at all (a name alone is not a
/// driver). Values are not checked here (check_driver does that).
Parsed<DriverFile> parse_driver_file(std::string_view text);

/// Reads a driver file (a regular file of at most max_driver_file_bytes).
Parsed<DriverFile> read_driver_file(const std::filesystem::path& path);

/// The parameters, fs ... pe in that order, that `file` does not give: the
/// fields a window taking the file's values leaves empty.
std::vector<std::string> parameters_not_given(const DriverFile& file);

/// The forms a driver is written in.
enum class DriverFormat { text, wdr };

/// The form for a file name: wdr for a name ending in ".wdr" (in any case),
/// else text.
DriverFormat driver_format_for(const std::filesystem::path& path);

/// A driver file of "name = value" lines for the values given, which
/// parse_driver_file reads back to the same values.
std::string driver_file_text(const DriverValues& values);

/// A WinISD driver file for the values given, in SI units, written exactly
/// from each value's shortest digits, which parse_driver_file reads back to
/// the same values. The name is split at its first blank into Brand and
/// Model.
std::string driver_wdr_text(const DriverValues& values);

/// The driver file of `format`.
std::string driver_file_text(const DriverValues& values, DriverFormat format);

}  // namespace vandrel::speaker
