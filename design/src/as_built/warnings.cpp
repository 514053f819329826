// SPDX-License-Identifier: GPL-3.0-or-later
#include "warnings.h"

#include <cmath>
#include <numbers>

#include "vandrel/texts/figures.h"

namespace vandrel::as_built {

using texts::figure;

namespace {

// A corner's effect on f3 that is worth a word.
constexpr double noticeable = 0.05;

// Corner frequency of a first-order stage, Hz, from kOhm and uF.
double corner_hz(double kohm, double uf) { return 1000 / (2 * std::numbers::pi * kohm * uf); }

std::string hz_text(double hz) { return hz >= 1000 ? figure(hz / 1000, 3) + " kHz" : figure(hz, 3) + " Hz"; }

// What one fixed corner does to the path's f3: `alone` is the path
// without it.
void corner_warning(std::vector<Warning>& out, const std::optional<double>& with, const PathParts& alone,
                    const std::string& corner) {
    const std::optional<double> without = path_f3(alone);
    if (!without) return;
    if (!with) {
        out.push_back({"", corner + " lies near the filter's corner and cuts into the pass band: the path never "
                               "comes within 3 dB of its gain, so it has no f3"});
    } else if (std::abs(*with / *without - 1) > noticeable) {
        out.push_back({"", corner + " lies near the filter's corner: it moves the path's f3 from " +
                               hz_text(*without) + " to " + hz_text(*with)});
    }
}

}  // namespace

std::vector<Warning> build_warnings(const AsBuilt& b) {
    std::vector<Warning> out;
    const auto resistor = [&](const char* name, const Resistor& r) {
        for (double part : r.chosen)
            if (auto text = uncommon_value(name, part, false)) {
                out.push_back({name, *text});
                return;
            }
    };
    if (b.parts.r1) resistor("R1", *b.parts.r1);
    resistor("R3", b.parts.r3);
    resistor("R4", b.parts.r4);
    if (auto text = uncommon_value("C", b.parts.c.value, true)) out.push_back({"C", *text});

    const PathParts& p = b.path;
    PathParts no_coupling = p;
    no_coupling.c_in = p.c_in * 1e12;
    corner_warning(out, b.path_figures.f3, no_coupling,
                   "The input coupling (" + figure(p.c_in, 6) + " uF with " + figure(p.r_in, 6) + "k, " +
                       hz_text(corner_hz(p.r_in, p.c_in)) + ")");
    // With a follower the feedback capacitor does nothing.
    if (p.r1) {
        PathParts no_feedback = p;
        no_feedback.c_feedback = 0;
        corner_warning(out, b.path_figures.f3, no_feedback,
                       "The feedback capacitor (" + figure(p.c_feedback, 6) + " uF across " + figure(p.r_feedback, 6) +
                           "k, " + hz_text(corner_hz(p.r_feedback, p.c_feedback)) + ")");
    }
    return out;
}

}  // namespace vandrel::as_built
