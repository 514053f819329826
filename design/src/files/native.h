// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating system's side of writing a file safely: what the portable
// plan in output.cpp cannot do with std::filesystem alone.
// Each returns "" on success, else the system's reason.

#include <filesystem>
#include <string>

namespace vandrel::files::native {

namespace fs = std::filesystem;

/// Whether the user may write the existing file `path`.
std::string check_writable(const fs::path& path);

/// Creates a new file beside `target` under a short name that nothing else
/// has (exclusive create, private mode), writes `content` to it and flushes
/// it to disk. It takes the mode and owner of `target` when that exists, and
/// otherwise the mode the umask gives a new file. Sets `temporary`.
std::string write_temporary(const fs::path& target, bool target_exists, const std::string& content,
                            fs::path& temporary);

/// A second name for the existing file `path`, `second`, so that it can be
/// put back; false where the file system has no hard links.
bool link_second_name(const fs::path& path, const fs::path& second);

/// Puts `from` in the place of `to` in one step, replacing `to`.
std::string replace(const fs::path& from, const fs::path& to);

}  // namespace vandrel::files::native
