// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_model.h"

#include "vandrel/as_built/exports.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <stdexcept>

namespace vandrel::ui {

using as_built::ESeries;
using as_built::PartSource;

const std::array<SourceChoice, 9> source_choices{{
    {"E3", {PartSource::Kind::series, ESeries::E3}},
    {"E6", {PartSource::Kind::series, ESeries::E6}},
    {"E12", {PartSource::Kind::series, ESeries::E12}},
    {"E24", {PartSource::Kind::series, ESeries::E24}},
    {"E48", {PartSource::Kind::series, ESeries::E48}},
    {"E96", {PartSource::Kind::series, ESeries::E96}},
    {"E192", {PartSource::Kind::series, ESeries::E192}},
    {"exact", {PartSource::Kind::exact}},
    {"as shown", {PartSource::Kind::shown}},
}};

const std::array<CapacitorChoice, 3> capacitor_choices{{
    {"as typed", as_built::CapSeries::typed},
    {"nearest E6", as_built::CapSeries::E6},
    {"nearest E12", as_built::CapSeries::E12},
}};

std::string_view source_choice_name(PartSource source) {
    for (const SourceChoice& c : source_choices)
        if (c.source.kind == source.kind && (source.kind != PartSource::Kind::series || c.source == source))
            return c.name;
    return {};
}

std::optional<PartSource> source_choice(std::string_view name) {
    for (const SourceChoice& c : source_choices)
        if (c.name == name) return c.source;
    return std::nullopt;
}

PartsFigures work_out(const Module1& design, Mode mode, const PartsChoices& choices) {
    PartsFigures out;
    out.design = design;
    out.mode = mode;
    out.choices = choices;
    as_built::Options options;
    options.source = choices.source;
    options.combine = choices.combine;
    options.capacitor = choices.capacitor;
    options.load_kohm = choices.load_kohm;
    options.tolerance.r_pct = choices.r_pct;
    options.tolerance.c_pct = choices.c_pct;
    try {
        out.built = as_built::analyse(design, options);
    } catch (const std::exception& e) {
        // A 0 kOhm part, or a choice out of range: said in the window.
        out.failure = e.what();
        return out;
    }
    out.rows = as_built::response_rows(*out.built);
    const int points = 3 * band_per_decade;
    for (int i = 0; i <= points; ++i) out.band_hz.push_back(std::pow(10.0, static_cast<double>(i) / band_per_decade));
    const std::span<const as_built::PathParts> runs(out.built->runs);
    out.band = as_built::tolerance_band(runs.first(std::min(runs.size(), band_runs)), out.band_hz);

    const as_built::LevelInputs level_inputs{choices.source_v, choices.supply_v, choices.amp_sensitivity_v};
    const as_built::LevelCheck check = as_built::check_level_inputs(level_inputs);
    if (!check.errors.empty()) {
        out.levels_failure = check.errors.front().text;
        return out;
    }
    out.levels = as_built::filter_levels(out.built->path, level_inputs);
    out.levels->warnings.insert(out.levels->warnings.begin(), check.warnings.begin(), check.warnings.end());
    return out;
}

std::string response_csv_file(const PartsFigures& f) {
    std::vector<double> hz;
    hz.reserve(f.rows.size());
    for (const as_built::ResponseRow& r : f.rows) hz.push_back(r.hz);
    const std::span<const as_built::PathParts> runs(f.built->runs);
    const std::size_t used = std::min(runs.size(), band_runs);
    const std::vector<as_built::Band> band = as_built::tolerance_band(runs.first(used), hz);
    return as_built::described_response_csv(f.design, f.mode, *f.built, f.rows, band, used);
}

}  // namespace vandrel::ui
