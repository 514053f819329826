// SPDX-License-Identifier: GPL-3.0-or-later
// vandrel-solve: runs one Solve of the main window from its start state and
// prints what it left: messages, field texts, result captions, the design.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "as_built_output.h"
#include "cap_series_option.h"
#include "sheet_option.h"
#include "speaker_options.h"
#include "speaker_output.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"
#include "vandrel/files/output.h"

namespace {

using vandrel::Field;
using vandrel::Mode;

// The design variables by name, in the order they are listed in Module1.
template <typename Visit>
void for_each_variable(const vandrel::Module1& d, Visit visit) {
    visit("gain", d.gain);
    visit("cfilter", d.cfilter);
    visit("f0", d.f0);
    visit("q", d.q);
    visit("freq_peak", d.freq_peak);
    visit("peakmag", d.peakmag);
    visit("r_feedback", d.r_feedback);
    visit("r1", d.r1);
    visit("r3", d.r3);
    visit("r4", d.r4);
    visit("xc", d.xc);
    visit("f3", d.f3);
}

std::string shortest(double v) {
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

nlohmann::ordered_json to_json(const vandrel::BatchOutcome& o) {
    nlohmann::ordered_json j;
    j["messages"] = o.messages;
    auto& fields = j["fields"] = nlohmann::ordered_json::object();
    for (Field f : vandrel::all_fields) fields[std::string(vandrel::control_name(f))] = o.fields.at(f);
    auto& labels = j["labels"] = nlohmann::ordered_json::object();
    for (auto l : vandrel::all_result_labels) labels[std::string(vandrel::control_name(l))] = o.labels.at(l);
    j["graph_drawn"] = o.graph_drawn;
    auto& design = j["design"] = nlohmann::ordered_json::object();
    for_each_variable(o.design, [&](const char* name, double v) { design[name] = v; });
    return j;
}

void print_for_people(std::ostream& out, Mode mode, const vandrel::BatchOutcome& o) {
    out << "Mode: " << vandrel::mode_caption(mode) << "\n\nMessages:\n";
    if (o.messages.empty()) out << "  (none)\n";
    for (const auto& m : o.messages) out << "  " << m << "\n";
    out << "\nFields:\n";
    for (Field f : vandrel::all_fields)
        out << "  " << vandrel::control_name(f) << std::string(15 - vandrel::control_name(f).size(), ' ') << "\""
            << o.fields.at(f) << "\"\n";
    out << "\nResults:\n";
    for (auto l : vandrel::all_result_labels)
        out << "  " << vandrel::control_name(l) << "  \"" << o.labels.at(l) << "\"\n";
    out << "\nGraph: " << (o.graph_drawn ? "drawn" : "not drawn") << "\n\nDesign variables:\n";
    for_each_variable(o.design, [&](const char* name, double v) {
        out << "  " << name << std::string(12 - std::string(name).size(), ' ') << shortest(v) << "\n";
    });
}

// A check that an option's text is a finite number that `ok` accepts.
template <class Ok>
CLI::Validator number_check(Ok ok, const std::string& message) {
    return CLI::Validator(
        [ok, message](std::string& text) {
            double v = 0;
            return CLI::detail::lexical_cast(text, v) && std::isfinite(v) && ok(v) ? std::string() : message;
        },
        "");
}

// Whether `long_name` (without its dashes) names an option that takes a value.
bool takes_value(const CLI::App& app, const std::string& long_name) {
    for (const CLI::Option* option : app.get_options()) {
        const auto& names = option->get_lnames();
        if (option->get_items_expected_max() > 0 && std::find(names.begin(), names.end(), long_name) != names.end())
            return true;
    }
    return false;
}

// The command line as CLI::App::parse takes it (reversed), with every
// "--NAME=" of an option that takes a value written as "--NAME" and an empty
// argument: left to CLI11, nothing after "=" counts as no value at all and
// the next argument would be taken instead.
std::vector<std::string> arguments(const CLI::App& app, int argc, char** argv) {
    std::vector<std::string> args;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        options_ended = options_ended || arg == "--";
        const auto equals = arg.find('=');
        if (!options_ended && arg.starts_with("--") && equals != std::string::npos && equals + 1 == arg.size() &&
            takes_value(app, arg.substr(2, equals - 2))) {
            arg.pop_back();
            args.push_back(std::move(arg));
            args.emplace_back();
        } else {
            args.push_back(std::move(arg));
        }
    }
    std::reverse(args.begin(), args.end());
    return args;
}

int run(int argc, char** argv) {
    CLI::App app{"Solves one Vandrel filter design the way the window's \"Solve\" button does, "
                 "starting from the window's start state.\n"
                 "Exit status: 0 when the run reached its end, 1 when it stopped early "
                 "(a field longer than 6 characters, or no design possible), 2 for a bad command line "
                 "or a file that cannot be written, 3 for a failure of the program itself.",
                 "vandrel-solve"};
    app.option_defaults()->always_capture_default();

    const std::map<std::string, Mode> modes{{"butterworth", Mode::butterworth},
                                            {"sos", Mode::sos},
                                            {"peaking", Mode::peaking}};
    std::string mode_name = "butterworth";
    app.add_option("-m,--mode", mode_name, "Design mode: butterworth, sos (SOS User-specified) or peaking")
        ->check(CLI::IsMember({"butterworth", "sos", "peaking"}, CLI::ignore_case))
        ->type_name("MODE");

    std::map<Field, std::optional<std::string>> given;
    const auto field_option = [&](Field f, const std::string& names, const std::string& what) {
        app.add_option(names, given[f], what + " (default \"" + std::string(vandrel::design_text(f)) + "\")")
            ->allow_extra_args(false);
    };
    field_option(Field::cfilter, "-c,--cfilter,--txt_cfilter", "Filter capacitors C, uF");
    field_option(Field::gain, "-g,--gain,--txt_gain", "Buffer stage gain, dB");
    field_option(Field::freq, "-f,--freq,--txt_freq", "Design frequency, Hz (ignored in peaking mode)");
    field_option(Field::q, "-q,--q,--txt_q", "Filter Q (sos mode only; butterworth uses 0.707)");
    field_option(Field::freq_peak, "-p,--freq-peak,--txt_freq_peak", "Peak frequency, Hz (peaking mode only)");
    field_option(Field::peakmag, "-k,--peakmag,--txt_peakmag", "Peak magnitude, dB (peaking mode only)");

    bool json = false;
    app.add_flag("-j,--json", json, "Print one JSON object instead of text for people");
    app.set_version_flag("-v,--version", std::string(vandrel::program_version), "Print the version and exit");

    // The filter as built: parts, their response, tolerance, files.
    std::optional<std::string> parts_name;
    std::string combine_name = "single";
    vandrel::as_built::Options built;
    std::optional<std::string> spice_file, response_file, sheet_file;
    auto* parts = app.add_option("--parts", parts_name,
                                 "Choose the parts and report what they do: exact, shown (the values the window "
                                 "shows) or a series, E3 E6 E12 E24 E48 E96 E192")
                      ->type_name("SOURCE")
                      ->check([](const std::string& name) {
                          return vandrel::as_built::source_from_name(name) ? std::string()
                                                                           : "unknown parts source " + name;
                      });
    app.add_option("--combine", combine_name, "How a resistor is made from a series: single, series or parallel")
        ->type_name("HOW")
        ->check(CLI::IsMember({"single", "series", "parallel"}, CLI::ignore_case))
        ->needs(parts);
    vandrel::cli::add_cap_series_option(app, built.capacitor, parts);
    app.add_option("--load", built.load_kohm, "Load at the output, kOhm (0.01 to 1000000)")
        ->type_name("KOHM")
        ->check(number_check(
            [](double v) { return v >= vandrel::as_built::min_load_kohm && v <= vandrel::as_built::max_load_kohm; },
            "the load must be a number of kOhm from 0.01 to 1000000"))
        ->needs(parts);
    const auto tolerance =
        number_check([](double v) { return v >= 0 && v < 100; }, "a tolerance must be a percentage from 0 to below 100");
    app.add_option("--r-tol", built.tolerance.r_pct, "Resistor tolerance, +- %")->type_name("PCT")->check(tolerance)->needs(parts);
    app.add_option("--c-tol", built.tolerance.c_pct, "Capacitor tolerance, +- %")->type_name("PCT")->check(tolerance)->needs(parts);
    app.add_option("--spice", spice_file, "Write a SPICE netlist of the parts to FILE")->type_name("FILE")->needs(parts);
    app.add_option("--response", response_file, "Write the response from 1 Hz to 1 kHz to FILE as CSV")
        ->type_name("FILE")
        ->needs(parts);
    vandrel::cli::add_sheet_option(app, sheet_file)->needs(parts);
    // The subwoofer behind the filter.
    vandrel::cli::SpeakerOptions speaker(app);

    try {
        app.parse(arguments(app, argc, argv));
    } catch (const CLI::Success& e) {  // --help, --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "vandrel-solve: " << e.what() << "\n\n" << app.help();
        return 2;
    }
    if (const std::string problem = speaker.prepare(); !problem.empty()) {
        std::cerr << "vandrel-solve: " << problem << "\n";
        return 2;
    }

    std::transform(mode_name.begin(), mode_name.end(), mode_name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const Mode mode = modes.at(mode_name);
    std::map<Field, std::string> texts;
    for (const auto& [field, text] : given)
        if (text) texts[field] = *text;
    const auto outcome = vandrel::solve_batch(mode, texts);
    const bool completed = outcome.end == vandrel::SolveEnd::completed;

    std::optional<vandrel::as_built::AsBuilt> as_built;
    if (parts_name && completed) {
        built.source = *vandrel::as_built::source_from_name(*parts_name);
        built.combine = *vandrel::as_built::combine_from_name(combine_name);
        try {
            as_built = vandrel::as_built::analyse(outcome.design, built);
        } catch (const vandrel::as_built::UnbuildableParts& e) {
            std::cerr << "vandrel-solve: " << e.what() << "\n";
        }
    }
    // The subwoofer with the filter: the parts chosen, or else the exact design.
    const bool speaker_ok = speaker.run(completed && (as_built || !parts_name), outcome.design,
                                        as_built ? &*as_built : nullptr, built.load_kohm);
    // Every file the run writes, written together or not at all.
    std::vector<vandrel::files::Output> outputs;
    if ((as_built || speaker.report()) && speaker_ok) {
        if (spice_file && as_built)
            outputs.push_back({*spice_file, vandrel::as_built::spice_netlist(outcome.design, mode, *as_built)});
        if (response_file && as_built)
            outputs.push_back(
                {*response_file, vandrel::as_built::response_csv(vandrel::as_built::response_rows(*as_built))});
        if (sheet_file && as_built &&
            !vandrel::cli::add_sheet(outputs, *sheet_file, mode, outcome.fields, *as_built, std::cerr))
            return 2;
        speaker.add_outputs(outputs);
        if (const std::string failure = vandrel::files::write_all(outputs, std::cout); !failure.empty()) {
            std::cerr << "vandrel-solve: " << failure << "\n";
            return 2;
        }
    } else if (spice_file || response_file || sheet_file || speaker.writes_files()) {
        std::cerr << "vandrel-solve: no file written: there is no design to build\n";
    }

    if (json) {
        auto j = to_json(outcome);
        if (as_built) j["as_built"] = vandrel::cli::as_built_json(*as_built);
        if (speaker.report()) j["speaker"] = vandrel::cli::speaker_json(*speaker.report());
        // A field's text may hold any bytes; JSON takes only UTF-8.
        std::cout << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else {
        print_for_people(std::cout, mode, outcome);
        if (as_built) vandrel::cli::print_as_built(std::cout, *as_built);
        if (speaker.report()) vandrel::cli::print_speaker(std::cout, *speaker.report());
    }
    return completed && (as_built || !parts_name) && speaker_ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // What no input should ever cause: a clear line and its own status, not
    // the "no design" of status 1.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "vandrel-solve: out of memory; nothing more was done\n";
    } catch (const std::exception& e) {
        std::cerr << "vandrel-solve: internal error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "vandrel-solve: internal error\n";
    }
    return 3;
}
