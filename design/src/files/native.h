// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating system's side of writing a file safely: what the portable
// plan in output.cpp cannot do with std::filesystem alone.
// Each that returns a string returns "" on success, else the system's reason.

#include <filesystem>
#include <string>
#include <string_view>

namespace vandrel::files::native {

namespace fs = std::filesystem;

/// Whether the user may write the existing file `path` and put a new file
/// in its place (in a sticky folder only the owner of the file or of the
/// folder may).
std::string check_writable(const fs::path& path);

/// Creates a new file beside `target` under a short name that nothing else
/// has (exclusive create, private mode), writes `content` to it and flushes
/// it to disk. It takes the mode and owner of `target` when that exists, and
/// otherwise the mode the umask gives a new file. Sets `temporary`.
std::string write_temporary(const fs::path& target, bool target_exists, const std::string& content,
                            fs::path& temporary);

/// A second name for the existing file `path`, `second`, so that it can be
/// put back; false where the file system has no hard links, and where the
/// second name could not be removed again (another user's file in a sticky
/// folder), so that it never outlives a failure.
bool link_second_name(const fs::path& path, const fs::path& second);

/// Puts `from` in the place of `to` in one step, replacing `to`.
std::string replace(const fs::path& from, const fs::path& to);

/// This program's process number, as /proc names it.
unsigned long process_id();

/// Puts the null device on each of descriptors 0, 1 and 2 that is closed,
/// so that no file the program opens takes its number, and remembers it as
/// closed; a broken pipe becomes a failed write instead of a signal. Only
/// the first call acts.
void guard_standard_descriptors();

/// Writes all of `text` to descriptor 1 or 2; "it is closed" for one that
/// guard_standard_descriptors found closed.
std::string write_stream(int descriptor, std::string_view text);

}  // namespace vandrel::files::native
