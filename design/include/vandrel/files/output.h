// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing files so that a failure loses nothing: each file goes to an
// exclusively created temporary file in its own folder, which then replaces
// it in one rename. Several files are written all together or not at all.

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

namespace vandrel::files {

/// One file to write and all of its content.
struct Output {
    std::filesystem::path path;  ///< "-" is standard output
    std::string content;
};

/// Writes every output whole, or changes none of them.
///
/// A symbolic link is followed: the file it leads to gets the content and
/// the link stays a link. A target that exists must be a regular file the
/// user may write (a device, FIFO, socket or folder is refused, and so is a
/// read-only file); the new file keeps its mode, and a new file gets the
/// mode the umask gives. Standard output is written last, once every file
/// is in place. Returns "" on success, else one line for people that names
/// the file and the reason.
std::string write_all(std::span<const Output> outputs, std::ostream& standard_output);

/// write_all for one file that is never standard output; returns "" on
/// success, else the reason alone ("it is a folder"), for a message that
/// names the file in its own way.
std::string write_file(const std::filesystem::path& path, const std::string& content);

}  // namespace vandrel::files
