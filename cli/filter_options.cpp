// SPDX-License-Identifier: GPL-3.0-or-later
#include "filter_options.h"

#include <ostream>

#include "cap_series_option.h"
#include "decimal_option.h"
#include "sheet_option.h"

namespace vandrel::cli {

FilterOptions::FilterOptions(CLI::App& app) {
    parts_ = app.add_option("--parts", parts_name_,
                            "Choose the parts and report what they do: exact, shown (the values the window "
                            "shows) or a series, E3 E6 E12 E24 E48 E96 E192")
                 ->type_name("SOURCE")
                 ->check([](const std::string& name) {
                     return as_built::source_from_name(name) ? std::string() : "unknown parts source " + name;
                 });
    app.add_option("--combine", combine_name_, "How a resistor is made from a series: single, series or parallel")
        ->type_name("HOW")
        ->check(CLI::IsMember({"single", "series", "parallel"}, CLI::ignore_case))
        ->needs(parts_);
    add_cap_series_option(app, options_.capacitor, parts_);
    add_decimal_option(
        app, "--load", options_.load_kohm,
        [](double v) { return v >= as_built::min_load_kohm && v <= as_built::max_load_kohm; },
        "the load must be a number of kOhm from 0.01 to 1000000", "Load at the output, kOhm (0.01 to 1000000)")
        ->type_name("KOHM")
        ->needs(parts_);
    const auto tolerance = [](double v) { return v >= 0 && v < 100; };
    const std::string tolerance_message = "a tolerance must be a percentage from 0 to below 100";
    add_decimal_option(app, "--r-tol", options_.tolerance.r_pct, tolerance, tolerance_message,
                       "Resistor tolerance, +- %")
        ->type_name("PCT")
        ->needs(parts_);
    add_decimal_option(app, "--c-tol", options_.tolerance.c_pct, tolerance, tolerance_message,
                       "Capacitor tolerance, +- %")
        ->type_name("PCT")
        ->needs(parts_);
    app.add_option("--spice", spice_file_, "Write a SPICE netlist of the parts to FILE (- for standard output)")
        ->type_name("FILE")
        ->needs(parts_);
    app.add_option("--response", response_file_, "Write the response from 1 Hz to 1 kHz to FILE as CSV (- for standard output)")
        ->type_name("FILE")
        ->needs(parts_);
    add_sheet_option(app, sheet_file_)->needs(parts_);
}

std::optional<as_built::AsBuilt> FilterOptions::analyse(const BatchOutcome& outcome, std::ostream& errors) {
    if (!parts_name_ || outcome.end != SolveEnd::completed) return std::nullopt;
    options_.source = *as_built::source_from_name(*parts_name_);
    options_.combine = *as_built::combine_from_name(combine_name_);
    try {
        return as_built::analyse(outcome.design, options_);
    } catch (const as_built::UnbuildableParts& e) {
        errors << "vandrel-solve: " << e.what() << "\n";
    }
    return std::nullopt;
}

as_built::Options FilterOptions::build_options() const {
    as_built::Options o = options_;
    o.source = parts_name_ ? *as_built::source_from_name(*parts_name_) : as_built::PartSource{as_built::PartSource::Kind::exact};
    o.combine = *as_built::combine_from_name(combine_name_);
    return o;
}

bool FilterOptions::add_outputs(std::vector<files::Output>& outputs, Mode mode, const BatchOutcome& outcome,
                                const as_built::AsBuilt& built, const as_built::Levels* levels,
                                std::ostream& errors) const {
    if (spice_file_) outputs.push_back({*spice_file_, as_built::spice_netlist(outcome.design, mode, built)});
    if (response_file_) outputs.push_back({*response_file_, as_built::response_csv(as_built::response_rows(built))});
    return !sheet_file_ || add_sheet(outputs, *sheet_file_, mode, outcome.fields, built, levels, errors);
}

}  // namespace vandrel::cli
