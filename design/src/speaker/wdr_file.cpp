// SPDX-License-Identifier: GPL-3.0-or-later
// WinISD driver files (.wdr): INI text, [Driver] first, Key=Value lines in
// SI units with a point as decimal mark.
#include <algorithm>

#include "driver_parameters.h"
#include "lines.h"
#include "vandrel/texts/decimal.h"
#include "vandrel/texts/exact.h"

namespace vandrel::speaker {
namespace detail {
namespace {

// A line of an INI file that says nothing: blank, or a comment (; or #).
bool says_nothing(std::string_view line) {
    const std::string_view t = trimmed(line);
    return t.empty() || t.front() == ';' || t.front() == '#';
}

// The name of a section header "[Name]", or none for another line.
std::optional<std::string> section_of(std::string_view line) {
    const std::string_view t = trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
    return lower(trimmed(t.substr(1, t.size() - 2)));
}

const Parameter* parameter_keyed(const std::string& key) {
    for (const Parameter& p : parameters)
        if (lower(p.wdr_key) == key) return &p;
    return nullptr;
}

}  // namespace

bool is_wdr(std::string_view text) {
    Lines lines(text, max_driver_file_lines, max_driver_file_line);
    std::string_view line;
    FileProblem problem;
    while (lines.next(line, problem))
        if (!says_nothing(line)) return section_of(line) == "driver";
    return false;
}

Parsed<DriverFile> parse_wdr(std::string_view text) {
    DriverFile file;
    Lines lines(text, max_driver_file_lines, max_driver_file_line);
    std::string_view line;
    FileProblem problem;
    bool in_driver = false;
    std::string brand, model;
    int name_line = 0;
    while (lines.next(line, problem)) {
        if (says_nothing(line)) continue;
        if (const auto section = section_of(line)) {
            in_driver = *section == "driver";
            continue;
        }
        if (!in_driver) continue;  // the other sections say nothing about the driver
        const std::string_view content = trimmed(line);
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return {std::nullopt,
                    {lines.number(), "a line of the [Driver] section must be Key=Value, not " + texts::quoted(content)}};
        const std::string key = lower(trimmed(content.substr(0, equals)));
        const std::string_view value = trimmed(content.substr(equals + 1));
        if (key == "brand" || key == "model") {
            note_line(file, key, lines.number());
            (key == "brand" ? brand : model) = clean_name(value);
            name_line = lines.number();
            continue;
        }
        const Parameter* p = parameter_keyed(key);
        // Other keys (Comment, Mms, BL...) are not used; an empty value is one not known.
        if (!p || value.empty()) continue;
        const std::optional<double> v = texts::parse_decimal_shifted(value, p->wdr_shift);
        if (!v) {
            std::string why = std::string(p->wdr_key) + " must be a number";
            if (!p->wdr_unit.empty()) why += " (in " + std::string(p->wdr_unit) + ")";
            return {std::nullopt, {lines.number(), why + ", not " + texts::quoted(value)}};
        }
        note_line(file, std::string(p->name), lines.number());
        file.values.*(p->member) = *v;
    }
    if (!problem.text.empty()) return {std::nullopt, problem};
    file.values.name = clean_name(brand.empty() ? model : model.empty() ? brand : brand + " " + model);
    if (name_line) file.lines["name"] = name_line;
    file.lines.erase("brand");
    file.lines.erase("model");
    return {std::move(file), {}};
}

}  // namespace detail

std::string driver_wdr_text(const DriverValues& v) {
    // The name split at its first blank, where both halves read back as
    // they are (no more blanks there, no byte a name loses at its end).
    const std::string name = detail::clean_name(v.name);
    std::string brand, model = name;
    if (const std::size_t blank = name.find(' '); blank != std::string::npos && name[blank + 1] != ' ') {
        const std::string first = name.substr(0, blank), rest = name.substr(blank + 1);
        if (detail::clean_name(first) == first && detail::clean_name(rest) == rest) {
            brand = first;
            model = rest;
        }
    }
    std::string out = "[Driver]\n";
    out.append("Brand=").append(brand).append("\n");
    out.append("Model=").append(model).append("\n");
    for (const detail::Parameter& p : detail::parameters)
        if (const auto& value = v.*p.member)
            out.append(p.wdr_key).append("=").append(texts::plain_shifted(*value, -p.wdr_shift)).append("\n");
    return out;
}

}  // namespace vandrel::speaker
