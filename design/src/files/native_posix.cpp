// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
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

// Whether this user may remove the name `path` from its folder, or rename
// another file over it: in a sticky folder (as /tmp) only the owner of the
// file or of the folder may, and root. Where it cannot be told, the system
// has the last word when it is tried.
bool may_replace(const fs::path& path) {
    struct stat file {}, folder {};
    const fs::path parent = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (::lstat(path.c_str(), &file) != 0 || ::stat(parent.c_str(), &folder) != 0) return true;
    if (!(folder.st_mode & S_ISVTX)) return true;
    const uid_t me = ::geteuid();
    return me == 0 || me == file.st_uid || me == folder.st_uid;
}

// Descriptors 0, 1 and 2 that were closed when the program started.
bool closed_at_start[3] = {false, false, false};

}  // namespace

std::string check_writable(const fs::path& path) {
    if (::access(path.c_str(), W_OK) != 0) return system_reason();
    if (!may_replace(path))
        return "it belongs to another user and its folder is sticky (as /tmp is), so it cannot be replaced";
    return {};
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
    // The second name belongs to the file's owner, in the file's folder: it
    // can be removed exactly where the file could be replaced.
    return may_replace(path) && ::link(path.c_str(), second.c_str()) == 0;
}

std::string replace(const fs::path& from, const fs::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : system_reason();
}

unsigned long process_id() { return static_cast<unsigned long>(::getpid()); }

void guard_standard_descriptors() {
    static bool done = false;
    if (done) return;
    done = true;
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        closed_at_start[fd] = true;
        const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
}

std::string write_stream(int descriptor, std::string_view text) {
    if (descriptor >= 0 && descriptor < 3 && closed_at_start[descriptor]) return "it is closed";
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(descriptor, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A stream left non-blocking by whoever started the program.
            pollfd wait{descriptor, POLLOUT, 0};
            if (::poll(&wait, 1, -1) < 0 && errno != EINTR) return system_reason();
            continue;
        }
        if (n < 0 && errno == EBADF) return "it is closed or not open for writing";
        if (n <= 0) return n < 0 ? system_reason() : "it took nothing";
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return {};
}

}  // namespace vandrel::files::native
