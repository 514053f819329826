// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/exports.h"

#include <stdexcept>

#include "vandrel/as_built/parts_text.h"
#include "vandrel/texts/figures.h"
#include "vandrel/texts/exact.h"

namespace vandrel::as_built {

using texts::figure;
using texts::resistance_text;
using texts::capacitance_text;
using texts::shortest;

namespace {

std::string cap_choice_text(CapSeries from) {
    return from == CapSeries::typed ? "capacitors as typed" : "capacitors the nearest " +
                                                                  std::string(cap_series_name(from)) + " value";
}

}  // namespace

std::string design_text(const Module1& d, Mode mode) {
    std::string text = std::string(mode_caption(mode)) + ", C " + capacitance_text(d.cfilter) + ", buffer gain " +
                       figure(d.gain > 0 ? d.gain : 0) + " dB, ";
    if (mode == Mode::peaking) text += "peak " + figure(d.peakmag) + " dB at " + figure(d.freq_peak) + " Hz, ";
    return text + "f0 " + figure(d.f0) + " Hz, Q " + figure(d.q) + ", f3 " + figure(d.f3) + " Hz";
}

std::string parts_bought_text(const AsBuilt& b) {
    const PartsList& p = b.parts;
    return "R1 " + (p.r1 ? chosen_text(*p.r1) : std::string("follower")) + ", R3 " + chosen_text(p.r3) + ", R4 " +
           chosen_text(p.r4) + ", C " + capacitance_text(p.c.chosen) + " twice";
}

std::string choices_text(const AsBuilt& b) {
    const Options& o = b.options;
    return parts_source_text(o) + "; " + cap_choice_text(o.capacitor) + "; resistors \u00b1" +
           figure(o.tolerance.r_pct) + " %, capacitors \u00b1" + figure(o.tolerance.c_pct) + " %; into " +
           resistance_text(o.load_kohm);
}

std::string export_caption(const Module1& d, Mode mode, const AsBuilt& built) {
    const Options& o = built.options;
    std::string text = "Vandrel " + std::string(program_version) + ": " + std::string(mode_caption(mode)) + ", C " +
                       capacitance_text(d.cfilter) + ", gain " + figure(d.gain > 0 ? d.gain : 0) + " dB, ";
    if (mode == Mode::peaking) text += "peak " + figure(d.peakmag) + " dB at " + figure(d.freq_peak) + " Hz, ";
    text += "f0 " + figure(d.f0) + " Hz, Q " + figure(d.q) + ". " + parts_bought_text(built) + "; ";
    switch (o.source.kind) {
    case PartSource::Kind::exact: text += "exact values"; break;
    case PartSource::Kind::shown: text += "values as shown"; break;
    case PartSource::Kind::series:
        text += std::string(series_name(o.source.series)) +
                (o.combine == Combine::series ? " in pairs in series" : o.combine == Combine::parallel ? " in pairs in parallel" : "");
        break;
    }
    return text + ", \u00b1" + figure(o.tolerance.r_pct) + " % and \u00b1" + figure(o.tolerance.c_pct) + " %, into " +
           resistance_text(o.load_kohm);
}

std::string described_response_csv(const Module1& design, Mode mode, const AsBuilt& built,
                                   std::span<const ResponseRow> rows, std::span<const Band> band,
                                   std::size_t band_runs) {
    if (band.size() != rows.size()) throw std::invalid_argument("the tolerance band needs one entry a row");
    std::string out = "# Vandrel " + std::string(program_version) + ": response of the subsonic high-pass filter as built\n";
    out += "# Design: " + design_text(design, mode) + "\n";
    out += "# Parts: " + parts_bought_text(built) + "\n";
    out += "# Choices: " + choices_text(built) + "\n";
    out += "# Levels in dB, group delay in ms; path_p5_db and path_p95_db: the 5th and 95th percentile of path_db over " +
           std::to_string(band_runs) + " of the " + std::to_string(built.runs.size()) + " builds within the tolerances\n";
    const std::string table = response_csv(rows);
    const std::size_t header_end = table.find('\n');
    out += table.substr(0, header_end) + ",path_p5_db,path_p95_db\n";
    std::size_t at = header_end + 1;
    for (const Band& b : band) {
        const std::size_t end = table.find('\n', at);
        out += table.substr(at, end - at) + "," + shortest(b.low_db) + "," + shortest(b.high_db) + "\n";
        at = end + 1;
    }
    return out;
}

}  // namespace vandrel::as_built
