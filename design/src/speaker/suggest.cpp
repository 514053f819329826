// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/suggest.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

#include "curve.h"
#include "drive.h"
#include "vandrel/as_built/parts_text.h"

namespace vandrel::speaker {
namespace {

using as_built::figure;

// Design frequencies are k/10 Hz for k from 10 to 10000; Q values are
// thousandths, 707 for Butterworth and 710 to 10000 in steps of 10.
constexpr int lowest_k = 10, highest_k = 10000;
constexpr int butterworth_q = 707;
constexpr double never = std::numeric_limits<double>::infinity();

// Solve's 2 pi, so that the section is the one Solve designs.
constexpr double solve_two_pi = 6.2831853;

struct Eval {
    bool safe = false;
    double rank = never;  // f3 for comparison: 0 below 1 Hz, infinite when unsafe or never reached
    std::optional<double> f3;
};

struct Best {
    int k = 0;
    int q = 0;
    double rank = never;
    bool better_than(const Best& o) const {
        if (rank != o.rank) return rank < o.rank;
        return q != o.q ? q < o.q : k < o.k;
    }
};

class Search {
public:
    explicit Search(const Inputs& in)
        : in_(in), system_(in.driver, in.box), plain_(system_, in.volts, nullptr), hz_(grid_hz()) {
        threshold_ = plain_.passband_pressure() * std::pow(10.0, -3.0 / 20);
        pressure_.resize(hz_.size());
        excursion_.resize(hz_.size());
        for (std::size_t i = 0; i < hz_.size(); ++i) {
            const Sample s = plain_.at(hz_[i]);
            pressure_[i] = s.pressure;
            excursion_[i] = s.excursion_mm;
        }
        h_.resize(hz_.size());
        scratch_.resize(hz_.size());
    }

    const System& system() const { return system_; }
    const Drive& plain() const { return plain_; }
    std::span<const double> hz() const { return hz_; }
    std::span<const double> pressure() const { return pressure_; }
    std::span<const double> excursion() const { return excursion_; }
    double threshold() const { return threshold_; }

    // How design (k, q) does, worked out once.
    const Eval& eval(int k, int q) {
        const long long key = static_cast<long long>(k) * 20000 + q;
        if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
        return cache_[key] = work_out(k, q);
    }

    double rank(int k, int q) { return eval(k, q).rank; }

    // The best frequency for Q q: the lowest safe one, then on to where f3
    // is lowest, which a peaking Q may put higher up.
    Best best_for(int q) {
        if (!eval(highest_k, q).safe) return {};
        int safe_k = lowest_k;
        if (!eval(lowest_k, q).safe) {
            int lo = lowest_k, hi = highest_k;  // lo unsafe, hi safe
            while (hi - lo > 1) {
                const int mid = lo + (hi - lo) / 2;
                (eval(mid, q).safe ? hi : lo) = mid;
            }
            safe_k = hi;
        }
        Best best{safe_k, q, rank(safe_k, q)};
        // Steps doubling while f3 falls, then a ternary search between.
        int before = safe_k, step = 1;
        while (best.k + step <= highest_k && rank(best.k + step, q) < best.rank) {
            before = best.k;
            best = {best.k + step, q, rank(best.k + step, q)};
            step *= 2;
        }
        int a = before, b = std::min(best.k + step, highest_k);
        while (b - a > 2) {
            const int m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
            if (rank(m1, q) <= rank(m2, q))
                b = m2;
            else
                a = m1;
        }
        for (int k = a; k <= b; ++k) {
            const Best c{k, q, rank(k, q)};
            if (c.better_than(best)) best = c;
        }
        return best;
    }

    as_built::PathParts path(int k, int q) const { return with_section(in_.filter, k / 10.0, q / 1000.0); }

private:
    Eval work_out(int k, int q) {
        const FilterShape shape(path(k, q));
        const Drive drive(system_, in_.volts, &shape);
        const auto excursion = [&](double f) { return drive.at(f).excursion_mm; };
        double top = 0;
        for (std::size_t i = 0; i < hz_.size(); ++i) {
            h_[i] = shape.relative(hz_[i]);
            scratch_[i] = excursion_[i] * h_[i];
            top = std::max(top, scratch_[i]);
        }
        const double xmax = in_.driver.xmax;
        if (top > xmax) return {};
        if (top >= 0.98 * xmax && curve::highest(hz_, scratch_, excursion).value > xmax) return {};
        for (std::size_t i = 0; i < hz_.size(); ++i) scratch_[i] = pressure_[i] * h_[i];
        Eval e;
        e.safe = true;
        e.f3 = curve::rising_through(hz_, scratch_, threshold_, [&](double f) { return drive.at(f).pressure; });
        e.rank = e.f3 ? *e.f3 : scratch_[0] >= threshold_ ? 0 : never;
        return e;
    }

    const Inputs& in_;
    System system_;
    Drive plain_;
    std::span<const double> hz_;
    double threshold_ = 0;
    std::vector<double> pressure_, excursion_, h_, scratch_;
    std::unordered_map<long long, Eval> cache_;
};

std::string tenths_text(int k) {
    return std::to_string(k / 10) + (k % 10 ? "." + std::to_string(k % 10) : std::string());
}

std::string q_text(int q) {
    if (q == butterworth_q) return std::string(butterworth_q_text);
    std::string text = std::to_string(q / 1000) + "." + std::to_string(q / 100 % 10) + std::to_string(q / 10 % 10);
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
    std::vector<double> excursion(search.hz().size());
    for (std::size_t i = 0; i < excursion.size(); ++i)
        excursion[i] = search.excursion()[i] * shape.relative(search.hz()[i]);
    const curve::Point peak =
        curve::highest(search.hz(), excursion, [&](double f) { return drive.at(f).excursion_mm; });
    d.peak_excursion_mm = peak.value;
    d.peak_excursion_hz = peak.hz;
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

    Best butterworth = search.best_for(butterworth_q);
    Best best = butterworth;
    // Q from 0.75 to 10 in steps of 0.05, then in steps of 0.01 around the three best.
    std::vector<Best> coarse;
    for (int q = 750; q <= 10000; q += 50) coarse.push_back(search.best_for(q));
    std::sort(coarse.begin(), coarse.end(), [](const Best& a, const Best& b) { return a.better_than(b); });
    for (std::size_t i = 0; i < coarse.size() && i < 3 && coarse[i].rank < never; ++i)
        for (int q = std::max(710, coarse[i].q - 40); q <= std::min(10000, coarse[i].q + 40); q += 10) {
            const Best c = search.best_for(q);
            if (c.better_than(best)) best = c;
        }
    if (!coarse.empty() && coarse.front().better_than(best)) best = coarse.front();

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
    out.note = note;
    return out;
}

}  // namespace vandrel::speaker
