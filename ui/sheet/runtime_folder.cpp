// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_folder.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>
#endif

namespace vandrel::sheet {

#ifdef Q_OS_UNIX
namespace {

// Whether Qt takes `folder` without a word and leaves nothing behind in
// it: a folder itself, no link, of this user's own with mode 0700.
bool fit(const char* folder) {
    struct stat s {};
    if (::lstat(folder, &s) != 0) return false;
    return S_ISDIR(s.st_mode) && s.st_uid == ::geteuid() && (s.st_mode & 07777) == 0700;
}

}  // namespace

RuntimeFolder::RuntimeFolder() {
    const char* given = std::getenv("XDG_RUNTIME_DIR");
    if (given && *given && fit(given)) return;
    was_set_ = given != nullptr;
    if (given) previous_ = given;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp == '/' ? tmp : "/tmp") + "/vandrel-runtime-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkdtemp: a new folder, mode 0700, a name no one else holds.
    if (!::mkdtemp(name.data())) return;
    made_ = name.data();
    ::setenv("XDG_RUNTIME_DIR", made_.c_str(), 1);
}

RuntimeFolder::~RuntimeFolder() {
    if (made_.empty()) return;
    if (was_set_)
        ::setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1);
    else
        ::unsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(made_, ignored);
}
#else
RuntimeFolder::RuntimeFolder() = default;
RuntimeFolder::~RuntimeFolder() = default;
#endif

}  // namespace vandrel::sheet
