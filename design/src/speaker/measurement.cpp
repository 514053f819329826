// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/measurement.h"

#include <cmath>
#include <string>

#include "lines.h"
#include "vandrel/texts/exact.h"
#include "vandrel/texts/decimal.h"

namespace vandrel::speaker {
namespace {

constexpr std::size_t max_lines = 2 * max_measurement_points;
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
};

Fields fields_of(std::string_view line) {
    Fields out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i])) ++i;
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
        if (fields.not_a_number) return refuse(texts::quoted(*fields.not_a_number) + " is not a number");
        if (fields.count < 2 || fields.count > 3)
            return refuse("a data line holds a frequency, a level in dB and perhaps a phase, but this one has " +
                          std::to_string(fields.count) + (fields.count == 1 ? " number" : " numbers") +
                          (fields.count > 3 ? " (commas separate numbers: write decimals with a point)" : ""));
        const double hz = fields.number[0], db = fields.number[1];
        if (!(hz > 0)) return refuse("the frequency " + hz_text(hz) + " is not above 0");
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
        const double t = std::log(f / m.hz[j]) / std::log(m.hz[j + 1] / m.hz[j]);
        out[i] = m.db[j] + t * (m.db[j + 1] - m.db[j]);
    }
    return out;
}

}  // namespace vandrel::speaker
