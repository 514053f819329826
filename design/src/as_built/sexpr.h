// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What KiCad's s-expression files share: quoted strings, millimetres, and
// identifiers that are the same for the same circuit in every file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "vandrel/texts/figures.h"

namespace vandrel::as_built::sexpr {

/// A string in double quotes, with \ and " escaped and a line break as \n.
inline std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

/// A sheet position in steps of 1.27 mm, in mm.
inline std::string mm(int steps) { return texts::figure(steps * 1.27, 6); }

/// A UUID (version 4 form) made from `name` and `seed` alone, so that the
/// schematic and the netlist give a symbol the same one.
inline std::string uuid(std::uint64_t seed, std::string_view name) {
    std::uint64_t h = 1469598103934665603ULL ^ seed;
    for (unsigned char c : name) h = (h ^ c) * 1099511628211ULL;
    const auto mix = [](std::uint64_t z) {
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    };
    const std::uint64_t a = mix(h), b = mix(h + 0x9e3779b97f4a7c15ULL);
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", static_cast<unsigned>(a >> 32),
                  static_cast<unsigned>((a >> 16) & 0xffff), static_cast<unsigned>(a & 0xfff),
                  static_cast<unsigned>(0x8000 | ((b >> 48) & 0x3fff)),
                  static_cast<unsigned long long>(b & 0xffffffffffffULL));
    return text;
}

/// A seed for uuid() from what makes a circuit: its parts' texts.
inline std::uint64_t seed_of(std::string_view text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
    return h;
}

}  // namespace vandrel::as_built::sexpr
