// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search behind the suggested filter: designs on the main window's
// lattice (frequency k/10 Hz, Q q/1000), each worked out once, and the best
// frequency for one Q.
//
// A design keeps its limits when, at the drive and at every frequency on
// the grid (refined between grid points near a limit), at its nominal
// parts and at every tolerance corner, the cone stays within Xmax, full
// scale through the filter within the amplifier's most (plus
// amplifier_tolerance_db) and within sqrt(Pe Re) where Pe is known, and the
// port's air within its limit where a port diameter is given. Each limit's
// level over the limit is its ratio; the design's peak is the highest.

#include <limits>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "drive.h"
#include "vandrel/as_built/tolerance.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker::search {

/// Design frequencies are k/10 Hz for k from 10 to 10000.
inline constexpr int lowest_k = 10, highest_k = 10000;
/// Q in thousandths: 707 is Butterworth.
inline constexpr int butterworth_q = 707;
inline constexpr double never = std::numeric_limits<double>::infinity();

/// How one design does.
struct Eval {
    /// Highest ratio to a limit over the corners: only a lower bound far
    /// above 1, and an upper bound well below it.
    double peak = 0;
    Limit binding = Limit::xmax;  ///< the limit of that ratio
    bool safe = false;          ///< the peak is at most 1
    double rank = never;        ///< f3 for comparison: 0 below 1 Hz; infinite when unsafe or never reached
    std::optional<double> f3;   ///< Hz
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

/// A limit's ratio at one frequency.
struct Ratio {
    double value = 0;
    Limit limit = Limit::xmax;
};

class Search {
public:
    /// Designs checked at the corners of `tolerance` (r_pct, c_pct).
    Search(const Inputs& inputs, const as_built::Tolerance& tolerance);

    const Inputs& inputs() const { return in_; }
    const as_built::Tolerance& tolerance() const { return tolerance_; }
    const LimitValues& limits() const { return limits_; }
    const System& system() const { return system_; }
    const Drive& plain() const { return plain_; }
    std::span<const double> hz() const { return hz_; }
    /// The unfiltered pressure (Pa) and excursion (mm) on the grid.
    std::span<const double> pressure() const { return pressure_; }
    std::span<const double> excursion() const { return excursion_; }
    /// The pass band less 3 dB, Pa.
    double threshold() const { return threshold_; }
    /// The highest ratio to a limit without the filter at f Hz (h = 1).
    Ratio unfiltered(double hz) const;
    /// The same of the cone and the port alone.
    Ratio acoustic(double hz) const;
    std::size_t designs_worked_out() const { return cache_.size(); }

    /// How design (k, q) with exact resistors does, worked out once.
    const Eval& eval(int k, int q);
    /// How a path does, with its corners.
    Eval eval_path(const as_built::PathParts& nominal);

    /// The best frequency for Q q from k_lo to k_hi: scanned in steps of
    /// `ratio`; every safe stretch followed down to its lowest safe
    /// frequency, every dip of the peak close to 1 searched for a safe
    /// design, and the lowest f3 of the scan refined between its
    /// neighbours. None (k 0) when nothing there is safe.
    Best best_for(int q, int k_lo, int k_hi, double ratio);

    /// The f3 to beat, Hz: a scan stops where the filter alone keeps the
    /// system below the pass band less 3 dB up to it.
    void set_bound(double rank) { bound_ = rank; }

    /// The filter path of design (k, q) with exact resistors.
    as_built::PathParts path(int k, int q) const;

    /// The design nearest to keeping its limits of those worked out: the
    /// lowest peak.
    std::optional<Best> closest() const;

private:
    // The highest ratio over the grid of one path (early out above 1.5),
    // refined near 1.
    Ratio worst(const as_built::PathParts& p, std::span<const double> n_sq);
    // The level of the stages but the section, squared, on the grid.
    std::span<const double> non_section(const as_built::PathParts& p);
    bool within_bound(const as_built::PathParts& p, std::span<const double> n_sq, Eval& e) const;
    Eval work_out(const as_built::PathParts& nominal);
    int lowest_safe(int q, int unsafe_k, int safe_k);
    Best lowest_f3_in(int q, int a, int b);
    int lowest_peak(int q, int a, int b);
    void consider(Best& best, int k, int q);
    bool beyond_bound(int k, int q) const;

    const Inputs& in_;
    as_built::Tolerance tolerance_;
    System system_;
    Drive plain_;
    LimitValues limits_;
    double amplifier_cap_ = 0;     // the amplifier's most with its tolerance, V
    std::span<const double> hz_;
    double threshold_ = 0;
    double highest_pressure_ = 0;  // unfiltered, on the grid, Pa
    double bound_ = never;
    std::vector<double> pressure_, excursion_;
    std::vector<Ratio> unit_;       // the highest ratio of the cone and the port for h = 1 on the grid
    std::vector<double> unit_sq_;   // its square
    Ratio electric_;                // the amplifier's or the voice coil's ratio for h = 1
    as_built::PathParts base_;      // whose non-section stages n_ holds
    std::vector<double> w_sq_, n_, n_other_, h_, scratch_;  // n_: the non-section stages' h, squared
    std::unordered_map<long long, Eval> cache_;
};

}  // namespace vandrel::speaker::search
