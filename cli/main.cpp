// vandrel-solve: runs one Solve of the main window from its start state and
// prints what it left: messages, field texts, result captions, the design.

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/batch.h"

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

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Solves one Vandrel filter design the way the window's \"Solve\" button does, "
                 "starting from the window's start state.\n"
                 "Exit status: 0 when the run reached its end, 1 when it stopped early "
                 "(a field longer than 6 characters, or no design possible), 2 for a bad command line.",
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

    try {
        app.parse(arguments(app, argc, argv));
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "vandrel-solve: " << e.what() << "\n\n" << app.help();
        return 2;
    }

    std::transform(mode_name.begin(), mode_name.end(), mode_name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const Mode mode = modes.at(mode_name);
    std::map<Field, std::string> texts;
    for (const auto& [field, text] : given)
        if (text) texts[field] = *text;
    const auto outcome = vandrel::solve_batch(mode, texts);

    if (json)
        std::cout << to_json(outcome).dump(2) << "\n";
    else
        print_for_people(std::cout, mode, outcome);
    return outcome.end == vandrel::SolveEnd::completed ? 0 : 1;
}
