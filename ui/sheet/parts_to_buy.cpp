// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_to_buy.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "sheet_text.h"

namespace vandrel::sheet {
namespace {

// One part in one place.
struct Placed {
    double value;       // kOhm or uF
    std::string where;  // "R3", "feedback"
};

// Two values of one part: equal to a relative 1E-9, as a series' values are.
bool same_value(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b)); }

// The places joined, a place met n times written "R3 ×2".
std::string places_text(const std::vector<std::string>& places) {
    std::vector<std::pair<std::string, int>> counted;
    for (const std::string& p : places) {
        const auto it = std::find_if(counted.begin(), counted.end(), [&](const auto& c) { return c.first == p; });
        if (it == counted.end())
            counted.emplace_back(p, 1);
        else
            ++it->second;
    }
    std::string text;
    for (const auto& [place, n] : counted) {
        if (!text.empty()) text += ", ";
        text += place;
        if (n > 1) text += " ×" + std::to_string(n);
    }
    return text;
}

// Equal values counted together, by rising value.
void add_counted(std::vector<PartToBuy>& out, std::vector<Placed> parts, const std::string& kind,
                 std::string (*value_text)(double), const std::string& tolerance) {
    std::stable_sort(parts.begin(), parts.end(), [](const Placed& a, const Placed& b) { return a.value < b.value; });
    for (std::size_t i = 0; i < parts.size();) {
        std::vector<std::string> places;
        std::size_t j = i;
        for (; j < parts.size() && same_value(parts[j].value, parts[i].value); ++j) places.push_back(parts[j].where);
        out.push_back({static_cast<int>(j - i), kind + " " + value_text(parts[i].value), tolerance, places_text(places)});
        i = j;
    }
}

}  // namespace

std::vector<PartToBuy> parts_to_buy(const as_built::AsBuilt& built) {
    const as_built::PathParts& path = built.path;
    const as_built::PartsList& parts = built.parts;
    std::vector<Placed> resistors, capacitors;
    const auto chosen = [&resistors](const as_built::Resistor& r, const char* name) {
        for (double part : r.chosen) resistors.push_back({part, name});
    };
    if (parts.r1) chosen(*parts.r1, "R1");
    chosen(parts.r3, "R3");
    chosen(parts.r4, "R4");
    resistors.push_back({path.r_in, "input"});
    if (parts.r1) resistors.push_back({path.r_feedback, "feedback"});
    resistors.push_back({path.r_out, "output"});
    capacitors.push_back({path.c1, "C"});
    capacitors.push_back({path.c2, "C"});
    capacitors.push_back({path.c_in, "input"});
    if (parts.r1) capacitors.push_back({path.c_feedback, "feedback"});

    std::vector<PartToBuy> out;
    const as_built::Tolerance& t = built.options.tolerance;
    add_counted(out, std::move(resistors), "Resistor", resistance_text, tolerance_text(t.r_pct));
    add_counted(out, std::move(capacitors), "Capacitor", capacitance_text, tolerance_text(t.c_pct));
    out.push_back({1, "Dual op-amp TL072", "", "buffer and high-pass"});
    return out;
}

}  // namespace vandrel::sheet
