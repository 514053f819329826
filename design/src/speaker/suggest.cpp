// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/suggest.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "curve.h"
#include "suggest_parts.h"
#include "vandrel/speaker/port.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {
namespace {

using search::Best;
using search::butterworth_q;
using search::highest_k;
using search::lowest_k;
using search::never;
using search::Search;
using texts::figure;
namespace sg = suggestion;

// Solve's 2 pi, so that the section is the one Solve designs.
constexpr double solve_two_pi = 6.2831853;

// Steps of the first scan of each Q's frequencies, and of the finer scans
// around the best designs of the first: 8 % and 1 %.
constexpr double coarse_ratio = 1.08;
constexpr double fine_ratio = 1.01;

// The Q values scanned first: 0.71 to 0.79 in steps of 0.02 (where a
// filter that may not peak finds its best), 0.8 to 3 in steps of 0.1, then
// to 10 in steps of 0.25.
std::vector<int> coarse_qs() {
    std::vector<int> qs;
    for (int q = 710; q < 800; q += 20) qs.push_back(q);
    for (int q = 800; q <= 3000; q += 100) qs.push_back(q);
    for (int q = 3250; q <= 10000; q += 250) qs.push_back(q);
    return qs;
}

std::vector<Limit> kept_limits(const LimitValues& v) {
    std::vector<Limit> out{Limit::xmax, Limit::amplifier};
    if (v.thermal_v) out.push_back(Limit::thermal);
    if (v.port_limit_ms) out.push_back(Limit::port);
    return out;
}

// The highest ratio to each limit without the filter from `from_hz` to
// 1 kHz, in the order of kept_limits.
std::vector<search::Ratio> passband_ratios(Search& s, double from_hz) {
    // The grid from `from_hz` on, with `from_hz` itself first.
    const auto grid = s.hz();
    std::vector<double> hz{std::min(from_hz, grid.back())};
    for (double f : grid)
        if (f > hz.front()) hz.push_back(f);
    const auto highest = [&](auto at) {
        std::vector<double> v(hz.size());
        for (std::size_t i = 0; i < hz.size(); ++i) v[i] = at(hz[i]);
        return curve::highest(hz, v, at).value;
    };
    const LimitValues& l = s.limits();
    const double volts = s.inputs().volts;
    std::vector<search::Ratio> out;
    out.push_back({highest([&](double f) { return s.plain().at(f).excursion_mm; }) / l.xmax_mm, Limit::xmax});
    out.push_back({volts / (l.amp_v * std::pow(10.0, amplifier_tolerance_db / 20)), Limit::amplifier});
    if (l.thermal_v) out.push_back({volts / *l.thermal_v, Limit::thermal});
    if (l.port_limit_ms)
        out.push_back({highest([&](double f) { return s.plain().at(f).port_velocity; }) / *l.port_limit_ms, Limit::port});
    return out;
}

std::string watts_text(double volts, double re) { return figure(volts * volts / re, 3) + " W into Re"; }

// A limit broken in the pass band, for the note.
std::string passband_text(const search::Ratio& r, Search& s, const std::optional<double>& f3) {
    const LimitValues& l = s.limits();
    const Inputs& in = s.inputs();
    switch (r.limit) {
    case Limit::xmax:
        return "the cone goes beyond xmax (" + figure(l.xmax_mm, 3) + " mm) in the pass band, above the system's f3 of " +
               sg::f3_text(f3);
    case Limit::amplifier:
        return "the drive of " + figure(in.volts, 3) + " V is beyond the amplifier's most of " + figure(l.amp_v, 3) +
               " V in the pass band";
    case Limit::thermal:
        return "the drive puts " + watts_text(in.volts, in.driver.re) + " in the pass band, beyond the voice coil's pe of " +
               figure(*l.pe_w, 3) + " W";
    case Limit::port:
        return "the port's air goes beyond " + figure(*l.port_limit_ms, 3) + " m/s in the pass band, above the system's f3 of " +
               sg::f3_text(f3);
    case Limit::drive: break;
    }
    return "";
}

// What would meet an unmet limit beside less drive.
void remedies(Suggestion& out, Limit limit, double ratio, const Inputs& in, const LimitValues& l) {
    out.unmet = limit;
    if (limit == Limit::amplifier) out.amp_volts_needed = l.amp_v * ratio;
    if (limit == Limit::port && in.box.port_diameter)
        out.port_diameter_needed = port_diameter_for(*in.box.port_diameter, ratio, 1);
}

std::string remedy_text(const Suggestion& out) {
    std::string text;
    if (out.amp_volts_needed)
        text += " A bigger amplifier, of at least " + figure(*out.amp_volts_needed, 3) + " V, would meet its limit too.";
    if (out.port_diameter_needed)
        text += " A wider port, of at least " + figure(*out.port_diameter_needed, 3) + " cm, would keep its air within the limit too.";
    return text;
}

Suggestion run(const Inputs& in, const Build* build, const as_built::Tolerance& tolerance) {
    Search search(in, tolerance);
    Suggestion out;
    const LimitValues& limits = search.limits();
    out.limits_kept = kept_limits(limits);
    out.tolerance = tolerance;
    out.parts = build ? std::string(as_built::source_name(build->options.source)) : "exact";

    // The pass band, from the system's own f3, is no place for a high-pass.
    const std::optional<double> f3 = curve::rising_through(search.hz(), search.pressure(), search.threshold(),
                                                           [&](double f) { return search.plain().at(f).pressure; });
    if (!f3 && search.pressure()[0] < search.threshold()) {
        out.note = "No suggestion: the SPL never comes within 3 dB of its pass band below 1 kHz.";
        return out;
    }
    std::vector<std::string> broken;
    double worst = 0;
    for (const search::Ratio& r : passband_ratios(search, f3.value_or(1)))
        if (r.value > 1) {
            broken.push_back(passband_text(r, search, f3));
            const std::optional<Limit> unmet = out.unmet;
            remedies(out, r.limit, r.value, in, limits);
            if (r.value > worst)
                worst = r.value;
            else
                out.unmet = unmet;
        }
    if (!broken.empty()) {
        out.safe_volts = in.volts / worst;
        std::string reasons;
        for (std::size_t i = 0; i < broken.size(); ++i) reasons += (i ? "; " : "") + broken[i];
        out.note = "No filter can help: " + reasons + ", where no high-pass may act. The drive is too high; at " +
                   figure(*out.safe_volts, 3) + " V (" + watts_text(*out.safe_volts, in.driver.re) +
                   ") or less it is not." + remedy_text(out);
        return out;
    }

    std::vector<Best> tried;
    const Best butterworth = search.best_for(butterworth_q, lowest_k, highest_k, coarse_ratio);
    tried.push_back(butterworth);
    Best best = butterworth;
    search.set_bound(best.rank);
    std::vector<Best> coarse;
    for (int q : coarse_qs()) {
        coarse.push_back(search.best_for(q, lowest_k, highest_k, coarse_ratio));
        tried.push_back(coarse.back());
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
            tried.push_back(f);
            if (f.better_than(local)) local = f;
        }
        return local;
    };
    for (std::size_t i = 0; i < coarse.size() && i < 3 && coarse[i].rank < never; ++i) {
        const Best step_005 = around(coarse[i], coarse[i].q <= 3000 ? 50 : 200, 50);
        const Best step_001 = around(step_005, 40, 10);
        if (step_001.better_than(best)) search.set_bound((best = step_001).rank);
    }
    std::optional<Best> chosen = sg::choose(tried);
    double lowest = never;
    for (const Best& b : tried)
        if (b.k) lowest = std::min(lowest, b.rank);
    // A lower Q than those tried may still be within the tie: down in steps
    // of 0.01 while it is.
    if (chosen && chosen->q > 710) {
        for (int q = chosen->q - 10; q >= 710; q -= 10) {
            const Best b = search.best_for(q, chosen->k * 100 / 112, chosen->k * 112 / 100 + 1, fine_ratio);
            if (!b.k || b.rank > lowest * (1 + f3_tie)) break;
            tried.push_back(b);
        }
        chosen = sg::choose(tried);
    }
    if (!chosen) {
        out.note = "No design from 1 to 1000 Hz keeps " + sg::limits_text(out, limits) + " at " + figure(in.volts, 3) +
                   " V with an f3 below 1 kHz.";
        if (const std::optional<Best> c = search.closest(); c && search.eval(c->k, c->q).peak > 1) {
            const search::Eval& e = search.eval(c->k, c->q);
            remedies(out, e.binding, e.peak, in, limits);
            out.safe_volts = in.volts / e.peak;
            out.note += " At " + figure(*out.safe_volts, 3) + " V or less one would." + remedy_text(out);
        }
        return out;
    }

    if (!build) {
        out.design = sg::design_of(search, chosen->k, chosen->q, search.path(chosen->k, chosen->q),
                                   search.eval(chosen->k, chosen->q), "exact");
        if (butterworth.k)
            out.butterworth = sg::design_of(search, butterworth.k, butterworth_q, search.path(butterworth.k, butterworth_q),
                                            search.eval(butterworth.k, butterworth_q), "exact");
    } else {
        sg::Builder builder(search, *build);
        const std::optional<Best> held = builder.best_near(*chosen, false, lowest);
        if (!held) {
            const std::optional<sg::Builder::Built>& b = builder.built(chosen->k, chosen->q);
            out.note = "No design near " + sg::tenths_text(chosen->k) + " Hz, Q " + sg::q_text(chosen->q) + " keeps " +
                       sg::limits_text(out, limits) + " at " + figure(in.volts, 3) + " V as built with " + out.parts +
                       " parts at every tolerance corner, though the exact design does: finer parts or tighter " +
                       "tolerances would.";
            if (b && b->eval.peak > 1) {
                remedies(out, b->eval.binding, b->eval.peak, in, limits);
                out.safe_volts = in.volts / b->eval.peak;
                out.note += " At " + figure(*out.safe_volts, 3) + " V or less it would hold." + remedy_text(out);
            }
            return out;
        }
        const sg::Builder::Built& b = *builder.built(held->k, held->q);
        out.design = sg::design_of(search, held->k, held->q, b.path, b.eval, out.parts);
        if (butterworth.k)
            if (const std::optional<Best> bw = builder.best_near(butterworth, true, never)) {
                const sg::Builder::Built& bb = *builder.built(bw->k, bw->q);
                out.butterworth = sg::design_of(search, bw->k, bw->q, bb.path, bb.eval, out.parts);
            }
    }

    bool plain_keeps_all = true;
    for (double f : search.hz()) plain_keeps_all = plain_keeps_all && search.unfiltered(f).value <= 1;
    out.note = sg::success_note(out, in, limits, plain_keeps_all);
    return out;
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

Suggestion suggest(const Inputs& inputs) { return run(inputs, nullptr, as_built::Tolerance{}); }

Suggestion suggest(const Inputs& inputs, const Build& build) { return run(inputs, &build, build.options.tolerance); }

}  // namespace vandrel::speaker
