// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/project/design_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

#include "vandrel/as_built/parts.h"
#include "vandrel/speaker/text_file.h"
#include "vandrel/texts/decimal.h"
#include "vandrel/texts/exact.h"

namespace vandrel::project {
namespace {

using nlohmann::ordered_json;

constexpr std::string_view format_name = "vandrel-design";

// The deepest nesting of objects and arrays in a JSON text, strings skipped.
int depth_of(std::string_view text) {
    int depth = 0, deepest = 0;
    bool in_string = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            if (c == '\\') ++i;
            else if (c == '"') in_string = false;
        } else if (c == '"') {
            in_string = true;
        } else if (c == '{' || c == '[') {
            deepest = std::max(deepest, ++depth);
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return deepest;
}

int line_at(std::string_view text, std::size_t byte) {
    byte = std::min(byte, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(byte), '\n'));
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

// Why a choice's text is not one of its names, or "".
std::string name_problem(std::string_view key, const std::string& text) {
    const std::string l = lower(text);
    if (key == "mode" && l != "butterworth" && l != "sos" && l != "peaking")
        return "must be butterworth, sos or peaking";
    if (key == "series" && !as_built::source_from_name(text))
        return "must be exact, shown or a series (E3, E6, E12, E24, E48, E96, E192)";
    if (key == "combine" && !as_built::combine_from_name(l)) return "must be single, series or parallel";
    if (key == "cap_series" && !as_built::cap_series_from_name(text)) return "must be typed, E6 or E12";
    if (key == "type" && l != "sealed" && l != "vented") return "must be sealed or vented";
    return {};
}

// Keys whose values are names or texts of the main window, written as
// strings whatever they hold.
bool written_as_text(std::string_view section, std::string_view key) {
    return section == "filter" || key == "name" || key == "series" || key == "combine" || key == "cap_series" ||
           key == "type" || key == "measurement";
}

// One value of the file as text, or why it cannot be one.
std::string value_text(const ordered_json& v, std::string& text) {
    if (v.is_string()) {
        text = v.get<std::string>();
    } else if (v.is_number_integer()) {
        text = v.is_number_unsigned() ? std::to_string(v.get<std::uint64_t>()) : std::to_string(v.get<std::int64_t>());
    } else if (v.is_number_float()) {
        const double d = v.get<double>();
        if (!std::isfinite(d)) return "the number is beyond the range of a double";
        text = texts::shortest(d);
    } else {
        return "must be a string or a number, not " + std::string(v.type_name() == std::string("null") ? "null" : v.type_name());
    }
    if (text.size() > max_value_bytes) return "is longer than " + std::to_string(max_value_bytes) + " bytes";
    if (std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return "holds a control character";
    return {};
}

}  // namespace

std::vector<Entry> entries(Design& d) {
    FilterInputs& f = d.filter;
    PartsInputs& p = d.parts;
    DriverInputs& r = d.driver;
    BoxInputs& b = d.box;
    LimitInputs& l = d.limits;
    return {
        {"filter", "mode", &f.mode},           {"filter", "cfilter", &f.cfilter},
        {"filter", "gain", &f.gain},           {"filter", "freq", &f.freq},
        {"filter", "q", &f.q},                 {"filter", "freq_peak", &f.freq_peak},
        {"filter", "peakmag", &f.peakmag},     {"parts", "series", &p.series},
        {"parts", "combine", &p.combine},      {"parts", "r_tol", &p.r_tol},
        {"parts", "c_tol", &p.c_tol},          {"parts", "load", &p.load},
        {"parts", "cap_series", &p.cap_series}, {"driver", "name", &r.name},
        {"driver", "fs", &r.fs},               {"driver", "qes", &r.qes},
        {"driver", "qms", &r.qms},             {"driver", "qts", &r.qts},
        {"driver", "vas", &r.vas},             {"driver", "re", &r.re},
        {"driver", "sd", &r.sd},               {"driver", "xmax", &r.xmax},
        {"driver", "le", &r.le},               {"driver", "pe", &r.pe},
        {"box", "type", &b.type},              {"box", "vb", &b.vb},
        {"box", "fb", &b.fb},                  {"box", "ql", &b.ql},
        {"box", "port_diameter", &b.port_diameter}, {"drive", "volts", &d.drive.volts},
        {"drive", "watts", &d.drive.watts},    {"limits", "amp_volts", &l.amp_volts},
        {"limits", "amp_watts", &l.amp_watts}, {"limits", "port_limit", &l.port_limit},
        {"limits", "source_volts", &l.source_volts}, {"limits", "supply", &l.supply},
        {"limits", "amp_sensitivity", &l.amp_sensitivity}, {"", "measurement", &d.measurement},
    };
}

DesignRead parse_design(std::string_view text) {
    const auto refuse = [](std::string problem) { return DesignRead{std::nullopt, std::move(problem)}; };
    if (text.size() > max_design_bytes)
        return refuse("it is larger than " + std::to_string(max_design_bytes / 1024) + " KiB");
    if (depth_of(text) > 2) return refuse("it nests objects or lists deeper than a design file does");
    ordered_json j;
    try {
        j = ordered_json::parse(text.begin(), text.end());
    } catch (const ordered_json::parse_error& e) {
        return refuse("line " + std::to_string(line_at(text, e.byte == 0 ? 0 : e.byte - 1)) +
                      ": it is not valid JSON");
    }
    if (!j.is_object()) return refuse("it is not a design file: it holds no JSON object");
    const auto format = j.find("format");
    if (format == j.end() || !format->is_string() || *format != format_name)
        return refuse("it is not a design file: \"format\" is not \"vandrel-design\"");
    const auto version = j.find("version");
    if (version == j.end() || !version->is_number_integer())
        return refuse("it has no version number (\"version\" must be a whole number)");
    const std::int64_t v = version->is_number_unsigned() && version->get<std::uint64_t>() > INT64_MAX
                               ? INT64_MAX
                               : version->get<std::int64_t>();
    if (v > design_version)
        return refuse("it is of version " + std::to_string(v) + ", newer than this Vandrel reads (version " +
                      std::to_string(design_version) + "): open it with a newer Vandrel");
    if (v < design_version)
        return refuse("it is of version " + std::to_string(v) + ", which this Vandrel does not read (only version " +
                      std::to_string(design_version) + ")");

    Design design;
    std::vector<Entry> all = entries(design);
    // Named values, not structured bindings: clang 14 takes no binding into a lambda.
    for (const auto& member : j.items()) {
        const std::string& name = member.key();
        const ordered_json& value = member.value();
        if (name == "format" || name == "version") continue;
        if (name == "measurement") {
            std::string t;
            if (std::string bad = value_text(value, t); !bad.empty()) return refuse("measurement " + bad);
            design.measurement = std::move(t);
            continue;
        }
        const bool section = std::any_of(all.begin(), all.end(), [&](const Entry& e) { return e.section == name; });
        if (!section) return refuse("unknown section " + texts::quoted(name));
        if (!value.is_object()) return refuse("\"" + name + "\" must be an object of values");
        for (const auto& field : value.items()) {
            const std::string& key = field.key();
            const ordered_json& item = field.value();
            const auto entry =
                std::find_if(all.begin(), all.end(), [&](const Entry& e) { return e.section == name && e.key == key; });
            if (entry == all.end()) return refuse("unknown value " + name + "." + texts::quoted(key));
            std::string t;
            if (std::string bad = value_text(item, t); !bad.empty()) return refuse(name + "." + key + " " + bad);
            if (std::string bad = name_problem(key, t); !bad.empty())
                return refuse(name + "." + key + " " + bad + ", not " + texts::quoted(t));
            *entry->value = std::move(t);
        }
    }
    return {std::move(design), {}};
}

DesignRead read_design(const std::filesystem::path& path) {
    speaker::Parsed<std::string> text = speaker::read_text_file(path, max_design_bytes);
    if (!text.value) return {std::nullopt, text.problem.text};
    return parse_design(*text.value);
}

std::string design_text(const Design& design) {
    Design copy = design;
    ordered_json j;
    j["format"] = format_name;
    j["version"] = design_version;
    for (const Entry& e : entries(copy)) {
        if (!*e.value) continue;
        const std::string& t = **e.value;
        ordered_json value = t;
        if (!written_as_text(e.section, e.key))
            if (const auto number = texts::parse_decimal(t); number && texts::shortest(*number) == t) value = *number;
        if (e.section.empty())
            j[std::string(e.key)] = value;
        else
            j[std::string(e.section)][std::string(e.key)] = value;
    }
    return j.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace vandrel::project
