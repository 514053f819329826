// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/ranges.h"

#include <cmath>

#include "vandrel/texts/figures.h"

namespace vandrel::as_built {

using texts::figure;

namespace {

std::string value_text(double v, bool capacitor) { return figure(v, 6) + (capacitor ? " uF" : "k"); }

}  // namespace

void require_made(const char* name, double v, bool capacitor) {
    if (!std::isfinite(v) || v == 0)
        throw UnbuildableParts(std::string(name) + " would be " + (std::isfinite(v) ? value_text(v, capacitor) : "beyond any number") +
                               ": no filter can be built from this value");
    const Range& made = capacitor ? capacitors_made : resistors_made;
    if (!made.holds(v))
        throw UnbuildableParts(std::string(name) + " would be " + value_text(v, capacitor) + ", outside the " +
                               made.words + " that " + (capacitor ? "capacitors" : "resistors") +
                               " come in: no filter can be built from this value");
}

std::optional<std::string> uncommon_value(const char* name, double v, bool capacitor) {
    const Range& common = capacitor ? capacitors_common : resistors_common;
    if (common.holds(v)) return std::nullopt;
    return std::string(name) + " " + value_text(v, capacitor) + " lies outside " + common.words +
           (capacitor ? ", where film capacitors are rare" : ", where film resistors are rare and an op-amp stage misbehaves");
}

}  // namespace vandrel::as_built
