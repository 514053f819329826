// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/levels_text.h"

#include "vandrel/texts/figures.h"

namespace vandrel::as_built {

using texts::figure;

std::string amplifier_match_text(const Levels& l) {
    if (!l.amp_overdrive_db) return {};
    const double d = *l.amp_overdrive_db;
    if (d > 0) return "overdriven by " + figure(d, 3) + " dB";
    if (d < 0) return "short by " + figure(-d, 3) + " dB";
    return "matched";
}

std::string levels_summary(const Levels& l) {
    std::string out = figure(l.inputs.source_v, 4) + " V rms from the source; the op-amps on \u00b1" +
                      figure(l.inputs.supply_v, 4) + " V swing " + figure(l.swing_v_rms, 4) + " V rms.";
    if (l.matching_gain_db && l.inputs.amp_sensitivity_v)
        out += " A buffer gain of " + figure(*l.matching_gain_db, 3) + " dB matches the amplifier's " +
               figure(*l.inputs.amp_sensitivity_v, 4) + " V best.";
    return out;
}

std::string headroom_text(double db) { return db < 0 ? "clips by " + figure(-db, 3) + " dB" : figure(db, 3) + " dB"; }

}  // namespace vandrel::as_built
