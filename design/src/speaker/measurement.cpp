// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/measurement.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "lines.h"
#include "vandrel/texts/exact.h"
#include "vandrel/texts/decimal.h"

namespace vandrel::speaker {
namespace {

constexpr std::size_t max_lines = 2 * max_measurement_points;
constexpr double lowest_hz = 1e-3;
constexpr double highest_hz = 1e6;
constexpr double largest_db = 1000;

bool separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\v' || c == '\f'; }

// What a line holds: its number of fields, the first three as numbers, and
// the first field that is not a number.
struct Fields {
    std::size_t count = 0;
    bool any_number = false;
    double number[3] = {};
    std::optional<std::string_view> not_a_number;
    bool mixed_separators = false;  ///< blanks, commas and semicolons between the fields, not all one kind
};

// The kind of a run of separators between two fields: 1 blanks alone, 2
// with a comma, 3 with a semicolon.
int separator_kind(std::string_view run) {
    if (run.find(';') != std::string_view::npos) return 3;
    if (run.find(',') != std::string_view::npos) return 2;
    return 1;
}

bool digit(char c) { return c >= '0' && c <= '9'; }

// The first field of `line` with a comma between two digits ("20,5"), or none.
std::optional<std::string_view> decimal_comma(std::string_view line) {
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        if (line[i] != ',' || !digit(line[i - 1]) || !digit(line[i + 1])) continue;
        const auto blank = [](char c) { return c == ' ' || c == '\t' || c == ';' || c == '\v' || c == '\f'; };
        std::size_t start = i, end = i + 1;
        while (start > 0 && !blank(line[start - 1])) --start;
        while (end < line.size() && !blank(line[end])) ++end;
        return line.substr(start, end - start);
    }
    return std::nullopt;
}

Fields fields_of(std::string_view line) {
    Fields out;
    std::size_t i = 0;
    int kind = 0;  // of the runs of separators between fields so far
    while (i < line.size()) {
        const std::size_t run = i;
        while (i < line.size() && separator(line[i])) ++i;
        if (i < line.size() && out.count > 0) {
            const int k = separator_kind(line.substr(run, i - run));
            if (kind != 0 && k != kind) out.mixed_separators = true;
            kind = k;
        }
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i])) ++i;
        if (i == start) break;
        const std::string_view field = line.substr(start, i - start);
        if (const auto v = texts::parse_decimal(field)) {
            out.any_number = true;
            if (out.count < 3) out.number[out.count] = *v;
        } else if (!out.not_a_number) {
            out.not_a_number = field;
        }
        ++out.count;
    }
    return out;
}

std::string hz_text(double hz) { return texts::shortest(hz) + " Hz"; }

}  // namespace

Parsed<Measurement> parse_measurement(std::string_view text) {
    Measurement m;
    Lines lines(text, max_lines, max_measurement_line);
    std::string_view line;
    FileProblem problem;
    int previous_line = 0;
    const auto refuse = [&](std::string why) {
        return Parsed<Measurement>{std::nullopt, {lines.number(), std::move(why)}};
    };
    while (lines.next(line, problem)) {
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || std::string_view("*#;\"").find(line[first]) != std::string_view::npos)
            continue;
        const Fields fields = fields_of(line);
        if (!fields.any_number) continue;  // a heading such as "Freq(Hz) SPL(dB)"
        // "20,5<TAB>80" or "20;80,5": the commas are decimal marks, not separators.
        if (fields.mixed_separators)
            if (const auto comma = decimal_comma(line)) {
                std::string point(*comma);
                std::replace(point.begin(), point.end(), ',', '.');
                return refuse("decimal commas are not read: write decimals with a point (" + texts::quoted(*comma) +
                              " as " + texts::quoted(point) + ")");
            }
        if (fields.not_a_number) return refuse(texts::quoted(*fields.not_a_number) + " is not a number");
        if (fields.count < 2 || fields.count > 3)
            return refuse("a data line holds a frequency, a level in dB and perhaps a phase, but this one has " +
                          std::to_string(fields.count) + (fields.count == 1 ? " number" : " numbers") +
                          (fields.count > 3 ? " (commas separate numbers: write decimals with a point)" : ""));
        const double hz = fields.number[0], db = fields.number[1];
        if (!(hz > 0)) return refuse("the frequency " + hz_text(hz) + " is not above 0");
        if (hz < lowest_hz) return refuse("the frequency " + hz_text(hz) + " is below 0.001 Hz, where nothing measures");
        if (hz > highest_hz) return refuse("the frequency " + hz_text(hz) + " is above 1 MHz");
        if (std::abs(db) > largest_db) return refuse("the level " + texts::shortest(db) + " dB is beyond 1000 dB");
        if (!m.hz.empty() && !(hz > m.hz.back()))
            return refuse("the frequency " + hz_text(hz) + " does not rise above " + hz_text(m.hz.back()) +
                          " on line " + std::to_string(previous_line));
        if (m.hz.size() == max_measurement_points)
            return refuse("the measurement has more than " + std::to_string(max_measurement_points) + " points");
        m.hz.push_back(hz);
        m.db.push_back(db);
        previous_line = lines.number();
    }
    if (!problem.text.empty()) return {std::nullopt, problem};
    if (m.hz.empty()) return {std::nullopt, {0, "there is no data: no line holds a frequency and a level"}};
    return {std::move(m), {}};
}

Parsed<Measurement> read_measurement(const std::filesystem::path& path) {
    Parsed<std::string> text = read_text_file(path, max_measurement_bytes);
    if (!text.value) return {std::nullopt, text.problem};
    return parse_measurement(*text.value);
}

std::vector<std::optional<double>> measured_at(const Measurement& m, std::span<const double> hz) {
    std::vector<std::optional<double>> out(hz.size());
    // Only what parse_measurement gives: points finite, frequencies rising.
    if (m.hz.empty() || m.hz.size() != m.db.size()) return out;
    for (std::size_t i = 0; i < m.hz.size(); ++i)
        if (!std::isfinite(m.db[i]) || !std::isfinite(m.hz[i]) || !(m.hz[i] > 0) || (i > 0 && !(m.hz[i] > m.hz[i - 1])))
            return out;
    std::size_t j = 0;  // m.hz[j] <= f < m.hz[j + 1], for rising f
    for (std::size_t i = 0; i < hz.size(); ++i) {
        const double f = hz[i];
        if (!(f >= m.hz.front() && f <= m.hz.back())) continue;
        if (j > 0 && f < m.hz[j]) j = 0;  // frequencies that do not rise: start again
        while (j + 1 < m.hz.size() && m.hz[j + 1] <= f) ++j;
        if (j + 1 == m.hz.size() || m.hz[j] == f) {
            out[i] = m.db[j];
            continue;
        }
        // Logarithms taken apart: a ratio of far-apart frequencies may overflow.
        const double t = (std::log(f) - std::log(m.hz[j])) / (std::log(m.hz[j + 1]) - std::log(m.hz[j]));
        const double db = m.db[j] + t * (m.db[j + 1] - m.db[j]);
        if (std::isfinite(db)) out[i] = db;
    }
    return out;
}

}  // namespace vandrel::speaker
