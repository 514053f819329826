// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/measurement.h"

#include <cmath>
#include <string>

#include "lines.h"
#include "numbers.h"

namespace vandrel::speaker {
namespace {

constexpr std::size_t max_lines = 2 * max_measurement_points;
constexpr double highest_hz = 1e6;
constexpr double largest_db = 1000;

bool separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\v' || c == '\f'; }

// The fields of a line between its separators.
std::vector<std::string_view> fields_of(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i])) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

std::string hz_text(double hz) { return numbers::shortest(hz) + " Hz"; }

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
        const std::vector<std::string_view> fields = fields_of(line);
        std::vector<std::optional<double>> values;
        bool any = false;
        for (std::string_view f : fields) {
            values.push_back(numbers::parse(f));
            any = any || values.back().has_value();
        }
        if (!any) continue;  // a heading such as "Freq(Hz) SPL(dB)"
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!values[i]) return refuse(numbers::quoted(fields[i]) + " is not a number");
        if (fields.size() < 2 || fields.size() > 3)
            return refuse("a data line holds a frequency, a level in dB and perhaps a phase, but this one has " +
                          std::to_string(fields.size()) + (fields.size() == 1 ? " number" : " numbers") +
                          (fields.size() > 3 ? " (commas separate numbers: write decimals with a point)" : ""));
        const double hz = *values[0], db = *values[1];
        if (!(hz > 0)) return refuse("the frequency " + hz_text(hz) + " is not above 0");
        if (hz > highest_hz) return refuse("the frequency " + hz_text(hz) + " is above 1 MHz");
        if (std::abs(db) > largest_db) return refuse("the level " + numbers::shortest(db) + " dB is beyond 1000 dB");
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
    if (m.hz.empty() || m.hz.size() != m.db.size()) return out;
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
