// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts that may make one resistor: single values of a series, and
// pairs of them in series or in parallel, within the rules that keep a
// second part worth buying.

#include <cmath>
#include <vector>

#include "vandrel/as_built/parts.h"
#include "vandrel/as_built/preferred.h"

namespace vandrel::as_built {

// The widest two parts may be apart: 100:1, or 1000:1 where nothing within
// 100:1 comes within the tolerance.
constexpr double close_ratio = 100;
constexpr double widest_ratio = 1000;

// One or two parts and their joint value.
struct Candidate {
    double big = 0;
    double small = 0;  // 0: a single part
    double value = 0;
    int count() const { return small > 0 ? 2 : 1; }
};

// Which pairs may make one resistor: the two within `widest` of each other,
// and their value closer to `target` than the nearest single part by more
// than `tol` (relative deviations).
struct PairRule {
    double target = 1;
    double single_off = INFINITY;  // how far the nearest single part is, relative
    double tol = -INFINITY;
    double widest = widest_ratio;

    double off(double value) const { return std::abs(value / target - 1); }
    bool admits(double big, double small, double value) const {
        return small * widest >= big && single_off - off(value) > tol;
    }
};

/// The single parts on either side of `target`, and with `series` or
/// `parallel` every pair the rule admits whose joint value lies next to it.
std::vector<Candidate> candidates_around(ESeries s, double target, Combine combine, const PairRule& rule);

/// The rule for a resistor of `target` kOhm with resistors within `tol`
/// (relative).
PairRule pair_rule(ESeries s, double target, Combine combine, double tol);

/// Every single part and every pair the rule admits whose joint value lies
/// from lo to hi.
std::vector<Candidate> candidates_between(ESeries s, double lo, double hi, Combine combine, const PairRule& rule);

}  // namespace vandrel::as_built
