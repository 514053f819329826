// SPDX-License-Identifier: GPL-3.0-or-later
// vandrel-solve: runs one Solve of the main window from its start state and
// prints what it left: messages, field texts, result captions, the design.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "arguments.h"
#include "as_built_output.h"
#include "design_file_option.h"
#include "design_output.h"
#include "export_options.h"
#include "filter_options.h"
#include "levels_output.h"
#include "limit_options.h"
#include "run_output.h"
#include "speaker_options.h"
#include "speaker_output.h"
#include "vandrel/as_built/report.h"
#include "vandrel/batch.h"
#include "vandrel/files/output.h"

namespace {

using vandrel::Field;
using vandrel::Mode;

int run(int argc, char** argv, const vandrel::files::Streams& streams) {
    CLI::App app{"Solves one Vandrel filter design the way the window's \"Solve\" button does, "
                 "starting from the window's start state.\n"
                 "Exit status: 0 when the run reached its end, 1 when it stopped early "
                 "(a field longer than 6 characters, or no design possible), 2 for a bad command line "
                 "or an output that cannot be written (standard output too), 3 for a failure of the program "
                 "itself.",
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
    vandrel::cli::FilterOptions filter(app);
    // The subwoofer behind the filter.
    vandrel::cli::SpeakerOptions speaker(app);
    // Files for other programs, and a design file's values.
    vandrel::cli::ExportOptions exports(app);
    vandrel::cli::DesignFileOption design_file(app);
    // What limits the subwoofer, and the filter's levels.
    vandrel::cli::LimitOptions limits(app);

    // Refused before the parser sees them: nothing needs more, and the
    // parser's work grows with their number and length.
    if (const std::string bad = vandrel::cli::refused_arguments(argc, argv); !bad.empty()) {
        std::cerr << "vandrel-solve: " << bad << "\n";
        return 2;
    }
    try {
        if (const std::string problem = design_file.parse(app, vandrel::cli::arguments(app, argc, argv));
            !problem.empty()) {
            std::cerr << "vandrel-solve: " << problem << "\n";
            return 2;
        }
    } catch (const CLI::Success& e) {  // --help, --version
        std::ostringstream out, err;
        const int status = app.exit(e, out, err);
        std::cerr << err.str();
        return vandrel::cli::print(out.str(), status, streams, std::cerr);
    } catch (const CLI::ParseError& e) {
        std::cerr << "vandrel-solve: " << e.what() << "\n\n" << app.help();
        return 2;
    }
    std::string problem = speaker.prepare();
    if (problem.empty()) problem = limits.prepare(speaker);
    if (problem.empty()) problem = exports.prepare(speaker.requested());
    if (!problem.empty()) {
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

    const std::optional<vandrel::as_built::AsBuilt> as_built = filter.analyse(outcome, std::cerr);
    // The subwoofer with the filter: the parts chosen, or else the exact design.
    const vandrel::cli::SpeakerRunExtras extras{limits.amp_volts(), limits.port_limit(),
                                                vandrel::speaker::Build{outcome.fields, filter.build_options()},
                                                limits.speaker_warnings()};
    const bool speaker_ok = speaker.run(completed && (as_built || !filter.parts_given()), outcome.design,
                                        as_built ? &*as_built : nullptr, filter.load_kohm(), extras);
    // The filter's levels at full scale: the parts chosen, or else the exact design.
    const std::optional<vandrel::as_built::Levels> levels =
        vandrel::cli::filter_levels(completed && (as_built || !filter.parts_given()), outcome.design,
                                    as_built ? &*as_built : nullptr, filter.load_kohm(), limits);
    // Every file the run writes, written together with the report or not at all.
    std::vector<vandrel::files::Output> outputs;
    // The driver alone is written whatever the filter, unless the filter's files are asked for too.
    const bool driver_alone = speaker.driver_only() && !filter.writes_files();
    if ((as_built || speaker.report() || driver_alone) && speaker_ok) {
        if (as_built && !filter.add_outputs(outputs, mode, outcome, *as_built, levels ? &*levels : nullptr, std::cerr))
            return 2;
        speaker.add_outputs(outputs);
        exports.add_outputs(outputs, mode, outcome, as_built ? &*as_built : nullptr, speaker.report());
    } else if (filter.writes_files() || speaker.writes_files() || exports.writes_files()) {
        std::cerr << "vandrel-solve: no file written: there is no design to build\n";
    }

    std::ostringstream report;
    if (json) {
        auto j = vandrel::cli::design_json(outcome);
        if (as_built) j["as_built"] = vandrel::cli::as_built_json(*as_built);
        if (speaker.report()) j["speaker"] = vandrel::cli::speaker_json(*speaker.report());
        j["levels"] = levels ? vandrel::cli::levels_json(*levels) : nlohmann::ordered_json(nullptr);
        // A field's text may hold any bytes; JSON takes only UTF-8.
        report << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    } else {
        vandrel::cli::print_design(report, mode, outcome);
        if (as_built) vandrel::cli::print_as_built(report, *as_built);
        if (levels) vandrel::cli::print_levels(report, *levels);
        if (speaker.report()) vandrel::cli::print_speaker(report, *speaker.report());
    }
    const int status = completed && (as_built || !filter.parts_given()) && speaker_ok ? 0 : 1;
    return vandrel::cli::write_run(std::move(outputs), {report.str(), json}, status, streams, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    // Before any file is opened: a closed standard stream keeps its number.
    const vandrel::files::Streams streams = vandrel::files::system_streams();
    // What no input should ever cause: a clear line and its own status, not
    // the "no design" of status 1.
    try {
        return run(argc, argv, streams);
    } catch (const std::bad_alloc&) {
        std::cerr << "vandrel-solve: out of memory; nothing more was done\n";
    } catch (const std::exception& e) {
        std::cerr << "vandrel-solve: internal error: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "vandrel-solve: internal error\n";
    }
    return 3;
}
