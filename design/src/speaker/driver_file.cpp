// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/driver_file.h"

#include <algorithm>

#include "driver_parameters.h"
#include "flat_json.h"
#include "lines.h"
#include "vandrel/texts/decimal.h"
#include "vandrel/texts/exact.h"

namespace vandrel::speaker {
namespace {

using detail::clean_name;
using detail::lower;
using detail::Parameter;
using detail::parameter_named;
using detail::parameters;
using detail::trimmed;

// Puts one name and value into `file`; a problem (without its line) for a
// bad value, nothing for an unknown name or one given again (warnings).
// `written` is the name as the file writes it, `name` in lower case.
std::optional<std::string> put(DriverFile& file, std::string_view written, const std::string& name,
                               std::string_view value, int line) {
    if (name != "name" && !parameter_named(name)) {
        file.warnings.push_back({line, "unknown name " + texts::quoted(written) + " is ignored"});
        return std::nullopt;
    }
    detail::note_line(file, name, line);
    if (name == "name") {
        file.values.name = clean_name(value);
        return std::nullopt;
    }
    const Parsed<double> v = parse_value(name, value);
    if (!v.value) return v.problem.text;
    file.values.*(parameter_named(name)->member) = *v.value;
    return std::nullopt;
}

// Where a comment starts in `line`: a "#" at its start or after a blank or
// tab; npos for none.
std::size_t comment_start(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return i;
    return std::string_view::npos;
}

// A name in double quotes, with \" and \\ escaped, followed by nothing but
// blanks or a comment; none for any other text.
std::optional<std::string> quoted_name(std::string_view text) {
    if (!text.starts_with('"')) return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
            out += text[++i];
        } else if (c == '"') {
            const std::string_view rest = trimmed(text.substr(i + 1));
            if (rest.empty() || rest.front() == '#') return out;
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

Parsed<DriverFile> parse_lines(std::string_view text) {
    DriverFile file;
    Lines lines(text, max_driver_file_lines, max_driver_file_line);
    std::string_view line;
    FileProblem problem;
    while (lines.next(line, problem)) {
        const std::string_view content = trimmed(line);
        const std::size_t comment = comment_start(content);
        if (content.empty() || comment == 0) continue;
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos || equals > comment)
            return {std::nullopt,
                    {lines.number(), "a line must be \"name = value\", not " +
                                         texts::quoted(trimmed(content.substr(0, comment)))}};
        const std::string_view written = trimmed(content.substr(0, equals));
        const std::string name = lower(written);
        if (name.empty()) return {std::nullopt, {lines.number(), "the name before = is missing"}};
        const std::string_view after = trimmed(content.substr(equals + 1));
        std::optional<std::string> value;
        if (name == "name") value = quoted_name(after);
        if (!value)
            value = std::string(trimmed(content.substr(equals + 1, comment == std::string_view::npos
                                                                       ? std::string_view::npos
                                                                       : comment - equals - 1)));
        if (auto bad = put(file, written, name, *value, lines.number()))
            return {std::nullopt, {lines.number(), std::move(*bad)}};
    }
    if (!problem.text.empty()) return {std::nullopt, problem};
    return {std::move(file), {}};
}

Parsed<DriverFile> parse_json(std::string_view text) {
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
        if (auto bad = put(file, e.key, name, e.text, e.line)) return {std::nullopt, {e.line, std::move(*bad)}};
    }
    return {std::move(file), {}};
}

// The limits every form keeps, on the text as a whole: its lines, their
// length, no NUL byte.
FileProblem line_limits(std::string_view text) {
    Lines lines(text, max_driver_file_lines, max_driver_file_line);
    std::string_view line;
    FileProblem problem;
    while (lines.next(line, problem)) {
    }
    return problem;
}

// A name in double quotes when it needs them to read back the same.
std::string name_text(const std::string& name) {
    if (name.find('#') == std::string::npos && !name.starts_with('"')) return name;
    std::string out = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

const texts::Quantity& quantity_of(std::string_view p) {
    if (p == "fs" || p == "fb") return texts::hertz;
    if (p == "vas" || p == "vb") return texts::litres;
    if (p == "re") return texts::ohms;
    if (p == "sd") return texts::square_centimetres;
    if (p == "xmax") return texts::millimetres;
    if (p == "le") return texts::millihenries;
    if (p == "port-diameter") return texts::centimetres;
    if (p == "volts") return texts::volts;
    if (p == "watts" || p == "pe") return texts::watts;
    return texts::ratio;
}

Parsed<texts::ValueWithUnit> parse_value_with_unit(std::string_view parameter, std::string_view text) {
    const std::string p(parameter);
    text = trimmed(text);
    if (text.empty()) return {std::nullopt, {0, p + " has no value"}};
    const texts::Quantity& quantity = quantity_of(parameter);
    if (auto v = texts::parse_with_unit(text, quantity)) return {std::move(*v), {}};
    std::string why = p + " must be a number";
    if (!quantity.unit.empty()) why += " (in " + std::string(quantity.unit) + ")";
    return {std::nullopt, {0, why + ", not " + texts::quoted(text)}};
}

Parsed<double> parse_value(std::string_view parameter, std::string_view text) {
    Parsed<texts::ValueWithUnit> v = parse_value_with_unit(parameter, text);
    if (!v.value) return {std::nullopt, std::move(v.problem)};
    return {v.value->value, {}};
}

Parsed<DriverFile> parse_driver_file(std::string_view text) {
    if (text.size() > max_driver_file_bytes)
        return {std::nullopt, {0, "it is larger than " + std::to_string(max_driver_file_bytes / 1024) + " KiB"}};
    std::string_view body = text;
    if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
    if (FileProblem problem = line_limits(body); !problem.text.empty()) return {std::nullopt, std::move(problem)};
    const std::size_t first = body.find_first_not_of(" \t\r\n");
    Parsed<DriverFile> read = first != std::string_view::npos && body[first] == '{' ? parse_json(body)
                              : detail::is_wdr(body)                                 ? detail::parse_wdr(body)
                                                                                     : parse_lines(body);
    if (read.value && std::none_of(parameters.begin(), parameters.end(),
                                   [&](const Parameter& p) { return read.value->values.*p.member; }))
        return {std::nullopt,
                {0, "it holds no driver values: none of fs, qes, qms, qts, vas, re, sd, xmax, le or pe is given"}};
    return read;
}

Parsed<DriverFile> read_driver_file(const std::filesystem::path& path) {
    Parsed<std::string> text = read_text_file(path, max_driver_file_bytes);
    if (!text.value) return {std::nullopt, text.problem};
    return parse_driver_file(*text.value);
}

std::vector<std::string> parameters_not_given(const DriverFile& file) {
    std::vector<std::string> out;
    for (const Parameter& p : parameters)
        if (!(file.values.*p.member)) out.emplace_back(p.name);
    return out;
}

DriverFormat driver_format_for(const std::filesystem::path& path) {
    return lower(path.extension().string()) == ".wdr" ? DriverFormat::wdr : DriverFormat::text;
}

std::string driver_file_text(const DriverValues& v) {
    std::string out;
    if (const std::string name = clean_name(v.name); !name.empty()) out.append("name = ").append(name_text(name)).append("\n");
    // Built by appending: a text put in front of another trips a false GCC 12 warning at -O3.
    for (const Parameter& p : parameters)
        if (const auto& value = v.*p.member) {
            out.append(p.name).append(" = ").append(texts::shortest(*value));
            if (!p.unit.empty()) out.append(" ").append(p.unit);
            out.append("\n");
        }
    return out;
}

std::string driver_file_text(const DriverValues& values, DriverFormat format) {
    return format == DriverFormat::wdr ? driver_wdr_text(values) : driver_file_text(values);
}

}  // namespace vandrel::speaker
