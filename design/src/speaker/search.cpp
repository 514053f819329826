// SPDX-License-Identifier: GPL-3.0-or-later
#include "search.h"

#include <algorithm>
#include <cmath>

#include "curve.h"
#include "vandrel/as_built/corners.h"
#include "vandrel/as_built/levels.h"
#include "vandrel/speaker/suggest.h"

namespace vandrel::speaker::search {
namespace {

// Whether two paths share every part but the section's.
bool same_stages(const as_built::PathParts& a, const as_built::PathParts& b) {
    return a.c_in == b.c_in && a.r_in == b.r_in && a.r1 == b.r1 && a.r_feedback == b.r_feedback &&
           a.c_feedback == b.c_feedback;
}

// The highest level of a section of this Q, over all frequencies.
double section_peak(double q) { return 2 * q * q > 1 ? q / std::sqrt(1 - 1 / (4 * q * q)) : 1; }

}  // namespace

Search::Search(const Inputs& in, const as_built::Tolerance& tolerance)
    : in_(in),
      tolerance_(tolerance),
      system_(in.driver, in.box),
      plain_(system_, in.volts, nullptr),
      limits_(limit_values(in)),
      amplifier_cap_(limits_.amp_v * std::pow(10.0, amplifier_tolerance_db / 20)),
      hz_(grid_hz()),
      base_(in.filter) {
    electric_ = {in.volts / amplifier_cap_, Limit::amplifier};
    if (limits_.thermal_v && in.volts / *limits_.thermal_v > electric_.value)
        electric_ = {in.volts / *limits_.thermal_v, Limit::thermal};
    threshold_ = plain_.passband_pressure() * std::pow(10.0, -3.0 / 20);
    pressure_.resize(hz_.size());
    excursion_.resize(hz_.size());
    unit_.resize(hz_.size());
    unit_sq_.resize(hz_.size());
    for (std::size_t i = 0; i < hz_.size(); ++i) {
        const Sample s = plain_.at(hz_[i]);
        pressure_[i] = s.pressure;
        excursion_[i] = s.excursion_mm;
        highest_pressure_ = std::max(highest_pressure_, s.pressure);
        unit_[i] = acoustic(hz_[i]);
        unit_sq_[i] = unit_[i].value * unit_[i].value;
    }
    const as_built::Stages stages(base_);
    n_.resize(hz_.size());
    h_.resize(hz_.size());
    w_sq_.resize(hz_.size());
    for (std::size_t i = 0; i < hz_.size(); ++i) w_sq_[i] = as_built::Stages::omega_sq(hz_[i]);
    for (std::size_t i = 0; i < hz_.size(); ++i) n_[i] = std::pow(stages.buffer(hz_[i]) / stages.buffer_gain(), 2);
    scratch_.resize(hz_.size());
}

Ratio Search::acoustic(double hz) const {
    const Sample s = plain_.at(hz);
    Ratio r{s.excursion_mm / limits_.xmax_mm, Limit::xmax};
    if (limits_.port_limit_ms && s.port_velocity / *limits_.port_limit_ms > r.value)
        r = {s.port_velocity / *limits_.port_limit_ms, Limit::port};
    return r;
}

Ratio Search::unfiltered(double hz) const {
    const Ratio a = acoustic(hz);
    return electric_.value >= a.value ? electric_ : a;
}

as_built::PathParts Search::path(int k, int q) const { return with_section(in_.filter, k / 10.0, q / 1000.0); }

std::span<const double> Search::non_section(const as_built::PathParts& p) {
    if (same_stages(p, base_)) return n_;
    const as_built::Stages stages(p);
    n_other_.resize(hz_.size());
    for (std::size_t i = 0; i < hz_.size(); ++i) n_other_[i] = std::pow(stages.buffer(hz_[i]) / stages.buffer_gain(), 2);
    return n_other_;
}

Ratio Search::worst(const as_built::PathParts& p, std::span<const double> n_sq) {
    const as_built::Stages stages(p);
    // The cone and the port on the grid, and h there, squared.
    std::size_t top = 0, h_top = 0;
    for (std::size_t i = 0; i < hz_.size(); ++i) {
        h_[i] = n_sq[i] * stages.section_sq_at(w_sq_[i]);
        scratch_[i] = h_[i] * unit_sq_[i];
        if (scratch_[i] > scratch_[top]) top = i;
        if (h_[i] > h_[h_top]) h_top = i;
        // Far beyond a limit the exact peak does not matter.
        if (scratch_[i] > 1.5 * 1.5) return {std::sqrt(scratch_[i]), unit_[i].limit};
    }
    std::optional<FilterShape> shape;
    Ratio r{std::sqrt(scratch_[top]), unit_[top].limit};
    // Between grid points 1.2 % apart, a maximum rises well under 2 % above them.
    if (r.value >= 0.98) {
        for (double& v : scratch_) v = std::sqrt(v);
        shape.emplace(p);
        const curve::Point peak =
            curve::highest(hz_, scratch_, [&](double f) { return shape->relative(f) * acoustic(f).value; });
        r = {peak.value, acoustic(peak.hz).limit};
    }
    // The amplifier and the voice coil: the highest h. The section's own
    // peak bounds it (the other stages stay at or below their pass band):
    // only where that bound breaks their limit does h need refining.
    double h = std::sqrt(h_[h_top]);
    if (section_peak(as_built::section_of(p).q) * electric_.value > 1) {
        for (double& v : h_) v = std::sqrt(v);
        if (!shape) shape.emplace(p);
        h = curve::highest(hz_, h_, [&](double f) { return shape->relative(f); }).value;
    }
    if (h * electric_.value > r.value) r = {h * electric_.value, electric_.limit};
    return r;
}

// Over every corner at once: on the grid, the section's level is at most
// w^2 / sqrt(d^2 + w^2 a^2) with d the least |w0^2 - w^2| and a the least
// damping over the corners' ranges; where even that keeps the cone and the
// port 2 % below their limits, so does every corner, between grid points
// too. The amplifier and the voice coil see at most the peak of the highest
// Q (the other stages stay at or below their pass band).
bool Search::within_bound(const as_built::PathParts& p, std::span<const double> n_sq, Eval& e) const {
    const double r = tolerance_.r_pct / 100, c = tolerance_.c_pct / 100;
    const double electric = section_peak(as_built::section_of(p).q * std::sqrt((1 + r) / (1 - r))) * electric_.value;
    if (electric > 1) return false;
    const double w0_sq = 1 / (p.c1 * p.c2 * p.r3 * p.r4);
    const double low = w0_sq / ((1 + c) * (1 + c) * (1 + r) * (1 + r));
    const double high = w0_sq / ((1 - c) * (1 - c) * (1 - r) * (1 - r));
    const double a = (p.c1 + p.c2) / (p.c1 * p.c2 * p.r4) / ((1 + c) * (1 + r));
    double worst = 0;
    std::size_t at = 0;
    for (std::size_t i = 0; i < hz_.size(); ++i) {
        const double w_sq = w_sq_[i];
        const double d = w_sq < low ? low - w_sq : w_sq > high ? w_sq - high : 0;
        const double ratio_sq = n_sq[i] * w_sq * w_sq / (d * d + w_sq * a * a) * unit_sq_[i];
        if (ratio_sq > worst) {
            worst = ratio_sq;
            at = i;
        }
    }
    worst = std::sqrt(worst);
    if (worst > 0.98) return false;
    const Ratio bound = electric > worst ? electric_ : unit_[at];
    if (std::max(worst, electric) > e.peak) {
        e.peak = std::max(worst, electric);
        e.binding = bound.limit;
    }
    return true;
}

Eval Search::work_out(const as_built::PathParts& nominal) {
    const std::span<const double> n_sq = non_section(nominal);
    Eval e;
    const auto check = [&](const as_built::PathParts& p) {
        const Ratio r = worst(p, n_sq);
        if (r.value > e.peak) {
            e.peak = r.value;
            e.binding = r.limit;
        }
        return e.peak <= 1;
    };
    if (!check(nominal)) return e;
    if ((tolerance_.r_pct > 0 || tolerance_.c_pct > 0) && !within_bound(nominal, n_sq, e))
        for (const as_built::PathParts& corner :
             as_built::tolerance_corners(nominal, tolerance_.r_pct, tolerance_.c_pct))
            if (!check(corner)) return e;
    e.safe = true;
    const FilterShape shape(nominal);
    const as_built::Stages stages(nominal);
    for (std::size_t i = 0; i < hz_.size(); ++i)
        scratch_[i] = pressure_[i] * std::sqrt(n_sq[i] * stages.section_sq_at(w_sq_[i]));
    const Drive drive(system_, in_.volts, &shape);
    e.f3 = curve::rising_through(hz_, scratch_, threshold_, [&](double f) { return drive.at(f).pressure; });
    e.rank = e.f3 ? *e.f3 : scratch_[0] >= threshold_ ? 0 : never;
    return e;
}

Eval Search::eval_path(const as_built::PathParts& nominal) { return work_out(nominal); }

const Eval& Search::eval(int k, int q) {
    const long long key = static_cast<long long>(k) * 20000 + q;
    if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
    return cache_[key] = work_out(path(k, q));
}

std::optional<Best> Search::closest() const {
    std::optional<Best> out;
    double lowest = never;
    long long lowest_key = 0;
    for (const auto& [key, e] : cache_)
        if (!out || e.peak < lowest || (e.peak == lowest && key < lowest_key)) {
            lowest = e.peak;
            lowest_key = key;
            out = Best{static_cast<int>(key / 20000), static_cast<int>(key % 20000), e.rank};
        }
    return out;
}

// Below its peak the filter's level rises with frequency and falls as its
// frequency rises. Where it is so low at the bound that even the highest
// unfiltered pressure (2 % added for points between the grid's) stays below
// the pass band less 3 dB, the SPL is below it everywhere up to the bound:
// f3 is higher, here and at every higher frequency of this Q.
bool Search::beyond_bound(int k, int q) const {
    if (bound_ == never || bound_ <= 0) return false;
    return FilterShape(path(k, q)).relative(bound_) * highest_pressure_ * 1.02 < threshold_;
}

void Search::consider(Best& best, int k, int q) {
    const Best c{k, q, eval(k, q).rank};
    if (eval(k, q).safe && c.better_than(best)) best = c;
}

// Bisection between an unsafe and a safe frequency.
int Search::lowest_safe(int q, int unsafe_k, int safe_k) {
    while (safe_k - unsafe_k > 1) {
        const int mid = unsafe_k + (safe_k - unsafe_k) / 2;
        (eval(mid, q).safe ? safe_k : unsafe_k) = mid;
    }
    return safe_k;
}

// Where from a to b f3 is lowest, taken as one valley (unsafe counts as infinite).
Best Search::lowest_f3_in(int q, int a, int b) {
    while (b - a > 2) {
        const int m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (eval(m1, q).rank <= eval(m2, q).rank)
            b = m2;
        else
            a = m1;
    }
    Best best;
    for (int i = a; i <= b; ++i) consider(best, i, q);
    return best;
}

// Where from a to b the peak is lowest, taken as one dip.
int Search::lowest_peak(int q, int a, int b) {
    while (b - a > 2) {
        const int m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
        if (eval(m1, q).peak <= eval(m2, q).peak)
            b = m2;
        else
            a = m1;
    }
    int low = a;
    for (int i = a + 1; i <= b; ++i)
        if (eval(i, q).peak < eval(low, q).peak) low = i;
    return low;
}

Best Search::best_for(int q, int k_lo, int k_hi, double ratio) {
    k_lo = std::clamp(k_lo, lowest_k, highest_k);
    k_hi = std::clamp(k_hi, k_lo, highest_k);
    std::vector<int> ks;
    for (int k = k_lo; k < k_hi; k = std::max(k + 1, static_cast<int>(std::lround(k * ratio)))) ks.push_back(k);
    ks.push_back(k_hi);
    const auto keep = [](Best& best, const Best& b) {
        if (b.better_than(best)) best = b;
    };
    Best best;
    std::optional<std::size_t> top;  // the scan point with the lowest f3
    for (std::size_t i = 0; i < ks.size(); ++i) {
        if (beyond_bound(ks[i], q)) {
            ks.resize(i + (i + 1 < ks.size()));  // one more scan point as the last one's neighbour
            break;
        }
        const Eval& e = eval(ks[i], q);
        if (e.safe) {
            // A safe stretch starts between the last scan point and this one.
            if (i > 0 && !eval(ks[i - 1], q).safe) keep(best, lowest_f3_in(q, lowest_safe(q, ks[i - 1], ks[i]), ks[i]));
            if (!top || e.rank < eval(ks[*top], q).rank) top = i;
        } else if (e.peak < 1.1 && i > 0 && i + 1 < ks.size() && e.peak <= eval(ks[i - 1], q).peak &&
                   e.peak <= eval(ks[i + 1], q).peak && !eval(ks[i + 1], q).safe) {
            // A dip close to the limits between scan points may hold a safe design.
            const int low = lowest_peak(q, ks[i - 1], ks[i + 1]);
            if (eval(low, q).safe) keep(best, lowest_f3_in(q, lowest_safe(q, ks[i - 1], low), low));
        }
    }
    // f3 may be lowest between the best scan point's neighbours.
    if (top) keep(best, lowest_f3_in(q, ks[*top > 0 ? *top - 1 : 0], ks[std::min(*top + 1, ks.size() - 1)]));
    return best;
}

}  // namespace vandrel::speaker::search
