// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "native.h"

namespace vandrel::files::native {
namespace {

std::string system_reason() { return std::strerror(errno); }

mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

std::string write_fully(int fd, const std::string& content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? system_reason() : "the disk took nothing";
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0 ? std::string() : system_reason();
}

}  // namespace

std::string check_writable(const fs::path& path) {
    return ::access(path.c_str(), W_OK) == 0 ? std::string() : system_reason();
}

std::string write_temporary(const fs::path& target, bool target_exists, const std::string& content,
                            fs::path& temporary) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string name = (folder / ".vandrel-XXXXXX").string();
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    // mkstemp: O_CREAT | O_EXCL, mode 0600, a name no one else holds.
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0) return system_reason();
    temporary = fs::path(buffer.data());

    std::string failure;
    struct stat old {};
    if (target_exists && ::stat(target.c_str(), &old) == 0) {
        // Only root may give a file away; for others the owner is already right.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
        if (::fchmod(fd, old.st_mode & 07777) != 0) failure = system_reason();
    } else if (::fchmod(fd, new_file_mode()) != 0) {
        failure = system_reason();
    }
    if (failure.empty()) failure = write_fully(fd, content);
    if (::close(fd) != 0 && failure.empty()) failure = system_reason();
    if (!failure.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    return failure;
}

bool link_second_name(const fs::path& path, const fs::path& second) {
    return ::link(path.c_str(), second.c_str()) == 0;
}

std::string replace(const fs::path& from, const fs::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : system_reason();
}

}  // namespace vandrel::files::native
