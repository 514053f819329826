// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/parts.h"

#include <algorithm>
#include <cmath>

#include "candidates.h"
#include "vandrel/as_built/ranges.h"

namespace vandrel::as_built {
namespace {

constexpr double feedback_kohm = 15;
// How far from their exact values R3 and R4 are sought, at most.
constexpr double widest_reach = 8;

Resistor made_of(double exact, double shown, const Candidate& c, Combine combine) {
    Resistor r{exact, shown, {c.big}, Combine::single, c.value};
    if (c.count() == 2) {
        r.chosen.push_back(c.small);
        r.combine = combine;
    }
    return r;
}

Resistor one_part(double exact, double shown, double value) { return {exact, shown, {value}, Combine::single, value}; }

// Whether error `e` with `n` parts beats `best` with `best_n`: clearly
// smaller, or as small with fewer parts.
bool better(double e, int n, double best, int best_n) {
    if (!std::isfinite(best)) return true;
    const double slack = 1e-12 * (best + 1e-300);
    return e < best - slack || (e <= best + slack && n < best_n);
}

// f3 / f0 of a section with this Q.
double f3_ratio(double q) {
    const double qq = q * q;
    return std::sqrt((1 / (2 * qq) - 1) + std::sqrt(2 - 1 / qq + 1 / (4 * qq * qq)));
}

// How far the section of R3 and R4 lies from the exact design, from the
// logarithmic errors of the two resistors (the capacitors are as typed).
struct SectionError {
    double q;
    double ln_f0(double e3, double e4) const { return -(e3 + e4) / 2; }
    double ln_q(double e3, double e4) const { return (e4 - e3) / 2; }
    double ln_f3(double e3, double e4) const {
        return ln_f0(e3, e4) + std::log(f3_ratio(q * std::exp(ln_q(e3, e4))) / f3_ratio(q));
    }
    double total(double e3, double e4) const {
        const double f0 = ln_f0(e3, e4), qe = ln_q(e3, e4), f3 = ln_f3(e3, e4);
        return f0 * f0 + qe * qe + f3 * f3;
    }
};

Candidate closest_gain(ESeries s, double exact, double gain_ratio, Combine combine, double tol) {
    const auto error = [&](double r1) { return std::abs(std::log((1 + feedback_kohm / r1) / gain_ratio)); };
    Candidate best;
    double best_error = INFINITY;
    for (const Candidate& c : candidates_around(s, exact, combine, pair_rule(s, exact, combine, tol))) {
        const double e = error(c.value);
        if (better(e, c.count(), best_error, best.count())) {
            best = c;
            best_error = e;
        }
    }
    return best;
}

std::pair<Candidate, Candidate> closest_section(ESeries s, double r3, double r4, double q, Combine combine,
                                                double tol) {
    const SectionError err{q};
    const PairRule rule3 = pair_rule(s, r3, combine, tol), rule4 = pair_rule(s, r4, combine, tol);
    const auto e_of = [](const Candidate& c, double exact) { return std::log(c.value / exact); };
    const auto closest = [&](const std::vector<Candidate>& cs, double exact) {
        return *std::min_element(cs.begin(), cs.end(), [&](const Candidate& a, const Candidate& b) {
            return std::abs(e_of(a, exact)) < std::abs(e_of(b, exact));
        });
    };
    const auto total = [&](const std::pair<Candidate, Candidate>& p) {
        return err.total(e_of(p.first, r3), e_of(p.second, r4));
    };

    // The closest value of each on its own costs (e3^2 + e4^2) / 2 in f0
    // and Q alone, which no other pair can bring lower; so the best pair
    // lies within that distance of both targets, and every pair there is
    // tried.
    std::pair best{closest(candidates_around(s, r3, combine, rule3), r3),
                   closest(candidates_around(s, r4, combine, rule4), r4)};
    double best_total = total(best);
    const double bound = 2 * best_total * (1 + 1e-9);
    // No realistic design needs more than a factor 8 (E3 single parts
    // need 2.2); designs whose parts lie beyond the range of a double would
    // ask for factors beyond it, and as many values to try.
    const double reach = std::min(std::exp(std::sqrt(bound)), widest_reach);
    const std::vector<Candidate> c3 = candidates_between(s, r3 / reach, r3 * reach, combine, rule3);
    const std::vector<Candidate> c4 = candidates_between(s, r4 / reach, r4 * reach, combine, rule4);
    for (const Candidate& a : c3) {
        const double e3 = e_of(a, r3);
        for (const Candidate& b : c4) {
            const double e4 = e_of(b, r4);
            if (e3 * e3 + e4 * e4 > bound) continue;
            const double t = err.total(e3, e4);
            if (better(t, a.count() + b.count(), best_total, best.first.count() + best.second.count())) {
                best = {a, b};
                best_total = t;
            }
        }
    }
    if (combine == Combine::single) {
        // Never worse in f3 than the nearest value of each, by difference.
        const Candidate n3{nearest_value(s, r3), 0, nearest_value(s, r3)};
        const Candidate n4{nearest_value(s, r4), 0, nearest_value(s, r4)};
        if (std::abs(err.ln_f3(e_of(n3, r3), e_of(n4, r4))) <
            std::abs(err.ln_f3(e_of(best.first, r3), e_of(best.second, r4))))
            best = {n3, n4};
    }
    return best;
}

}  // namespace

double combined_value(const std::vector<double>& parts, Combine combine) {
    if (parts.size() < 2) return parts.empty() ? 0 : parts.front();
    return combine == Combine::parallel ? parts[0] * parts[1] / (parts[0] + parts[1]) : parts[0] + parts[1];
}

CapacitorCheck check_capacitor(double uf, CapSeries from) {
    CapacitorCheck c{uf, is_value(ESeries::E6, uf), is_value(ESeries::E12, uf), nearest_value(ESeries::E6, uf),
                     nearest_value(ESeries::E12, uf), from, uf};
    if (from == CapSeries::E6) c.chosen = c.nearest_e6;
    if (from == CapSeries::E12) c.chosen = c.nearest_e12;
    return c;
}

PartsList choose_parts(const Module1& d, PartSource source, Combine combine, CapSeries cap, double r_tol_pct) {
    PartsList out;
    require_made("C", d.cfilter, true);
    out.c = check_capacitor(d.cfilter, cap);
    // The section's resistors go inversely with the capacitors bought.
    const double scale = out.c.chosen == d.cfilter ? 1 : d.cfilter / out.c.chosen;
    const double r3 = d.xc / (d.q * 2) * scale, r4 = (d.xc * 2) * d.q * scale;
    const double tol = r_tol_pct / 100;
    // A gain whose ratio is 1 in double precision is a follower too.
    const double gain_ratio = std::pow(10.0, d.gain / 20);
    const bool follower = !(d.gain > 0) || gain_ratio - 1 == 0;
    const double r1 = follower ? 0 : feedback_kohm / (gain_ratio - 1);
    // Part choice searches the series around each value: only values that
    // parts come in are searched for.
    if (!follower) require_made("R1", r1, false);
    require_made("R3", r3, false);
    require_made("R4", r4, false);

    switch (source.kind) {
    case PartSource::Kind::exact:
        if (!follower) out.r1 = one_part(r1, d.r1, r1);
        out.r3 = one_part(r3, d.r3, r3);
        out.r4 = one_part(r4, d.r4, r4);
        break;
    case PartSource::Kind::shown:
        if (!follower) out.r1 = one_part(r1, d.r1, d.r1);
        out.r3 = one_part(r3, d.r3, d.r3);
        out.r4 = one_part(r4, d.r4, d.r4);
        break;
    case PartSource::Kind::series: {
        if (!follower)
            out.r1 = made_of(r1, d.r1, closest_gain(source.series, r1, gain_ratio, combine, tol), combine);
        const auto [c3, c4] = closest_section(source.series, r3, r4, d.q, combine, tol);
        out.r3 = made_of(r3, d.r3, c3, combine);
        out.r4 = made_of(r4, d.r4, c4, combine);
        break;
    }
    }
    return out;
}

PathParts path_of(const PartsList& parts, double load_kohm) {
    PathParts p;
    if (parts.r1) p.r1 = parts.r1->value;
    p.c1 = p.c2 = parts.c.chosen;
    p.r3 = parts.r3.value;
    p.r4 = parts.r4.value;
    p.load = load_kohm;
    return p;
}

PathParts exact_path(const Module1& design, double load_kohm) {
    return path_of(choose_parts(design, {PartSource::Kind::exact}, Combine::single), load_kohm);
}

}  // namespace vandrel::as_built
