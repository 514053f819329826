// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A failed check in a fuzz target: say what went wrong, then abort so that
// libFuzzer records the input as a crash.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel::fuzz {

[[noreturn]] inline void fail(const char* what, std::string_view detail, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s [%.*s]\n", file, line, what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

/// Text with control and non-ASCII bytes escaped, for failure reports.
inline std::string printable(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

/// The pieces of `input` between the bars of "a|b|c".
inline std::vector<std::string_view> split_bars(std::string_view input) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const auto bar = input.find('|', start);
        pieces.push_back(input.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) return pieces;
        start = bar + 1;
    }
}

/// A new folder of the fuzz target's own, made the working folder at the
/// first call and taken away when the target ends.
inline const std::filesystem::path& private_folder(const char* prefix) {
    static const std::filesystem::path folder = [prefix] {
        std::string name = std::string("/tmp/") + prefix + "-XXXXXX";
        if (!::mkdtemp(name.data())) std::abort();
        std::filesystem::current_path(name);
        return std::filesystem::path(name);
    }();
    static const struct Remover {
        ~Remover() {
            std::error_code ignored;
            std::filesystem::current_path("/", ignored);
            std::filesystem::remove_all(folder, ignored);
        }
    } remover;
    return folder;
}

}  // namespace vandrel::fuzz

#define FUZZ_CHECK(cond, detail) \
    ((cond) ? void() : ::vandrel::fuzz::fail(#cond, ::vandrel::fuzz::printable(detail), __FILE__, __LINE__))
