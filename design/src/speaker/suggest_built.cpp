// SPDX-License-Identifier: GPL-3.0-or-later
// Suggested designs built from parts, as "Use this design" builds them: the
// main window's fields solved with the design's frequency and Q, the parts
// chosen as the Parts page says, and each stepped until it holds.
#include <algorithm>
#include <cmath>

#include "suggest_parts.h"
#include "vandrel/batch.h"

namespace vandrel::speaker::suggestion {

using search::Best;
using search::butterworth_q;
using search::highest_k;
using search::lowest_k;

Builder::Builder(search::Search& search, const Build& build) : search_(search), build_(build) {}

const std::optional<Builder::Built>& Builder::built(int k, int q) {
    const long long key = static_cast<long long>(k) * 20000 + q;
    if (const auto it = cache_.find(key); it != cache_.end()) return it->second;
    std::optional<Built> out;
    std::map<Field, std::string> texts = build_.fields;
    texts[Field::freq] = tenths_text(k);
    texts[Field::q] = q_text(q);
    const BatchOutcome solved = solve_batch(q == butterworth_q ? Mode::butterworth : Mode::sos, texts);
    if (solved.end == SolveEnd::completed) {
        try {
            const as_built::Options& o = build_.options;
            const as_built::PartsList parts =
                as_built::choose_parts(solved.design, o.source, o.combine, o.capacitor, o.tolerance.r_pct);
            const as_built::PathParts path = as_built::path_of(parts, o.load_kohm);
            out = Built{path, search_.eval_path(path)};
        } catch (const as_built::UnbuildableParts&) {
        } catch (const std::invalid_argument&) {
        }
    }
    return cache_[key] = std::move(out);
}

bool Builder::holds(int k, int q) {
    const std::optional<Built>& b = built(k, q);
    return b && b->eval.safe;
}

std::optional<Best> Builder::best_near(const Best& start, bool butterworth_only, double lowest) {
    // Q on the lattice: 0.707, or 0.71 to 10 in steps of 0.01.
    std::vector<int> qs{start.q};
    const auto add = [&](int q) {
        q = q < 710 ? butterworth_q : std::min(q, 10000);
        if (std::find(qs.begin(), qs.end(), q) == qs.end()) qs.push_back(q);
    };
    if (!butterworth_only) {
        const int from = start.q == butterworth_q ? 700 : start.q;
        for (int d = -100; d <= 20; d += 10) add(from + d);
    }
    std::vector<Best> found;
    for (int q : qs) {
        int k = start.k;
        if (q != start.q) {
            const Best b = search_.best_for(q, start.k * 100 / 112, start.k * 112 / 100 + 1, 1.01);
            if (b.k) k = b.k;
        }
        // Up until it holds: 0.1 Hz at a time, then 1 % at a time.
        int steps = 0;
        while (k <= highest_k && steps < 60 && !holds(k, q)) {
            k = steps < 20 ? k + 1 : std::max(k + 1, static_cast<int>(std::lround(k * 1.01)));
            ++steps;
        }
        if (k > highest_k || !holds(k, q)) continue;
        Best best{k, q, built(k, q)->eval.rank};
        // Then down while it holds.
        for (int lower = k - 1; lower >= lowest_k && lower >= k - 20 && holds(lower, q); --lower) {
            const Best b{lower, q, built(lower, q)->eval.rank};
            if (b.better_than(best)) best = b;
        }
        found.push_back(best);
    }
    return choose(found, lowest);
}

}  // namespace vandrel::speaker::suggestion
