// SPDX-License-Identifier: GPL-3.0-or-later
#include "search.h"

#include <algorithm>
#include <cmath>

#include "curve.h"
#include "vandrel/speaker/suggest.h"

namespace vandrel::speaker::search {

Search::Search(const Inputs& in)
    : in_(in), system_(in.driver, in.box), plain_(system_, in.volts, nullptr), hz_(grid_hz()) {
    threshold_ = plain_.passband_pressure() * std::pow(10.0, -3.0 / 20);
    pressure_.resize(hz_.size());
    excursion_.resize(hz_.size());
    for (std::size_t i = 0; i < hz_.size(); ++i) {
        const Sample s = plain_.at(hz_[i]);
        pressure_[i] = s.pressure;
        excursion_[i] = s.excursion_mm;
        highest_pressure_ = std::max(highest_pressure_, s.pressure);
    }
    h_.resize(hz_.size());
    scratch_.resize(hz_.size());
}

as_built::PathParts Search::path(int k, int q) const { return with_section(in_.filter, k / 10.0, q / 1000.0); }

const Eval& Search::eval(int k, int q) {
    const long long key = static_cast<long long>(k) * 20000 + q;
    if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
    return cache_[key] = work_out(k, q);
}

Eval Search::work_out(int k, int q) {
    const FilterShape shape(path(k, q));
    const Drive drive(system_, in_.volts, &shape);
    const double xmax = in_.driver.xmax;
    Eval e;
    // Far beyond Xmax the exact peak does not matter: stop at the first point there.
    for (std::size_t i = 0; i < hz_.size(); ++i) {
        h_[i] = shape.relative(hz_[i]);
        scratch_[i] = excursion_[i] * h_[i];
        e.peak = std::max(e.peak, scratch_[i]);
        if (e.peak > 1.5 * xmax) return e;
    }
    if (e.peak >= 0.98 * xmax)
        e.peak = curve::highest(hz_, scratch_, [&](double f) { return drive.at(f).excursion_mm; }).value;
    e.safe = e.peak <= xmax;
    if (!e.safe) return e;
    for (std::size_t i = 0; i < hz_.size(); ++i) scratch_[i] = pressure_[i] * h_[i];
    e.f3 = curve::rising_through(hz_, scratch_, threshold_, [&](double f) { return drive.at(f).pressure; });
    e.rank = e.f3 ? *e.f3 : scratch_[0] >= threshold_ ? 0 : never;
    return e;
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

// Where from a to b the peak excursion is lowest, taken as one dip.
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
    const double xmax = in_.driver.xmax;
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
        } else if (e.peak < 1.1 * xmax && i > 0 && i + 1 < ks.size() && e.peak <= eval(ks[i - 1], q).peak &&
                   e.peak <= eval(ks[i + 1], q).peak && !eval(ks[i + 1], q).safe) {
            // A dip close to Xmax between scan points may hold a safe design.
            const int low = lowest_peak(q, ks[i - 1], ks[i + 1]);
            if (eval(low, q).safe) keep(best, lowest_f3_in(q, lowest_safe(q, ks[i - 1], low), low));
        }
    }
    // f3 may be lowest between the best scan point's neighbours.
    if (top) keep(best, lowest_f3_in(q, ks[*top > 0 ? *top - 1 : 0], ks[std::min(*top + 1, ks.size() - 1)]));
    return best;
}

}  // namespace vandrel::speaker::search
