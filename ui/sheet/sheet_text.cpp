// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_text.h"

#include <cmath>

#include "vandrel/as_built/parts_text.h"
#include "vandrel/texts/figures.h"

namespace vandrel::sheet {

std::string six_digits(double value) { return std::isfinite(value) ? vandrel::texts::figure(value, 6) : "none"; }

std::string figure_text(const std::optional<double>& value, std::string_view unit) {
    if (!value || !std::isfinite(*value)) return "none";
    std::string text = six_digits(*value);
    if (!unit.empty()) text.append(" ").append(unit);
    return text;
}

std::string resistance_text(double kohm) {
    const double size = std::fabs(kohm);
    if (size != 0 && size < 1) return figure_text(kohm * 1000, "Ω");
    if (size >= 1000) return figure_text(kohm / 1000, "MΩ");
    return figure_text(kohm, "kΩ");
}

std::string capacitance_text(double uf) { return std::isfinite(uf) ? vandrel::texts::capacitance_text(uf) : "none"; }

std::string resistor_text(const as_built::Resistor& resistor, std::string_view between) {
    if (resistor.chosen.empty()) return resistance_text(resistor.value);
    std::string text = resistance_text(resistor.chosen[0]);
    if (resistor.chosen.size() > 1) {
        text.append(between).append(resistor.combine == as_built::Combine::parallel ? "∥ " : "+ ");
        text += resistance_text(resistor.chosen[1]);
    }
    return text;
}

std::string tolerance_text(double pct) { return "±" + figure_text(pct, "%"); }

std::string peak_text(const std::optional<double>& hz, double db) {
    if (!hz || !std::isfinite(*hz)) return "none";
    return figure_text(db, "dB") + " at " + figure_text(hz, "Hz");
}

}  // namespace vandrel::sheet
