// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/driver_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>

#include "flat_json.h"
#include "lines.h"
#include "vandrel/texts/exact.h"
#include "vandrel/texts/decimal.h"

namespace vandrel::speaker {
namespace {

// A driver parameter, where DriverValues keeps it, and how its unit is written.
struct Parameter {
    std::string_view name;
    std::optional<double> DriverValues::*member;
    std::string_view unit;  // as driver_file_text writes it
};

constexpr std::array<Parameter, 10> parameters{{
    {"fs", &DriverValues::fs, "Hz"},
    {"qes", &DriverValues::qes, ""},
    {"qms", &DriverValues::qms, ""},
    {"qts", &DriverValues::qts, ""},
    {"vas", &DriverValues::vas, "L"},
    {"re", &DriverValues::re, "ohm"},
    {"sd", &DriverValues::sd, "cm2"},
    {"xmax", &DriverValues::xmax, "mm"},
    {"le", &DriverValues::le, "mH"},
    {"pe", &DriverValues::pe, "W"},
}};

// The units a value of `parameter` may carry, in any case; the first as messages write it.
std::span<const std::string_view> units_of(std::string_view p) {
    static constexpr std::string_view hz[]{"Hz"};
    static constexpr std::string_view litres[]{"L", "litre", "litres", "liter", "liters"};
    static constexpr std::string_view ohms[]{"ohm", "ohms", "\xCE\xA9", "\xE2\x84\xA6"};
    static constexpr std::string_view cm2[]{"cm2", "cm^2", "cm\xC2\xB2"};
    static constexpr std::string_view mm[]{"mm"};
    static constexpr std::string_view mh[]{"mH"};
    static constexpr std::string_view cm[]{"cm"};
    static constexpr std::string_view volts[]{"V"};
    static constexpr std::string_view watts[]{"W"};
    if (p == "fs" || p == "fb") return hz;
    if (p == "vas" || p == "vb") return litres;
    if (p == "re") return ohms;
    if (p == "sd") return cm2;
    if (p == "xmax") return mm;
    if (p == "le") return mh;
    if (p == "port-diameter") return cm;
    if (p == "volts") return volts;
    if (p == "watts" || p == "pe") return watts;
    return {};
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view t) {
    const std::size_t first = t.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return t.substr(first, t.find_last_not_of(" \t") - first + 1);
}

// A driver name as kept: control characters as blanks, at most
// max_driver_name bytes, not cutting a UTF-8 sequence.
std::string clean_name(std::string_view text) {
    std::string out(text.substr(0, max_driver_name));
    if (text.size() > max_driver_name)
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80) out.pop_back();
    if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return std::string(trimmed(out));
}

const Parameter* parameter_named(std::string_view name) {
    for (const Parameter& p : parameters)
        if (p.name == name) return &p;
    return nullptr;
}

// Puts one name and value into `file`; a problem (without its line) for a
// bad value, nothing for an unknown name or one given again (warnings).
std::optional<std::string> put(DriverFile& file, const std::string& name, std::string_view value, int line) {
    if (name != "name" && !parameter_named(name)) {
        file.warnings.push_back({line, "unknown name " + texts::quoted(name) + " is ignored"});
        return std::nullopt;
    }
    if (const auto seen = file.lines.find(name); seen != file.lines.end())
        file.warnings.push_back({line, name + " is given again (first on line " + std::to_string(seen->second) +
                                           "); this value is used"});
    file.lines[name] = line;
    if (name == "name") {
        file.values.name = clean_name(value);
        return std::nullopt;
    }
    const Parsed<double> v = parse_value(name, value);
    if (!v.value) return v.problem.text;
    file.values.*(parameter_named(name)->member) = *v.value;
    return std::nullopt;
}

Parsed<DriverFile> parse_lines(std::string_view text) {
    DriverFile file;
    Lines lines(text, max_driver_file_lines, max_driver_file_line);
    std::string_view line;
    FileProblem problem;
    while (lines.next(line, problem)) {
        const std::string_view content = trimmed(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            return {std::nullopt, {lines.number(), "a line must be \"name = value\", not " + texts::quoted(content)}};
        const std::string name = lower(trimmed(content.substr(0, equals)));
        if (name.empty()) return {std::nullopt, {lines.number(), "the name before = is missing"}};
        if (auto bad = put(file, name, trimmed(content.substr(equals + 1)), lines.number()))
            return {std::nullopt, {lines.number(), std::move(*bad)}};
    }
    if (!problem.text.empty()) return {std::nullopt, problem};
    return {std::move(file), {}};
}

Parsed<DriverFile> parse_json(std::string_view text) {
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (lines >= max_driver_file_lines)
        return {std::nullopt,
                {static_cast<int>(max_driver_file_lines) + 1,
                 "the file has more than " + std::to_string(max_driver_file_lines) + " lines"}};
    Parsed<std::vector<flat_json::Entry>> object = flat_json::parse(text);
    if (!object.value) return {std::nullopt, object.problem};
    DriverFile file;
    using Kind = flat_json::Entry::Kind;
    for (const flat_json::Entry& e : *object.value) {
        const std::string name = lower(e.key);
        const bool known = name == "name" || parameter_named(name);
        if (known && e.kind == Kind::null) continue;  // as written for a value there is none of (qms)
        if (known && (e.kind == Kind::boolean || (name == "name" && e.kind == Kind::number)))
            return {std::nullopt, {e.line, name + (name == "name" ? " must be a text" : " must be a number")}};
        if (auto bad = put(file, name, e.text, e.line)) return {std::nullopt, {e.line, std::move(*bad)}};
    }
    return {std::move(file), {}};
}

}  // namespace

Parsed<double> parse_value(std::string_view parameter, std::string_view text) {
    const std::string p(parameter);
    text = trimmed(text);
    if (text.empty()) return {std::nullopt, {0, p + " has no value"}};
    // The number is the text up to its unit.
    std::size_t end = 0;
    while (end < text.size() && std::string_view("+-.0123456789eE").find(text[end]) != std::string_view::npos) ++end;
    // An exponent letter with nothing after it belongs to no number.
    while (end > 0 && (text[end - 1] == 'e' || text[end - 1] == 'E')) --end;
    const auto v = texts::parse_decimal(text.substr(0, end));
    const std::string unit = lower(trimmed(text.substr(end)));
    const auto units = units_of(p);
    const auto known = [&](std::string_view u) { return lower(u) == unit; };
    if (!v || (!unit.empty() && std::none_of(units.begin(), units.end(), known))) {
        std::string why = p + " must be a number";
        if (!units.empty()) why += " (in " + std::string(units.front()) + ")";
        return {std::nullopt, {0, why + ", not " + texts::quoted(text)}};
    }
    return {*v, {}};
}

Parsed<DriverFile> parse_driver_file(std::string_view text) {
    std::string_view body = text;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    const std::size_t first = body.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && body[first] == '{' ? parse_json(body) : parse_lines(body);
}

Parsed<DriverFile> read_driver_file(const std::filesystem::path& path) {
    Parsed<std::string> text = read_text_file(path, max_driver_file_bytes);
    if (!text.value) return {std::nullopt, text.problem};
    return parse_driver_file(*text.value);
}

std::string driver_file_text(const DriverValues& v) {
    std::string out;
    if (!v.name.empty()) out.append("name = ").append(clean_name(v.name.substr(0, v.name.find('#')))).append("\n");
    // Built by appending: a text put in front of another trips a false GCC 12 warning at -O3.
    for (const Parameter& p : parameters)
        if (const auto& value = v.*p.member) {
            out.append(p.name).append(" = ").append(texts::shortest(*value));
            if (!p.unit.empty()) out.append(" ").append(p.unit);
            out.append("\n");
        }
    return out;
}

}  // namespace vandrel::speaker
