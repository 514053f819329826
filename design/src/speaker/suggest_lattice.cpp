// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's texts of a design on the lattice, and the choice among
// designs of nearly the same f3.
#include <algorithm>

#include "suggest_parts.h"

namespace vandrel::speaker::suggestion {

using search::Best;
using search::never;

// Texts built by appending: a text put in front of another trips a false
// GCC 12 warning at -O3.
std::string tenths_text(int k) {
    std::string text = std::to_string(k / 10);
    if (k % 10) text.append(1, '.').append(1, static_cast<char>('0' + k % 10));
    return text;
}

std::string q_text(int q) {
    if (q == search::butterworth_q) return std::string(butterworth_q_text);
    std::string text = std::to_string(q / 1000);
    text.append(1, '.');
    text.append(1, static_cast<char>('0' + q / 100 % 10)).append(1, static_cast<char>('0' + q / 10 % 10));
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::optional<Best> choose(std::span<const Best> designs, double lowest) {
    for (const Best& b : designs)
        if (b.k != 0) lowest = std::min(lowest, b.rank);
    if (lowest == never) return std::nullopt;
    std::optional<Best> out, strict;
    for (const Best& b : designs) {
        if (b.k == 0 || b.rank == never) continue;
        if (!strict || b.better_than(*strict)) strict = b;
        if (b.rank > lowest * (1 + f3_tie)) continue;
        if (!out || b.q < out->q || (b.q == out->q && b.better_than(*out))) out = b;
    }
    return out ? out : strict;
}

}  // namespace vandrel::speaker::suggestion
