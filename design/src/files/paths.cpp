// SPDX-License-Identifier: GPL-3.0-or-later
#include "paths.h"

#include <charconv>
#include <string_view>
#include <system_error>
#include <vector>

#include "native.h"

namespace vandrel::files::paths {
namespace {

// Whether `folder` (absolute and normal) lists this program's descriptors:
// /dev/fd, or /proc's fd folder of this process or of one of its threads.
// (A name with a drive, as Windows writes it, is never one.)
bool descriptor_folder(const fs::path& folder) {
    if (folder.has_root_name()) return false;
    const std::string pid = std::to_string(native::process_id());
    std::vector<std::string> parts;
    for (const fs::path& part : folder.relative_path()) parts.push_back(part.string());
    if (parts.size() == 2) return parts[0] == "dev" && parts[1] == "fd";
    if (parts.empty() || parts[0] != "proc" || parts.back() != "fd") return false;
    if (parts.size() == 3) return parts[1] == "self" || parts[1] == "thread-self" || parts[1] == pid;
    return parts.size() == 5 && (parts[1] == "self" || parts[1] == pid) && parts[2] == "task";
}

// The descriptor of this program that `p` names, or -1. Only the numbers
// the system itself writes count ("1", not "01"); a number too large for
// any descriptor is still one, which no write may go to.
long descriptor_named(const fs::path& p) {
    std::error_code error;
    const fs::path whole = fs::absolute(p, error).lexically_normal();
    if (error || !whole.has_filename()) return -1;
    const std::string name = whole.filename().string();
    if (name.empty() || (name.size() > 1 && name[0] == '0')) return -1;
    for (char c : name)
        if (c < '0' || c > '9') return -1;
    long n = 0;
    if (std::from_chars(name.data(), name.data() + name.size(), n).ec != std::errc()) n = 1L << 30;
    if (descriptor_folder(whole.parent_path())) return n;
    const fs::path real = fs::canonical(whole.parent_path(), error);
    return !error && descriptor_folder(real) ? n : -1;
}

}  // namespace

Resolved resolve(const fs::path& given) {
    Resolved out;
    if (given == "-") {
        out.to = Destination::standard_output;
        return out;
    }
    fs::path p = given;
    for (int hops = 0; hops < 40; ++hops) {
        if (const long fd = descriptor_named(p); fd >= 0) {
            if (fd == 1 || fd == 2) {
                out.to = fd == 1 ? Destination::standard_output : Destination::standard_error;
            } else {
                out.problem = "it names descriptor " + (fd < (1L << 30) ? std::to_string(fd) : p.filename().string()) +
                              " of this program, which is neither standard output nor standard error";
            }
            return out;
        }
        std::error_code error;
        const fs::file_status status = fs::symlink_status(p, error);
        if (status.type() != fs::file_type::symlink) {
            if (error && status.type() != fs::file_type::not_found) out.problem = error.message();
            out.target = p;
            return out;
        }
        const fs::path to = fs::read_symlink(p, error);
        if (error) {
            out.problem = error.message();
            return out;
        }
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    out.problem = "too many levels of symbolic links";
    return out;
}

fs::path identity(const fs::path& target) {
    std::error_code error;
    const fs::path whole = fs::absolute(target, error);
    if (error) return target.lexically_normal();
    const fs::path real = fs::weakly_canonical(whole, error);
    return (error ? whole : real).lexically_normal();
}

}  // namespace vandrel::files::paths
