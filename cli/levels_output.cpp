// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels_output.h"

#include <ostream>

#include "vandrel/as_built/levels_text.h"
#include "vandrel/texts/figures.h"

namespace vandrel::cli {
namespace {

using nlohmann::ordered_json;
using texts::figure;

ordered_json optional_number(const std::optional<double>& v) { return v ? ordered_json(*v) : ordered_json(nullptr); }

std::string headroom_text(double db) {
    return "headroom " + figure(db, 3) + " dB" + (db < 0 ? std::string(": it clips") : std::string());
}

}  // namespace

std::optional<as_built::Levels> filter_levels(bool design_ready, const Module1& design, const as_built::AsBuilt* built,
                                              double load_kohm, const LimitOptions& limits) {
    if (!design_ready) return std::nullopt;
    try {
        as_built::Levels levels =
            as_built::filter_levels(built ? built->path : as_built::exact_path(design, load_kohm), limits.levels());
        std::vector<as_built::LevelIssue> warnings;
        for (const std::string& w : limits.level_warnings()) warnings.push_back({"levels", w});
        warnings.insert(warnings.end(), levels.warnings.begin(), levels.warnings.end());
        levels.warnings = std::move(warnings);
        return levels;
    } catch (const as_built::UnbuildableParts&) {
    } catch (const std::invalid_argument&) {
    }
    return std::nullopt;
}

ordered_json levels_json(const as_built::Levels& l) {
    ordered_json out;
    out["source_v"] = l.inputs.source_v;
    out["supply_v"] = l.inputs.supply_v;
    out["swing_v_rms"] = l.swing_v_rms;
    out["buffer_peak_v"] = l.buffer_peak_v;
    out["buffer_peak_hz"] = l.buffer_peak_hz;
    out["section_peak_v"] = l.section_peak_v;
    out["section_peak_hz"] = l.section_peak_hz;
    out["buffer_headroom_db"] = l.buffer_headroom_db;
    out["section_headroom_db"] = l.section_headroom_db;
    out["amp_input_v"] = l.amp_input_v;
    out["amp_sensitivity_v"] = optional_number(l.inputs.amp_sensitivity_v);
    out["amp_overdrive_db"] = optional_number(l.amp_overdrive_db);
    out["matching_gain_db"] = optional_number(l.matching_gain_db);
    ordered_json warnings = ordered_json::array();
    for (const as_built::LevelIssue& w : l.warnings) warnings.push_back(w.text);
    out["warnings"] = warnings;
    return out;
}

void print_levels(std::ostream& out, const as_built::Levels& l) {
    out << "\nLevels at full scale: " << figure(l.inputs.source_v) << " V rms from the source; op-amps on +-"
        << figure(l.inputs.supply_v) << " V swing " << figure(l.swing_v_rms) << " V rms\n";
    out << "  buffer output     " << figure(l.buffer_peak_v) << " V rms at " << figure(l.buffer_peak_hz) << " Hz ("
        << headroom_text(l.buffer_headroom_db) << ")\n";
    out << "  high-pass output  " << figure(l.section_peak_v) << " V rms at " << figure(l.section_peak_hz) << " Hz ("
        << headroom_text(l.section_headroom_db) << ")\n";
    out << "  into the amplifier " << figure(l.amp_input_v) << " V rms in the pass band";
    if (l.amp_overdrive_db) {
        out << "; its sensitivity " << figure(*l.inputs.amp_sensitivity_v) << " V: " << as_built::amplifier_match_text(l)
            << "; a buffer gain of " << figure(*l.matching_gain_db, 3) << " dB matches it best";
    }
    out << "\n";
    if (!l.warnings.empty()) {
        out << "  warnings:\n";
        for (const as_built::LevelIssue& w : l.warnings) out << "    " << w.text << "\n";
    }
}

}  // namespace vandrel::cli
