// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/suggest.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "curve.h"
#include "search.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using texts::figure;

using search::Best;
using search::butterworth_q;
using search::highest_k;
using search::lowest_k;
using search::never;
using search::Search;

// Solve's 2 pi, so that the section is the one Solve designs.
constexpr double solve_two_pi = 6.2831853;

// Steps of the first scan of each Q's frequencies, and of the finer scans
// around the best designs of the first: 8 % and 1 %.
constexpr double coarse_ratio = 1.08;
constexpr double fine_ratio = 1.01;

// The Q values scanned first: 0.8 to 3 in steps of 0.1, then to 10 in steps
// of 0.25.
std::vector<int> coarse_qs() {
    std::vector<int> qs;
    for (int q = 800; q <= 3000; q += 100) qs.push_back(q);
    for (int q = 3250; q <= 10000; q += 250) qs.push_back(q);
    return qs;
}

// Texts built by appending: a text put in front of another trips a false
// GCC 12 warning at -O3.
std::string tenths_text(int k) {
    std::string text = std::to_string(k / 10);
    if (k % 10) text.append(1, '.').append(1, static_cast<char>('0' + k % 10));
    return text;
}

std::string q_text(int q) {
    if (q == butterworth_q) return std::string(butterworth_q_text);
    std::string text = std::to_string(q / 1000);
    text.append(1, '.');
    text.append(1, static_cast<char>('0' + q / 100 % 10)).append(1, static_cast<char>('0' + q / 10 % 10));
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

Design design_of(Search& search, const Inputs& in, const Best& b) {
    Design d;
    d.mode = b.q == butterworth_q ? Mode::butterworth : Mode::sos;
    d.freq = b.k / 10.0;
    d.q = b.q / 1000.0;
    d.freq_text = tenths_text(b.k);
    d.q_text = q_text(b.q);
    d.f3 = search.eval(b.k, b.q).f3;
    const FilterShape shape(search.path(b.k, b.q));
    const Drive drive(search.system(), in.volts, &shape);
    const std::span<const double> hz = search.hz();
    std::vector<double> excursion(hz.size()), port(hz.size());
    for (std::size_t i = 0; i < hz.size(); ++i) {
        const Sample s = drive.at(hz[i]);
        excursion[i] = s.excursion_mm;
        port[i] = s.port_velocity;
    }
    const curve::Point peak = curve::highest(hz, excursion, [&](double f) { return drive.at(f).excursion_mm; });
    d.peak_excursion_mm = peak.value;
    d.peak_excursion_hz = peak.hz;
    if (search.system().has_port())
        d.peak_port_velocity = curve::highest(hz, port, [&](double f) { return drive.at(f).port_velocity; }).value;
    return d;
}

std::string f3_text(const std::optional<double>& f3) { return f3 ? figure(*f3, 3) + " Hz" : "below 1 Hz"; }

std::string design_text(const Design& d) {
    return std::string(mode_caption(d.mode)) + " at " + d.freq_text + " Hz" +
           (d.mode == Mode::sos ? ", Q " + d.q_text : std::string());
}

// The highest unfiltered excursion from `from_hz` to 1 kHz.
double passband_excursion(Search& s, double from_hz) {
    const auto hz = s.hz();
    std::size_t first = 0;
    while (first + 1 < hz.size() && hz[first] < from_hz) ++first;
    const auto at = [&](double f) { return s.plain().at(f).excursion_mm; };
    const curve::Point p = curve::highest(hz.subspan(first), s.excursion().subspan(first), at);
    return std::max(p.value, at(std::min(from_hz, hz.back())));
}

}  // namespace

as_built::PathParts with_section(as_built::PathParts base, double f0, double q) {
    if (!(f0 > 0) || !std::isfinite(f0) || !(q > 0) || !std::isfinite(q) || !(base.c1 > 0) || !std::isfinite(base.c1))
        throw std::invalid_argument("a section needs a frequency, a Q and a capacitor that are finite and above 0");
    const double xc = 1000 / (base.c1 * (f0 * solve_two_pi));
    base.c2 = base.c1;
    base.r3 = xc / (q * 2);
    base.r4 = (xc * 2) * q;
    return base;
}

Suggestion suggest(const Inputs& in) {
    Search search(in);
    Suggestion out;
    const double xmax = in.driver.xmax;

    // The pass band, from the system's own f3, is no place for a high-pass.
    const std::optional<double> f3 = curve::rising_through(search.hz(), search.pressure(), search.threshold(),
                                                           [&](double f) { return search.plain().at(f).pressure; });
    if (!f3 && search.pressure()[0] < search.threshold()) {
        out.note = "No suggestion: the SPL never comes within 3 dB of its pass band below 1 kHz.";
        return out;
    }
    const double passband_peak = passband_excursion(search, f3.value_or(1));
    if (passband_peak > xmax) {
        out.safe_volts = in.volts * xmax / passband_peak;
        out.note = "No filter can help: the cone goes beyond xmax (" + figure(xmax, 3) + " mm) in the pass band, " +
                   "above the system's f3 of " + f3_text(f3) + ", where no high-pass may act. The drive is too high; " +
                   "at " + figure(*out.safe_volts, 3) + " V (" +
                   figure(*out.safe_volts * *out.safe_volts / in.driver.re, 3) + " W into Re) or less it is not.";
        return out;
    }

    const Best butterworth = search.best_for(butterworth_q, lowest_k, highest_k, coarse_ratio);
    Best best = butterworth;
    search.set_bound(best.rank);
    std::vector<Best> coarse;
    for (int q : coarse_qs()) {
        coarse.push_back(search.best_for(q, lowest_k, highest_k, coarse_ratio));
        if (coarse.back().better_than(best)) search.set_bound((best = coarse.back()).rank);
    }
    std::sort(coarse.begin(), coarse.end(), [](const Best& a, const Best& b) { return a.better_than(b); });
    // Around the three best: Q in steps of 0.05 across the coarse step, then
    // of 0.01 around the best of those, frequencies within 12 % in steps of 1 %.
    const auto around = [&](const Best& c, int reach, int step) {
        Best local = c;
        for (int q = std::max(710, c.q - reach); q <= std::min(10000, c.q + reach); q += step) {
            const int lo = static_cast<int>(c.k / 1.12), hi = static_cast<int>(c.k * 1.12) + 1;
            const Best f = search.best_for(q, lo, hi, fine_ratio);
            if (f.better_than(local)) local = f;
        }
        return local;
    };
    for (std::size_t i = 0; i < coarse.size() && i < 3 && coarse[i].rank < never; ++i) {
        const Best step_005 = around(coarse[i], coarse[i].q <= 3000 ? 50 : 200, 50);
        const Best step_001 = around(step_005, 40, 10);
        if (step_001.better_than(best)) search.set_bound((best = step_001).rank);
    }
    if (best.k == 0 || best.rank == never) {
        out.note = "No design from 1 to 1000 Hz keeps the cone within xmax (" + figure(xmax, 3) + " mm) at " +
                   figure(in.volts, 3) + " V with an f3 below 1 kHz.";
        return out;
    }
    out.design = design_of(search, in, best);
    if (butterworth.k) out.butterworth = design_of(search, in, butterworth);

    const Design& d = *out.design;
    std::string note;
    if (curve::highest(search.hz(), search.excursion(), [&](double f) { return search.plain().at(f).excursion_mm; })
            .value <= xmax)
        note = "Without a filter the cone already stays within xmax. ";
    note += design_text(d) + " keeps the cone within xmax (" + figure(xmax, 3) + " mm) at " + figure(in.volts, 3) +
            " V with the lowest f3, " + f3_text(d.f3) + ".";
    if (out.butterworth && d.mode != Mode::butterworth)
        note += " The best Butterworth design, at " + out.butterworth->freq_text + " Hz, gives f3 " +
                f3_text(out.butterworth->f3) + ".";
    const as_built::SectionFigures section = as_built::section_figures({d.freq, d.q});
    if (section.peak_hz)
        note += " The filter peaks " + figure(section.peak_db, 2) + " dB at " + figure(*section.peak_hz, 3) +
                " Hz: the amplifier needs that much more headroom there.";
    if (d.peak_port_velocity && *d.peak_port_velocity > audible_port_velocity)
        note += " With it the port's air reaches " + figure(*d.peak_port_velocity, 3) +
                " m/s, above 17 m/s, where ports are heard.";
    out.note = note;
    return out;
}

}  // namespace vandrel::speaker
