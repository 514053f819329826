// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shopping list of a build: every part of the signal path, the chosen
// ones and the fixed ones, equal parts counted together. Plain C++.

#include <string>
#include <vector>

#include "vandrel/as_built/report.h"

namespace vandrel::sheet {

/// One line of the list: so many of one part.
struct PartToBuy {
    int quantity = 0;
    std::string part;       ///< "Resistor 15 kΩ", "Capacitor 1 µF", "Dual op-amp TL072"
    std::string tolerance;  ///< "±1 %"; "" for the op-amp
    std::string where;      ///< the places it goes, "R1, feedback", "C ×2"
};

/// The parts of `built`: resistors, then capacitors, each by rising value,
/// then the op-amp. Resistors carry the resistor tolerance and capacitors
/// the capacitor tolerance of the spread, which assumes them of every part.
/// Without R1 (a follower) the feedback parts are left out.
std::vector<PartToBuy> parts_to_buy(const as_built::AsBuilt& built);

}  // namespace vandrel::sheet
