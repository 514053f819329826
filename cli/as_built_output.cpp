// SPDX-License-Identifier: GPL-3.0-or-later
#include "as_built_output.h"

#include <ostream>

#include "vandrel/as_built/parts_text.h"
#include "vandrel/texts/figures.h"


namespace vandrel::cli {
namespace {

using nlohmann::ordered_json;
namespace ab = as_built;

ordered_json optional_number(const std::optional<double>& v) { return v ? ordered_json(*v) : ordered_json(nullptr); }

ordered_json resistor_json(const ab::Resistor& r) {
    return {{"exact", r.exact}, {"shown", r.shown}, {"chosen", r.chosen}, {"value", r.value}};
}

ordered_json section_json(const ab::SectionFigures& s) {
    return {{"f0", s.f0}, {"q", s.q}, {"f3", s.f3}, {"peak_hz", optional_number(s.peak_hz)}, {"peak_db", s.peak_db}};
}

ordered_json spread_json(const ab::Spread& s) { return ordered_json::array({s.p5, s.p50, s.p95}); }

}  // namespace

ordered_json as_built_json(const ab::AsBuilt& b) {
    const ab::PartsList& p = b.parts;
    ordered_json parts;
    parts["r1"] = p.r1 ? resistor_json(*p.r1) : ordered_json(nullptr);
    parts["r3"] = resistor_json(p.r3);
    parts["r4"] = resistor_json(p.r4);
    parts["c"] = {{"value", p.c.value},           {"in_e6", p.c.in_e6},
                  {"in_e12", p.c.in_e12},         {"nearest_e6", p.c.nearest_e6},
                  {"nearest_e12", p.c.nearest_e12}, {"chosen", p.c.chosen}};

    const ab::PathFigures& path = b.path_figures;
    ordered_json delays;
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        delays[vandrel::texts::figure(ab::group_delay_hz[i])] = path.group_delay_ms[i];

    const ab::Tolerance& t = b.options.tolerance;
    ordered_json out;
    out["series"] = ab::source_name(b.options.source);
    out["combine"] = ab::combine_name(b.options.combine);
    out["cap_series"] = ab::cap_series_name(b.options.capacitor);
    out["load_kohm"] = b.options.load_kohm;
    out["parts"] = parts;
    out["section"] = section_json(b.section);
    out["exact_section"] = section_json(b.exact_section);
    out["path"] = {{"gain_db", path.gain_db},
                   {"f3", optional_number(path.f3)},
                   {"peak_hz", optional_number(path.peak_hz)},
                   {"peak_db", path.peak_db},
                   {"group_delay_ms", delays}};
    out["tolerance"] = {{"r_pct", t.r_pct},
                        {"c_pct", t.c_pct},
                        {"runs", t.runs},
                        {"section_f3", spread_json(b.tolerance.section_f3)},
                        {"path_f3", b.tolerance.path_f3 ? spread_json(*b.tolerance.path_f3) : ordered_json(nullptr)},
                        {"path_f3_runs", b.tolerance.path_f3_runs},
                        {"peak_db", spread_json(b.tolerance.peak_db)}};
    auto& warnings = out["warnings"] = ordered_json::array();
    for (const ab::Warning& w : b.warnings) warnings.push_back(w.text);
    return out;
}

void print_as_built(std::ostream& out, const ab::AsBuilt& b) { out << "\n" << ab::parts_list_text(b); }

}  // namespace vandrel::cli
