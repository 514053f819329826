// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/text_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace vandrel::speaker {

std::string unreadable_text(std::error_code ec) {
    const std::error_condition c = ec.default_error_condition();
    if (c == std::errc::no_such_file_or_directory) return "there is no such file";
    if (c == std::errc::permission_denied || c == std::errc::operation_not_permitted)
        return "permission denied (the file, or a folder on its path, may not be read)";
    if (c == std::errc::too_many_symbolic_link_levels)
        return "too many levels of symbolic links (the links may form a loop)";
    if (c == std::errc::not_a_directory) return "a part of its path is not a folder";
    if (c == std::errc::filename_too_long) return "its name is too long";
    if (c == std::errc::io_error) return "it cannot be read: input/output error";
    return "it cannot be read: " + ec.message();
}

Parsed<std::string> read_text_file(const std::filesystem::path& path, std::size_t max_bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec && status.type() != fs::file_type::not_found) return {std::nullopt, {0, unreadable_text(ec)}};
    if (!fs::exists(status)) return {std::nullopt, {0, "there is no such file"}};
    if (fs::is_directory(status)) return {std::nullopt, {0, "it is a folder"}};
    // A FIFO or device could block or never end.
    if (!fs::is_regular_file(status)) return {std::nullopt, {0, "it is not a regular file"}};
    const std::string too_large = "it is larger than " + std::to_string(max_bytes / 1024) + " KiB";
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return {std::nullopt, {0, unreadable_text(ec)}};
    if (size > max_bytes) return {std::nullopt, {0, too_large}};
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        if (error == EACCES || error == EPERM) return {std::nullopt, {0, "permission denied: it may not be read"}};
        return {std::nullopt, {0, "it cannot be opened for reading"}};
    }
    // Read in pieces up to one byte past the limit: the file may have grown.
    std::string text;
    text.reserve(static_cast<std::size_t>(size));
    char piece[65536];
    while (in && text.size() <= max_bytes) {
        in.read(piece, sizeof piece);
        text.append(piece, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return {std::nullopt, {0, "it cannot be read"}};
    if (text.size() > max_bytes) return {std::nullopt, {0, too_large}};
    return {std::move(text), {}};
}

}  // namespace vandrel::speaker
