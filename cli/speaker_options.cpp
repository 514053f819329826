// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_options.h"

#include <array>
#include <iostream>

#include "driver_save_option.h"
#include "vandrel/speaker/driver_file.h"

namespace vandrel::cli {
namespace {

constexpr const char* group = "Subwoofer (any driver or box option runs the analysis)";

struct DriverOption {
    const char* name;
    const char* help;
};

constexpr std::array<DriverOption, 10> driver_options{{
    {"fs", "Driver's free-air resonance, Hz"},
    {"qes", "Driver's electrical Q"},
    {"qms", "Driver's mechanical Q (left out: no mechanical loss)"},
    {"qts", "Driver's total Q; alone it means Qes = Qts and no mechanical loss"},
    {"vas", "Driver's equivalent air volume, litres (or ft3, cu ft)"},
    {"re", "Voice-coil DC resistance, ohms"},
    {"sd", "Cone area, cm^2 (or in2, sq in)"},
    {"xmax", "Linear excursion, one way, mm (or in)"},
    {"le", "Voice-coil inductance, mH (default 0)"},
    {"pe", "Driver's thermal power handling, W rms into Re (optional)"},
}};

std::string message(const std::string& option, const std::string& text) { return "--" + option + ": " + text; }

}  // namespace

SpeakerOptions::SpeakerOptions(CLI::App& app) : app_(app) {
    app.add_option("--driver", driver_file_,
                   "Driver file: name = value lines (fs, qes, qms, qts, vas, re, sd, xmax, le, pe, name), a JSON object "
                   "or a WinISD .wdr file")
        ->type_name("FILE")
        ->group(group);
    for (const DriverOption& o : driver_options)
        app.add_option(std::string("--") + o.name, driver_texts_[o.name], o.help)
            ->type_name("VALUE")
            ->allow_extra_args(false)
            ->group(group);
    app.add_option("--box", box_type_, "Box: sealed or vented (default: vented with --fb, else sealed)")
        ->type_name("TYPE")
        ->check(CLI::IsMember({"sealed", "vented"}, CLI::ignore_case))
        ->group(group);
    app.add_option("--vb", vb_, "Box's net volume, litres (or ft3, cu ft)")->type_name("LITRES")->group(group);
    app.add_option("--fb", fb_, "Vented box's tuning frequency, Hz")->type_name("HZ")->group(group);
    app.add_option("--ql", ql_, "Box's leakage Q, or none (default: 7 vented, none sealed)")
        ->type_name("Q")
        ->group(group);
    app.add_option("--port-diameter", port_, "Diameter of the vented box's round port, cm (or in)")
        ->type_name("CM")
        ->group(group);
    auto* volts = app.add_option("--volts", volts_, "Drive in the pass band, V rms (default 2.83)")
                      ->type_name("V")
                      ->group(group);
    app.add_option("--watts", watts_, "Drive in the pass band as watts into Re")
        ->type_name("W")
        ->excludes(volts)
        ->group(group);
    app.add_flag("--suggest", suggest_,
                 "Suggest the filter design with the lowest f3 that keeps every limit, as built with --parts")
        ->group(group);
    app.add_option("--measurement", measurement_file_,
                   "Measured response (FRD or measurement-program text: Hz, dB, optional phase)")
        ->type_name("FILE")
        ->group(group);
    app.add_option("--system-response", system_response_file_,
                   "Write SPL, excursion (and port velocity, measurement) from 1 Hz to 1 kHz to FILE as CSV")
        ->type_name("FILE")
        ->group(group);
    add_save_driver_option(app, save_driver_file_, group);
}

bool SpeakerOptions::box_given() const { return box_type_ || vb_ || fb_ || ql_ || port_; }

bool SpeakerOptions::requested() const {
    if (driver_file_ || box_given()) return true;
    for (const auto& [name, text] : driver_texts_)
        if (text) return true;
    return false;
}

bool SpeakerOptions::driver_only() const {
    return requested() && save_driver_file_ && !box_given() && !volts_ && !watts_ && !suggest_ &&
           !measurement_file_ && !system_response_file_;
}

std::string SpeakerOptions::prepare_driver() {
    speaker::DriverFile file;
    std::string origin;
    if (driver_file_) {
        origin = "--driver " + *driver_file_;
        speaker::Parsed<speaker::DriverFile> read = speaker::read_driver_file(*driver_file_);
        if (!read.value) return origin + ": " + read.problem.message();
        file = std::move(*read.value);
        for (const speaker::FileProblem& w : file.warnings) warnings_.push_back(*driver_file_ + ": " + w.message());
    }
    speaker::DriverValues& values = file.values;
    // A Q given here replaces all of the file's: Qes, Qms and Qts go together.
    const bool q_given = driver_texts_["qes"] || driver_texts_["qms"] || driver_texts_["qts"];
    if (q_given) values.qes = values.qms = values.qts = std::nullopt;
    std::map<std::string, bool> from_option;
    const auto set = [&](const char* name, std::optional<double>& member) -> std::string {
        const auto& text = driver_texts_[name];
        if (!text) return {};
        const speaker::Parsed<double> v = speaker::parse_value(name, *text);
        if (!v.value) return message(name, v.problem.text);
        member = v.value;
        from_option[name] = true;
        return {};
    };
    for (const auto& [name, member] : std::initializer_list<std::pair<const char*, std::optional<double>*>>{
             {"fs", &values.fs}, {"qes", &values.qes}, {"qms", &values.qms}, {"qts", &values.qts},
             {"vas", &values.vas}, {"re", &values.re}, {"sd", &values.sd}, {"xmax", &values.xmax},
             {"le", &values.le}, {"pe", &values.pe}})
        if (std::string bad = set(name, *member); !bad.empty()) return bad;

    speaker::Checked<speaker::Driver> checked = speaker::check_driver(values);
    // Where a value came from: its option, or its line of the driver file.
    const auto where = [&](const std::string& p) {
        if (from_option[p]) return "--" + p;
        if (const auto line = file.lines.find(p); line != file.lines.end())
            return origin + " line " + std::to_string(line->second);
        return std::string("the driver");
    };
    if (!checked.errors.empty()) {
        const speaker::Issue& e = checked.errors.front();
        if (e.text.ends_with("is missing"))
            return "the driver's " + e.text + ": give it " + (driver_file_ ? "in the driver file or " : "") +
                   "with --" + (e.parameter == "qes" ? std::string("qes or --qts") : e.parameter);
        return where(e.parameter) + ": " + e.text;
    }
    for (const speaker::Issue& w : checked.warnings) warnings_.push_back(w.text);
    driver_ = std::move(*checked.value);
    return {};
}

std::string SpeakerOptions::prepare_box() {
    const auto number = [&](const char* name, const std::optional<std::string>& text, double& out) -> std::string {
        const speaker::Parsed<double> v = speaker::parse_value(name, *text);
        if (!v.value) return message(name, v.problem.text);
        out = *v.value;
        return {};
    };
    box_.type = box_type_ ? (CLI::detail::to_lower(*box_type_) == "vented" ? speaker::Box::Type::vented
                                                                            : speaker::Box::Type::sealed)
                          : (fb_ ? speaker::Box::Type::vented : speaker::Box::Type::sealed);
    const bool vented = box_.type == speaker::Box::Type::vented;
    if (!vb_) return "--vb is missing: the box's net volume in litres";
    if (std::string bad = number("vb", vb_, box_.vb); !bad.empty()) return bad;
    if (vented && !fb_) return "--fb is missing: the vented box's tuning frequency in Hz";
    if (!vented && fb_) return "--fb: a sealed box has no tuning frequency";
    if (!vented && port_) return "--port-diameter: a sealed box has no port";
    if (fb_)
        if (std::string bad = number("fb", fb_, box_.fb); !bad.empty()) return bad;
    if (port_) {
        double d = 0;
        if (std::string bad = number("port-diameter", port_, d); !bad.empty()) return bad;
        box_.port_diameter = d;
    }
    if (vented) box_.ql = speaker::default_vented_ql;
    if (ql_ && CLI::detail::to_lower(*ql_) == "none") {
        box_.ql.reset();
    } else if (ql_) {
        double q = 0;
        if (std::string bad = number("ql", ql_, q); !bad.empty()) return bad;
        box_.ql = q;
    }
    speaker::Checked<speaker::Box> checked = speaker::check_box(box_);
    if (!checked.errors.empty()) return message(checked.errors.front().parameter, checked.errors.front().text);
    for (const speaker::Issue& w : checked.warnings) warnings_.push_back(w.text);
    return {};
}

std::string SpeakerOptions::prepare() {
    if (!requested()) {
        for (const auto& [given, name] : {std::pair{volts_.has_value(), "--volts"}, {watts_.has_value(), "--watts"},
                                          {suggest_, "--suggest"}, {measurement_file_.has_value(), "--measurement"},
                                          {system_response_file_.has_value(), "--system-response"}})
            if (given)
                return std::string(name) + " needs a driver and a box: give --driver (or --fs, --qes...) and --vb";
        if (save_driver_file_) return "--save-driver needs a driver: give --driver (or --fs, --qes...)";
        return {};
    }
    if (std::string bad = prepare_driver(); !bad.empty()) return bad;
    if (driver_only()) {
        // No report to carry them: the driver's warnings go to standard error.
        for (const std::string& w : warnings_) std::cerr << "vandrel-solve: warning: " << w << "\n";
        return {};
    }
    if (std::string bad = prepare_box(); !bad.empty()) return bad;

    speaker::Checked<double> drive;
    if (watts_) {
        double w = 0;
        const speaker::Parsed<double> v = speaker::parse_value("watts", *watts_);
        if (!v.value) return message("watts", v.problem.text);
        w = *v.value;
        drive = speaker::volts_from_watts(w, driver_.re);
        watts_value_ = w;
    } else {
        double v = speaker::default_volts;
        if (volts_) {
            const speaker::Parsed<double> p = speaker::parse_value("volts", *volts_);
            if (!p.value) return message("volts", p.problem.text);
            v = *p.value;
        }
        drive = speaker::check_volts(v);
    }
    if (!drive.errors.empty()) return message(drive.errors.front().parameter, drive.errors.front().text);
    for (const speaker::Issue& w : drive.warnings) warnings_.push_back(w.text);
    volts_value_ = *drive.value;

    if (measurement_file_) {
        speaker::Parsed<speaker::Measurement> read = speaker::read_measurement(*measurement_file_);
        if (!read.value) return "--measurement " + *measurement_file_ + ": " + read.problem.message();
        measurement_ = std::move(*read.value);
    }
    return {};
}

bool SpeakerOptions::run(bool design_ready, const Module1& design, const as_built::AsBuilt* built, double load_kohm,
                         const SpeakerRunExtras& extras) {
    if (!design_ready || !requested() || driver_only()) return true;
    SpeakerReport r;
    r.inputs = {driver_, box_, volts_value_, {}, extras.amp_volts, extras.port_limit};
    r.watts = watts_value_;
    try {
        if (built) {
            r.inputs.filter = built->path;
            r.filter_parts = as_built::source_name(built->options.source);
        } else {
            r.inputs.filter = as_built::exact_path(design, load_kohm);
            r.filter_parts = "exact";
        }
        r.analysis = speaker::analyse(r.inputs, measurement_ ? &*measurement_ : nullptr);
        if (suggest_) r.suggestion = extras.build ? speaker::suggest(r.inputs, *extras.build) : speaker::suggest(r.inputs);
    } catch (const std::invalid_argument& e) {
        std::cerr << "vandrel-solve: no subwoofer analysis: " << e.what() << "\n";
        return false;
    } catch (const as_built::UnbuildableParts& e) {
        std::cerr << "vandrel-solve: no subwoofer analysis: " << e.what() << "\n";
        return false;
    }
    r.warnings = warnings_;
    r.warnings.insert(r.warnings.end(), extras.warnings.begin(), extras.warnings.end());
    for (const speaker::Issue& w : r.analysis.warnings) r.warnings.push_back(w.text);
    report_ = std::move(r);
    return true;
}

void SpeakerOptions::add_outputs(std::vector<files::Output>& outputs) const {
    if (report_ && system_response_file_)
        outputs.push_back({*system_response_file_, speaker::system_response_csv(report_->analysis)});
    if ((report_ || driver_only()) && save_driver_file_) outputs.push_back(driver_output(*save_driver_file_, driver_));
}

}  // namespace vandrel::cli
