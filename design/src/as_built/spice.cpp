// SPDX-License-Identifier: GPL-3.0-or-later
// The SPICE netlist of the path as built.
#include <string>

#include "vandrel/as_built/report.h"
#include "vandrel/texts/figures.h"
#include "vandrel/texts/exact.h"

namespace vandrel::as_built {

using texts::figure;
using texts::shortest;
using texts::shifted;

namespace {

std::string ohms(double kohm) { return shifted(kohm, 3); }
std::string farads(double uf) { return shifted(uf, -6); }

std::string design_line(const Module1& d, Mode mode) {
    std::string line = "* Design: " + std::string(mode_caption(mode)) + ", C " + shortest(d.cfilter) +
                       " uF, buffer gain " + (d.gain > 0 ? shortest(d.gain) : std::string("0")) + " dB, ";
    if (mode == Mode::peaking)
        line += "peak " + shortest(d.freq_peak) + " Hz " + shortest(d.peakmag) + " dB, giving ";
    return line + "f0 " + shortest(d.f0) + " Hz, Q " + shortest(d.q) + ", f3 " + shortest(d.f3) + " Hz\n";
}

std::string parts_line(const Options& o) {
    switch (o.source.kind) {
    case PartSource::Kind::exact: return "* Parts: exact values, unrounded\n";
    case PartSource::Kind::shown: return "* Parts: the values the window shows\n";
    case PartSource::Kind::series: break;
    }
    const char* how = o.combine == Combine::single   ? "single parts"
                      : o.combine == Combine::series ? "a single part or two in series"
                                                     : "a single part or two in parallel";
    return "* Parts: " + std::string(series_name(o.source.series)) + " series, " + how + "\n";
}

// Six significant digits with "." whatever the locale: the windows run
// under the user's locale, and the netlist must not change with it.
std::string rounded(double v) { return figure(v, 6); }

std::string resistor_comment(std::string_view name, const Resistor& r) {
    std::string line = "* " + std::string(name) + " = " + shortest(r.chosen[0]) + "k";
    if (r.chosen.size() == 2)
        line += (r.combine == Combine::parallel ? " || " : " + ") + shortest(r.chosen[1]) + "k = " +
                rounded(r.value) + "k";
    return line + " (exact " + rounded(r.exact) + "k, shown " + shortest(r.shown) + "k)\n";
}

std::string capacitor_comment(const CapacitorCheck& c) {
    std::string line = "* C1 = C2 = " + shortest(c.chosen) + " uF";
    if (c.from == CapSeries::typed) return line + ", as typed\n";
    const std::string series(cap_series_name(c.from));
    return line + (c.chosen == c.value ? ", as typed, an " + series + " value\n"
                                       : ", the nearest " + series + " value to " + shortest(c.value) + " uF as typed\n");
}

// A resistor of one or two parts between nodes a and b.
std::string resistor_lines(std::string_view name, const Resistor& r, std::string_view a, std::string_view b) {
    const std::string n(name);
    if (r.chosen.size() == 1) return n + " " + std::string(a) + " " + std::string(b) + " " + ohms(r.chosen[0]) + "\n";
    if (r.combine == Combine::parallel)
        return n + "A " + std::string(a) + " " + std::string(b) + " " + ohms(r.chosen[0]) + "\n" + n + "B " +
               std::string(a) + " " + std::string(b) + " " + ohms(r.chosen[1]) + "\n";
    const std::string mid = "n_" + n;
    return n + "A " + std::string(a) + " " + mid + " " + ohms(r.chosen[0]) + "\n" + n + "B " + mid + " " +
           std::string(b) + " " + ohms(r.chosen[1]) + "\n";
}

}  // namespace

std::string spice_netlist(const Module1& design, Mode mode, const AsBuilt& built) {
    const PathParts& p = built.path;
    const PartsList& parts = built.parts;
    std::string out = "* Vandrel " + std::string(program_version) + ": subsonic high-pass filter as built\n";
    out += design_line(design, mode);
    out += parts_line(built.options);
    if (parts.r1) out += resistor_comment("R1", *parts.r1);
    out += resistor_comment("R3", parts.r3);
    out += resistor_comment("R4", parts.r4);
    out += capacitor_comment(parts.c);
    out += "* Op-amps: ideal, voltage-controlled sources with a gain of 1e6\n";
    out += "VIN in 0 AC 1\n";
    out += "* Input coupling\n";
    out += "CIN in buf_in " + farads(p.c_in) + "\n";
    out += "RIN buf_in 0 " + ohms(p.r_in) + "\n";
    if (parts.r1) {
        out += "* Input buffer with gain 1 + RF/R1\n";
        out += "EBUF buf_out 0 buf_in buf_fb 1e6\n";
        out += "RF buf_out buf_fb " + ohms(p.r_feedback) + "\n";
        out += "CF buf_out buf_fb " + farads(p.c_feedback) + "\n";
        out += resistor_lines("R1", *parts.r1, "buf_fb", "0");
    } else {
        out += "* Input buffer, a follower\n";
        out += "EBUF buf_out 0 buf_in buf_out 1e6\n";
    }
    out += "* Unity-gain Sallen-Key high-pass\n";
    out += "C1 buf_out hp_mid " + farads(p.c1) + "\n";
    out += "C2 hp_mid hp_in " + farads(p.c2) + "\n";
    out += resistor_lines("R3", parts.r3, "hp_mid", "hp_out");
    out += resistor_lines("R4", parts.r4, "hp_in", "0");
    out += "EHP hp_out 0 hp_in hp_out 1e6\n";
    out += "* Output resistor into the load\n";
    out += "ROUT hp_out out " + ohms(p.r_out) + "\n";
    out += "RLOAD out 0 " + ohms(p.load) + "\n";
    out += ".ac dec 200 1 1k\n";
    out += ".end\n";
    return out;
}

}  // namespace vandrel::as_built
