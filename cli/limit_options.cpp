// SPDX-License-Identifier: GPL-3.0-or-later
#include "limit_options.h"

#include <cctype>

#include "speaker_options.h"
#include "vandrel/speaker/limits.h"
#include "vandrel/texts/decimal.h"

namespace vandrel::cli {
namespace {

constexpr const char* limits_group = "Subwoofer limits (with a driver and a box)";
constexpr const char* levels_group = "Filter levels";

// The option's text as a number, with or without its unit after it ("30",
// "30 V", "17m/s"); `name` and `unit` for the message.
std::optional<double> number(const std::string& text, const std::string& unit) {
    std::string_view t = text;
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
    if (t.size() > unit.size()) {
        const std::string_view tail = t.substr(t.size() - unit.size());
        bool same = true;
        for (std::size_t i = 0; i < unit.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(tail[i])) == std::tolower(static_cast<unsigned char>(unit[i]));
        if (same) {
            t.remove_suffix(unit.size());
            while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back()))) t.remove_suffix(1);
        }
    }
    return texts::parse_decimal(t);
}

std::string not_a_number(const std::string& name, const std::string& unit, const std::string& text) {
    return "--" + name + ": " + name + " must be a number (in " + unit + "), not " + texts::quoted(text);
}

}  // namespace

LimitOptions::LimitOptions(CLI::App& app) {
    auto* volts = app.add_option("--amp-volts", amp_volts_,
                                 "Amplifier's most output, V rms (default: the drive; more is headroom)")
                      ->type_name("V")
                      ->group(limits_group);
    app.add_option("--amp-watts", amp_watts_, "Amplifier's most output as watts into Re")
        ->type_name("W")
        ->excludes(volts)
        ->group(limits_group);
    app.add_option("--port-limit", port_limit_, "Port air velocity not to exceed, m/s peak (default 17; needs --port-diameter)")
        ->type_name("M_S")
        ->group(limits_group);
    app.add_option("--source-volts", source_volts_, "Source's full scale, V rms (default 2)")
        ->type_name("V")
        ->group(levels_group);
    app.add_option("--supply", supply_, "Op-amps' rails, +- V (default 15; they swing to within 1.5 V of each)")
        ->type_name("V")
        ->group(levels_group);
    app.add_option("--amp-sensitivity", amp_sensitivity_, "Amplifier's input for its full output, V rms (optional)")
        ->type_name("V")
        ->group(levels_group);
}

std::string LimitOptions::prepare_levels() {
    struct Given {
        const std::optional<std::string>& text;
        const char* name;
        double* out;
    };
    double sensitivity = 0;
    for (const Given& g : {Given{source_volts_, "source-volts", &levels_.source_v}, Given{supply_, "supply", &levels_.supply_v},
                           Given{amp_sensitivity_, "amp-sensitivity", &sensitivity}}) {
        if (!g.text) continue;
        const std::optional<double> v = number(*g.text, "V");
        if (!v) return not_a_number(g.name, "V", *g.text);
        *g.out = *v;
    }
    if (amp_sensitivity_) levels_.amp_sensitivity_v = sensitivity;
    const as_built::LevelCheck check = as_built::check_level_inputs(levels_);
    if (!check.errors.empty()) return "--" + check.errors.front().parameter + ": " + check.errors.front().text;
    for (const as_built::LevelIssue& w : check.warnings) level_warnings_.push_back(w.text);
    return {};
}

std::string LimitOptions::prepare(const SpeakerOptions& speaker) {
    if (std::string bad = prepare_levels(); !bad.empty()) return bad;
    if (!speaker.requested()) {
        for (const auto& [given, name] : {std::pair{amp_volts_.has_value(), "--amp-volts"},
                                          {amp_watts_.has_value(), "--amp-watts"},
                                          {port_limit_.has_value(), "--port-limit"}})
            if (given)
                return std::string(name) + " needs a driver and a box: give --driver (or --fs, --qes...) and --vb";
        return {};
    }
    speaker::Checked<double> amp;
    if (amp_volts_) {
        const std::optional<double> v = number(*amp_volts_, "V");
        if (!v) return not_a_number("amp-volts", "V", *amp_volts_);
        amp = speaker::check_amp_volts(*v, speaker.volts());
    } else if (amp_watts_) {
        const std::optional<double> w = number(*amp_watts_, "W");
        if (!w) return not_a_number("amp-watts", "W", *amp_watts_);
        amp = speaker::amp_volts_from_watts(*w, speaker.driver().re, speaker.volts());
    }
    if (!amp.errors.empty()) return "--" + amp.errors.front().parameter + ": " + amp.errors.front().text;
    for (const speaker::Issue& w : amp.warnings) speaker_warnings_.push_back(w.text);
    amp_volts_value_ = amp.value;
    if (port_limit_) {
        if (!speaker.box().port_diameter)
            return "--port-limit needs --port-diameter: the port's air velocity comes from its diameter";
        const std::optional<double> v = number(*port_limit_, "m/s");
        if (!v) return not_a_number("port-limit", "m/s", *port_limit_);
        const speaker::Checked<double> limit = speaker::check_port_limit(*v);
        if (!limit.errors.empty()) return "--port-limit: " + limit.errors.front().text;
        for (const speaker::Issue& w : limit.warnings) speaker_warnings_.push_back(w.text);
        port_limit_value_ = *limit.value;
    }
    return {};
}

}  // namespace vandrel::cli
