// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A measured frequency response read from a text file: FRD, or the text
// export of a room-measurement program. Each data line holds a frequency,
// a level in dB and an optional phase, separated by blanks, tabs, commas or
// semicolons; lines that begin with *, #, ; or ", or hold no number, are
// comments.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "vandrel/speaker/text_file.h"

namespace vandrel::speaker {

/// A measurement: frequencies rising, each with its level.
struct Measurement {
    std::vector<double> hz;  ///< Hz, rising
    std::vector<double> db;  ///< dB
};

/// Largest measurement file read, bytes.
inline constexpr std::size_t max_measurement_bytes = 8 << 20;
/// Most data lines in a measurement.
inline constexpr std::size_t max_measurement_points = 200000;
/// Longest line of a measurement, characters.
inline constexpr std::size_t max_measurement_line = 4096;

/// Reads a measurement from its text. Refused, with the line: a data line
/// with anything but two or three numbers, one whose separators are of more
/// than one kind with a comma between two digits (a decimal comma: "20,5
/// 80", "20;80,5"), a frequency below 0.001 Hz or not above the one before,
/// a number beyond 1E6 Hz or +-1000 dB, too many or too long lines; and a
/// text without data. Lines end in LF, CR LF or CR alone.
Parsed<Measurement> parse_measurement(std::string_view text);

/// Reads a measurement file (a regular file of at most
/// max_measurement_bytes).
Parsed<Measurement> read_measurement(const std::filesystem::path& path);

/// The measured level at each of `hz`, interpolated linearly in ln f; none
/// outside the measured range, where the level would not be finite, and
/// everywhere for a measurement whose points are not finite or whose
/// frequencies do not rise.
std::vector<std::optional<double>> measured_at(const Measurement& m, std::span<const double> hz);

}  // namespace vandrel::speaker
