// SPDX-License-Identifier: GPL-3.0-or-later
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "native.h"

namespace vandrel::files::native {
namespace {

std::string reason(DWORD code) {
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n > 0 && text ? std::string(text, n) : "system error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    return out;
}

std::string last_reason() { return reason(GetLastError()); }

// Descriptors 0, 1 and 2 that had no stream when the program started.
bool closed_at_start[3] = {false, false, false};

}  // namespace

std::string check_writable(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return last_reason();
    return attributes & FILE_ATTRIBUTE_READONLY ? reason(ERROR_ACCESS_DENIED) : std::string();
}

std::string write_temporary(const fs::path& target, bool, const std::string& content, fs::path& temporary) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        wchar_t name[32];
        std::swprintf(name, 32, L".vandrel-%08lx", static_cast<unsigned long>(GetTickCount() ^ (GetCurrentProcessId() << 12) ^ (attempt * 2654435761u)));
        temporary = folder / name;
        // CREATE_NEW: fails if the name exists, so nothing else is opened.
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        temporary.clear();
        return last_reason();
    }
    std::string failure;
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0 && failure.empty()) {
        DWORD written = 0;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0) failure = last_reason();
        p += written;
        left -= written;
    }
    if (failure.empty() && !FlushFileBuffers(file)) failure = last_reason();
    if (!CloseHandle(file) && failure.empty()) failure = last_reason();
    if (!failure.empty()) {
        DeleteFileW(temporary.c_str());
        temporary.clear();
    }
    return failure;
}

bool link_second_name(const fs::path& path, const fs::path& second) {
    return CreateHardLinkW(second.c_str(), path.c_str(), nullptr) != 0;
}

std::string replace(const fs::path& from, const fs::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? std::string()
                                                                                                      : last_reason();
}

unsigned long process_id() { return static_cast<unsigned long>(GetCurrentProcessId()); }

void guard_standard_descriptors() {
    static bool done = false;
    if (done) return;
    done = true;
    // Descriptors 0 to 2 always lie within the C library's table, so asking
    // for their handles never calls the invalid-parameter handler.
    for (int fd = 0; fd < 3; ++fd) {
        const intptr_t handle = _get_osfhandle(fd);
        closed_at_start[fd] = handle == -1 || handle == -2;
    }
}

std::string write_stream(int descriptor, std::string_view text) {
    if (descriptor >= 0 && descriptor < 3 && closed_at_start[descriptor]) return "it is closed";
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const unsigned chunk = left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left);
        const int n = _write(descriptor, p, chunk);
        if (n < 0 && errno == EBADF) return "it is closed or not open for writing";
        if (n <= 0) return n < 0 ? std::string(std::strerror(errno)) : "it took nothing";
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return {};
}

}  // namespace vandrel::files::native
