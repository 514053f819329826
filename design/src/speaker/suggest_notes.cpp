// SPDX-License-Identifier: GPL-3.0-or-later
// What a suggestion says for people: the limits it kept, how it was built,
// what it costs the amplifier.
#include <cmath>

#include "suggest_parts.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker::suggestion {

using texts::figure;

namespace {

std::string kept_text(Limit limit, const LimitValues& v) {
    switch (limit) {
    case Limit::xmax: return "the cone within xmax (" + figure(v.xmax_mm, 3) + " mm)";
    case Limit::amplifier: return "full scale within the amplifier's most of " + figure(v.amp_v, 3) + " V";
    case Limit::thermal: return "the voice coil within its pe of " + figure(v.pe_w.value_or(0), 3) + " W";
    case Limit::port: return "the port's air within " + figure(v.port_limit_ms.value_or(0), 3) + " m/s";
    case Limit::drive: break;
    }
    return "";
}

std::string closest_text(Limit limit) {
    switch (limit) {
    case Limit::xmax: return "xmax";
    case Limit::amplifier: return "the amplifier's most";
    case Limit::thermal: return "the voice coil's pe";
    case Limit::port: return "the port's limit";
    case Limit::drive: break;
    }
    return "";
}

}  // namespace

std::string f3_text(const std::optional<double>& f3) { return f3 ? figure(*f3, 3) + " Hz" : "below 1 Hz"; }

std::string design_text(const Design& d) {
    return std::string(mode_caption(d.mode)) + " at " + d.freq_text + " Hz" +
           (d.mode == Mode::sos ? ", Q " + d.q_text : std::string());
}

std::string limits_text(const Suggestion& s, const LimitValues& limits) {
    std::string out;
    for (std::size_t i = 0; i < s.limits_kept.size(); ++i) {
        if (i > 0) out += i + 1 == s.limits_kept.size() ? " and " : ", ";
        out += kept_text(s.limits_kept[i], limits);
    }
    return out;
}

std::string success_note(const Suggestion& s, const Inputs& in, const LimitValues& limits, bool plain_keeps_all) {
    const Design& d = *s.design;
    std::string note = plain_keeps_all ? "Without a filter the system already keeps every limit. " : "";
    const std::string corners =
        "at every tolerance corner (R +-" + figure(s.tolerance.r_pct, 3) + " %, C +-" + figure(s.tolerance.c_pct, 3) + " %)";
    note += design_text(d) + " keeps " + limits_text(s, limits) + " at " + figure(in.volts, 3) +
            " V with the lowest f3, " + f3_text(d.f3) + ", " +
            (d.parts == "exact" ? "with exact resistors" : "as built with " + d.parts + " parts") + " and " + corners +
            ".";
    if (s.butterworth && d.mode != Mode::butterworth)
        note += " The best Butterworth design, at " + s.butterworth->freq_text + " Hz, gives f3 " +
                f3_text(s.butterworth->f3) + ".";
    if (d.filter_peak_hz && d.filter_peak_db >= 0.01)
        note += " The filter peaks " + figure(d.filter_peak_db, 2) + " dB at " + figure(*d.filter_peak_hz, 3) +
                " Hz: full scale asks the amplifier for " + figure(d.peak_amplifier_v, 3) + " V, against its most of " +
                figure(limits.amp_v, 3) + " V.";
    // Without a peak the amplifier is only ever at full scale: no news.
    if (d.binding != Limit::amplifier || d.filter_peak_db >= amplifier_tolerance_db)
        note += " Closest to its limit: " + closest_text(d.binding) + ", at " + figure(d.binding_ratio * 100, 3) +
                " % of it at the worst corner.";
    return note;
}

}  // namespace vandrel::speaker::suggestion
