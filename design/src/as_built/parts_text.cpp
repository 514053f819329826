// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/parts_text.h"

#include "vandrel/texts/figures.h"

namespace vandrel::as_built {

using texts::figure;
using texts::resistance_text;
using texts::capacitance_text;
using texts::deviation_text;

std::string chosen_text(const Resistor& r) {
    std::string text = resistance_text(r.chosen.at(0));
    if (r.chosen.size() == 2) text += (r.combine == Combine::parallel ? " || " : " + ") + resistance_text(r.chosen[1]);
    return text;
}

std::string peak_text(const std::optional<double>& hz, double db) {
    return hz ? figure(db) + " dB at " + figure(*hz) + " Hz" : std::string("none");
}

std::string spread_text(const Spread& s, const std::string& unit, bool zero_is_none) {
    if (zero_is_none && s.p5 == 0 && s.p50 == 0 && s.p95 == 0) return "none";
    std::string out;
    for (double v : {s.p5, s.p50, s.p95})
        out += (out.empty() ? "" : " / ") + (zero_is_none && v == 0 ? std::string("none") : figure(v));
    return out + " " + unit;
}

std::string capacitor_text(const CapacitorCheck& c) {
    if (c.from != CapSeries::typed) {
        const std::string series(cap_series_name(c.from));
        return c.chosen == c.value ? "as typed, an " + series + " value"
                                   : "the nearest " + series + " value to " + capacitance_text(c.value) + " as typed";
    }
    return std::string("as typed, ") +
           (c.in_e12 ? (c.in_e6 ? "an E6 and E12 value" : "an E12 value") : "in neither E6 nor E12") +
           " (nearest E6 " + capacitance_text(c.nearest_e6) + ", E12 " + capacitance_text(c.nearest_e12) + ")";
}

std::string parts_source_text(const Options& o) {
    switch (o.source.kind) {
    case PartSource::Kind::exact: return "exact values";
    case PartSource::Kind::shown: return "the values the window shows";
    case PartSource::Kind::series: break;
    }
    return std::string(series_name(o.source.series)) + ", " +
           (o.combine == Combine::single   ? "single parts"
            : o.combine == Combine::series ? "one part or two in series"
                                           : "one part or two in parallel");
}

std::string parts_list_text(const AsBuilt& b) {
    const PartsList& p = b.parts;
    std::string out = "Parts (" + parts_source_text(b.options) + "):\n";
    const auto resistor = [&](const char* name, const Resistor& r) {
        out += std::string("  ") + name + "  " + chosen_text(r) +
               (r.chosen.size() == 2 ? " = " + resistance_text(r.value) : std::string()) + "  (exact " +
               resistance_text(r.exact) + ", shown " + resistance_text(r.shown) + ", " +
               deviation_text(r.value, r.exact) + ")\n";
    };
    if (p.r1)
        resistor("R1", *p.r1);
    else
        out += "  R1  none: the buffer is a follower\n";
    resistor("R3", p.r3);
    resistor("R4", p.r4);
    out += "  C   " + capacitance_text(p.c.chosen) + ", twice: " + capacitor_text(p.c) + "\n";

    const auto section = [&](const char* name, const SectionFigures& s) {
        out += std::string("  ") + name + "f0 " + figure(s.f0) + " Hz, Q " + figure(s.q) + ", f3 " + figure(s.f3) +
               " Hz, peak " + peak_text(s.peak_hz, s.peak_db) + "\n";
    };
    out += "\nHigh-pass section:\n";
    section("as built:     ", b.section);
    section("exact design: ", b.exact_section);

    const PathFigures& path = b.path_figures;
    out += "\nWhole path into " + resistance_text(b.options.load_kohm) + ":\n  gain " + figure(path.gain_db) +
           " dB, f3 " + (path.f3 ? figure(*path.f3) + " Hz" : std::string("none")) + ", peak " +
           peak_text(path.peak_hz, path.peak_db) + "\n  group delay";
    for (std::size_t i = 0; i < group_delay_hz.size(); ++i)
        out += (i ? ", " : " ") + figure(path.group_delay_ms[i]) + " ms at " + figure(group_delay_hz[i]) + " Hz";

    const Tolerance& t = b.options.tolerance;
    out += "\n\nTolerance (resistors \u00b1" + figure(t.r_pct) + " %, capacitors \u00b1" + figure(t.c_pct) + " %, " +
           std::to_string(t.runs) + " runs), 5th / 50th / 95th percentile:\n";
    out += "  section f3  " + spread_text(b.tolerance.section_f3, "Hz") + "\n";
    out += "  path f3     " + (b.tolerance.path_f3 ? spread_text(*b.tolerance.path_f3, "Hz") : std::string("none"));
    if (b.tolerance.path_f3 && b.tolerance.path_f3_runs < t.runs)
        out += " (over the " + std::to_string(b.tolerance.path_f3_runs) + " runs that reach an f3)";
    out += "\n  peak        " + spread_text(b.tolerance.peak_db, "dB", true) + "\n";
    if (!b.warnings.empty()) {
        out += "\nWarnings:\n";
        for (const Warning& w : b.warnings) out += "  " + w.text + "\n";
    }
    return out;
}

}  // namespace vandrel::as_built
