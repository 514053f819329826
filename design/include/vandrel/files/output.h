// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing files so that a failure loses nothing: each file goes to an
// exclusively created temporary file in its own folder, which then replaces
// it in one rename. Several files are written all together or not at all,
// and standard output is written and checked before any file is put in
// place.

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vandrel::files {

/// One file to write and all of its content.
struct Output {
    std::filesystem::path path;  ///< "-" is standard output
    std::string content;
};

/// Where an output's content goes.
enum class Destination {
    file,             ///< a file, written under a temporary name and renamed
    standard_output,  ///< "-", /dev/stdout, /proc/self/fd/1, /dev/fd/1 or a link to one
    standard_error,   ///< /dev/stderr, /proc/self/fd/2, /dev/fd/2 or a link to one
};

/// Where `path` leads. A name of any other open descriptor of this program
/// (/dev/stdin, /dev/fd/5) is a file here, and write_all refuses it.
Destination destination(const std::filesystem::path& path);

/// Writes all of a text to a standard stream: "" or the reason it could not
/// ("it is closed", "No space left on device").
using StreamWriter = std::function<std::string(std::string_view text)>;

/// Where standard output and standard error go.
struct Streams {
    StreamWriter output;
    StreamWriter error;
};

/// This program's standard output and standard error, written straight to
/// the system so that a full disk, a closed stream or a broken pipe is told
/// with its reason. The first call also keeps a closed descriptor 0, 1 or
/// 2 from being taken by a file the program opens (it stays "closed" to
/// these writers), and makes a broken pipe a failure to report rather than
/// the end of the program; call it before opening any file.
Streams system_streams();

/// Writes every output whole, or changes none of them.
///
/// A symbolic link is followed: the file it leads to gets the content and
/// the link stays a link. A target that exists must be a regular file the
/// user may write and replace (a device, FIFO, socket or folder is refused,
/// and so are a read-only file and another user's file in a sticky folder);
/// the new file keeps its mode, and a new file gets the mode the umask
/// gives. Two outputs may not lead to one file, however they are spelled
/// ("x", "./x", "sub/../x", a link), nor to one standard stream. Outputs on
/// standard output and standard error are written once every file is
/// complete under its temporary name and before any is renamed, so that a
/// failing stream leaves no file changed. Returns "" on success, else one
/// line for people that names the file and the reason.
std::string write_all(std::span<const Output> outputs, const Streams& streams);

/// write_all for files alone, as the window writes them: a name of a
/// standard stream is refused ("it is standard output, not a file").
std::string write_files(std::span<const Output> outputs);

/// write_all for one file that is never a standard stream (a name of one is
/// refused); returns "" on success, else the reason alone ("it is a
/// folder"), for a message that names the file in its own way.
std::string write_file(const std::filesystem::path& path, const std::string& content);

}  // namespace vandrel::files
