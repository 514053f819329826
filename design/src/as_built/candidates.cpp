// SPDX-License-Identifier: GPL-3.0-or-later
#include "candidates.h"

#include <algorithm>
#include <limits>

#include "vandrel/as_built/ranges.h"

namespace vandrel::as_built {
namespace {

double joined(double big, double small, Combine combine) {
    return combine == Combine::series ? big + small : big * small / (big + small);
}

void add_pair(std::vector<Candidate>& out, double a, double b, Combine combine, const PairRule& rule) {
    const double big = std::max(a, b), small = std::min(a, b);
    if (!resistors_made.holds(big) || !resistors_made.holds(small)) return;
    const double value = joined(big, small, combine);
    if (rule.admits(big, small, value)) out.push_back({big, small, value});
}

// Calls f with every value of the series from lo to hi. A bound beyond the
// range of a double (twice a resistor of 1E308 kOhm) ends at its end, where
// the series' values become infinite.
template <class F>
void for_values(ESeries s, double lo, double hi, F f) {
    if (!(lo > 0) || !(hi >= lo) || !std::isfinite(lo)) return;
    hi = std::min(hi, std::numeric_limits<double>::max());
    int k = index_at_or_below(s, lo);
    if (preferred_value(s, k) < lo) ++k;
    for (; preferred_value(s, k) <= hi; ++k) f(preferred_value(s, k));
}

}  // namespace

// Only parts that are made are candidates (ranges.h); the range's ends are
// values of every series, so a target within it always has one.

// The single parts on either side of `target`, and with `series` or
// `parallel` every pair the rule admits whose joint value lies next to it:
// for each first part that leaves room, the two values around what the
// second must be.
std::vector<Candidate> candidates_around(ESeries s, double target, Combine combine, const PairRule& rule) {
    std::vector<Candidate> out;
    const int k = index_at_or_below(s, target);
    for (int j = k - 1; j <= k + 2; ++j)
        if (resistors_made.holds(preferred_value(s, j))) out.push_back({preferred_value(s, j), 0, preferred_value(s, j)});
    const auto around = [&](double a, double rest) {
        // What the second part must be, where it is a number at all.
        if (!(rest > 0) || !std::isfinite(rest)) return;
        const int m = index_at_or_below(s, rest);
        for (int i : {m, m + 1}) add_pair(out, a, preferred_value(s, i), combine, rule);
    };
    if (combine == Combine::series)
        for_values(s, preferred_value(s, index_at_or_below(s, target / 2)), target, [&](double a) {
            if (a < target) around(a, target - a);
        });
    else if (combine == Combine::parallel)
        for_values(s, target, preferred_value(s, index_at_or_below(s, 2 * target) + 1), [&](double a) {
            if (a > target) around(a, 1 / (1 / target - 1 / a));
        });
    return out;
}

// The rule for a resistor of `target` kOhm with resistors within `tol`
// (relative).
PairRule pair_rule(ESeries s, double target, Combine combine, double tol) {
    PairRule rule{target, 0, tol, close_ratio};
    rule.single_off = rule.off(nearest_value(s, target));
    // A single part within the tolerance leaves no pair anything to beat it
    // by; else the pairs may be wider apart only when no pair within 100:1
    // comes within the tolerance either.
    if (combine == Combine::single || rule.single_off <= tol) return rule;
    const PairRule close{target, INFINITY, -INFINITY, close_ratio};
    for (const Candidate& c : candidates_around(s, target, combine, close))
        if (c.count() == 2 && rule.off(c.value) <= tol) return rule;
    rule.widest = widest_ratio;
    return rule;
}

// Every single part and every pair the rule admits whose joint value lies
// from lo to hi.
std::vector<Candidate> candidates_between(ESeries s, double lo, double hi, Combine combine, const PairRule& rule) {
    std::vector<Candidate> out;
    for_values(s, lo, hi, [&](double v) {
        if (resistors_made.holds(v)) out.push_back({v, 0, v});
    });
    if (combine == Combine::series)
        for_values(s, lo / 2, hi, [&](double a) {
            for_values(s, std::max(lo - a, a / rule.widest), std::min(hi - a, a),
                       [&](double b) { add_pair(out, a, b, combine, rule); });
        });
    else if (combine == Combine::parallel)
        for_values(s, lo, 2 * hi, [&](double a) {
            const double most = 1 / hi - 1 / a > 0 ? 1 / (1 / hi - 1 / a) : INFINITY;
            for_values(s, std::max(1 / (1 / lo - 1 / a), a), std::min(most, a * rule.widest),
                       [&](double b) { add_pair(out, a, b, combine, rule); });
        });
    return out;
}

}  // namespace vandrel::as_built
