// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search behind the suggested filter: designs on the main window's
// lattice (frequency k/10 Hz, Q q/1000), each worked out once, and the best
// frequency for one Q.

#include <limits>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "drive.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker::search {

/// Design frequencies are k/10 Hz for k from 10 to 10000.
inline constexpr int lowest_k = 10, highest_k = 10000;
/// Q in thousandths: 707 is Butterworth.
inline constexpr int butterworth_q = 707;
inline constexpr double never = std::numeric_limits<double>::infinity();

/// How one design does.
struct Eval {
    double peak = 0;           ///< highest excursion, mm (only a lower bound far above Xmax)
    bool safe = false;         ///< the peak is at or below Xmax
    double rank = never;       ///< f3 for comparison: 0 below 1 Hz; infinite when unsafe or never reached
    std::optional<double> f3;  ///< Hz
};

/// A design and its rank; the lower rank wins, then the lower Q, then the lower frequency.
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
    explicit Search(const Inputs& inputs);

    const System& system() const { return system_; }
    const Drive& plain() const { return plain_; }
    std::span<const double> hz() const { return hz_; }
    /// The unfiltered pressure (Pa) and excursion (mm) on the grid.
    std::span<const double> pressure() const { return pressure_; }
    std::span<const double> excursion() const { return excursion_; }
    /// The pass band less 3 dB, Pa.
    double threshold() const { return threshold_; }

    /// How design (k, q) does, worked out once.
    const Eval& eval(int k, int q);

    /// The best frequency for Q q from k_lo to k_hi: scanned in steps of
    /// `ratio`; every safe stretch followed down to its lowest safe
    /// frequency, every dip of the excursion close to Xmax searched for a
    /// safe design, and the lowest f3 of the scan refined between its
    /// neighbours. None (k 0) when nothing there is safe.
    Best best_for(int q, int k_lo, int k_hi, double ratio);

    /// The f3 to beat, Hz: a scan stops where the filter alone keeps the
    /// system below the pass band less 3 dB up to it.
    void set_bound(double rank) { bound_ = rank; }

    /// The filter path of design (k, q).
    as_built::PathParts path(int k, int q) const;

private:
    Eval work_out(int k, int q);
    int lowest_safe(int q, int unsafe_k, int safe_k);
    Best lowest_f3_in(int q, int a, int b);
    int lowest_peak(int q, int a, int b);
    void consider(Best& best, int k, int q);
    bool beyond_bound(int k, int q) const;

    const Inputs& in_;
    System system_;
    Drive plain_;
    std::span<const double> hz_;
    double threshold_ = 0;
    double highest_pressure_ = 0;  // unfiltered, on the grid, Pa
    double bound_ = never;
    std::vector<double> pressure_, excursion_, h_, scratch_;
    std::unordered_map<long long, Eval> cache_;
};

}  // namespace vandrel::speaker::search
