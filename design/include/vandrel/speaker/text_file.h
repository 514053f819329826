// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files from outside (driver files, measurements): read with a size
// limit, and what is wrong with one, by line.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace vandrel::speaker {

/// What is wrong with a file, or unusual in it.
struct FileProblem {
    int line = 0;      ///< from 1; 0 for the file as a whole
    std::string text;  ///< one sentence for people
    /// "line 12: text", or the text alone for the file as a whole.
    std::string message() const { return line > 0 ? "line " + std::to_string(line) + ": " + text : text; }
};

/// What a reader made of a file: the value, or the problem that stopped it.
template <class T>
struct Parsed {
    std::optional<T> value;
    FileProblem problem;  ///< when there is no value
};

/// The whole content of a regular file of at most `max_bytes` bytes; a
/// device, FIFO or folder is refused without being opened for reading. A
/// file that cannot be reached says why: no such file, permission denied,
/// too many levels of symbolic links...
Parsed<std::string> read_text_file(const std::filesystem::path& path, std::size_t max_bytes);

/// Why a file could not be reached or read, for people: "there is no such
/// file", "permission denied (...)", "too many levels of symbolic links
/// (...)"; the system's own words for other errors.
std::string unreadable_text(std::error_code ec);

}  // namespace vandrel::speaker
