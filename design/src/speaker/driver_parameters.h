// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The driver parameters that driver files give, where DriverValues keeps
// each, and the small text helpers every driver-file form shares.

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "vandrel/speaker/driver_file.h"

namespace vandrel::speaker::detail {

// A driver parameter, where DriverValues keeps it, how the text form writes
// its unit, and its WinISD key with the power of ten from WinISD's SI unit
// to ours (m³ to L: 3).
struct Parameter {
    std::string_view name;
    std::optional<double> DriverValues::*member;
    std::string_view unit;
    std::string_view wdr_key;
    int wdr_shift;
    std::string_view wdr_unit;
};

inline constexpr std::array<Parameter, 10> parameters{{
    {"fs", &DriverValues::fs, "Hz", "Fs", 0, "Hz"},
    {"qes", &DriverValues::qes, "", "Qes", 0, ""},
    {"qms", &DriverValues::qms, "", "Qms", 0, ""},
    {"qts", &DriverValues::qts, "", "Qts", 0, ""},
    {"vas", &DriverValues::vas, "L", "Vas", 3, "m\xC2\xB3"},
    {"re", &DriverValues::re, "ohm", "Re", 0, "ohm"},
    {"sd", &DriverValues::sd, "cm2", "Sd", 4, "m\xC2\xB2"},
    {"xmax", &DriverValues::xmax, "mm", "Xmax", 3, "m"},
    {"le", &DriverValues::le, "mH", "Le", 3, "H"},
    {"pe", &DriverValues::pe, "W", "Pe", 0, "W"},
}};

inline const Parameter* parameter_named(std::string_view name) {
    for (const Parameter& p : parameters)
        if (p.name == name) return &p;
    return nullptr;
}

inline std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline std::string_view trimmed(std::string_view t) {
    const std::size_t first = t.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return t.substr(first, t.find_last_not_of(" \t") - first + 1);
}

// A driver name as kept: control characters (C0, DEL and the C1 controls
// U+0080 to U+009F, which terminals may obey) as blanks, at most
// max_driver_name bytes, not cutting a UTF-8 sequence. A name kept is kept
// as it is when cleaned again.
inline std::string clean_name(std::string_view text) {
    std::size_t end = std::min(text.size(), max_driver_name);
    // Cut before the sequence that the first byte left out belongs to: the
    // lead byte at most three bytes before it.
    if (end < text.size()) {
        std::size_t start = end;
        while (start > 0 && end - start < 3 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
        if ((static_cast<unsigned char>(text[start]) & 0xC0) == 0xC0) end = start;
    }
    const std::string_view cut = text.substr(0, end);
    std::string out;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const auto c = static_cast<unsigned char>(cut[i]);
        if (c == 0xC2 && i + 1 < cut.size() && static_cast<unsigned char>(cut[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(cut[i + 1]) >= 0x80) {
            out += ' ';
            ++i;
        } else {
            out += c < 0x20 || c == 0x7f ? ' ' : cut[i];
        }
    }
    return std::string(trimmed(out));
}

// Notes that `name` was given on `line`, with a warning when it was given
// before.
inline void note_line(DriverFile& file, const std::string& name, int line) {
    if (const auto seen = file.lines.find(name); seen != file.lines.end())
        file.warnings.push_back({line, name + " is given again (first on line " + std::to_string(seen->second) +
                                           "); this value is used"});
    file.lines[name] = line;
}

// Whether `text` is a WinISD driver file: its first section, before any
// other line but blanks and comments, is [Driver].
bool is_wdr(std::string_view text);

// Reads a WinISD driver file (is_wdr), within the limits of every driver file.
Parsed<DriverFile> parse_wdr(std::string_view text);

}  // namespace vandrel::speaker::detail
