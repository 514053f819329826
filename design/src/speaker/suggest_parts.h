// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces of the suggestion: the main window's texts of a design on the
// lattice, the figures of a design as built, the choice among designs of
// nearly the same f3, the designs built from parts, and the notes.

#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "search.h"
#include "vandrel/speaker/suggest.h"

namespace vandrel::speaker::suggestion {

/// The frequency field's text of k/10 Hz ("23.4", "1000").
std::string tenths_text(int k);
/// The Q field's text of q/1000 ("0.707", "1.05", "2").
std::string q_text(int q);

/// The best of `designs` (any with rank never or k 0 left out): among
/// those whose f3 is within f3_tie of the lowest (of them and `lowest`),
/// the lowest Q, then the lowest f3, then the lowest frequency; when none
/// is within it, the lowest f3. None when none is safe.
std::optional<search::Best> choose(std::span<const search::Best> designs, double lowest = search::never);

/// The figures of design (k, q) built as `path`, which `eval` judged.
Design design_of(search::Search& search, int k, int q, const as_built::PathParts& path, const search::Eval& eval,
                 const std::string& parts);

/// Designs built from parts as a Build says, each worked out once.
class Builder {
public:
    Builder(search::Search& search, const Build& build);
    /// Design (k, q) as built: its path and how it does; none when Solve or
    /// the parts cannot make it.
    struct Built {
        as_built::PathParts path;
        search::Eval eval;
    };
    const std::optional<Built>& built(int k, int q);
    /// The best design near `start` that holds as built: at its Q and nearby
    /// ones (down to 0.1 below, up to 0.02 above; only Butterworth when
    /// `butterworth_only`), from the search's best frequency for each,
    /// stepped up until it holds and then down while it does; chosen as
    /// choose() does with the lowest f3 the search found, `lowest`.
    std::optional<search::Best> best_near(const search::Best& start, bool butterworth_only, double lowest);

private:
    bool holds(int k, int q);
    search::Search& search_;
    const Build& build_;
    std::unordered_map<long long, std::optional<Built>> cache_;
};

/// What the notes say about a suggestion.
std::string limits_text(const Suggestion& s, const LimitValues& limits);
std::string success_note(const Suggestion& s, const Inputs& in, const LimitValues& limits, bool plain_keeps_all);
std::string design_text(const Design& d);
std::string f3_text(const std::optional<double>& f3);

}  // namespace vandrel::speaker::suggestion
