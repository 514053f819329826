// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_model.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "vandrel/speaker/system.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;
using texts::figure;

// How the page writes each parameter the engine names.
constexpr std::pair<std::string_view, std::string_view> symbols[] = {
    {"fs", "fs"},   {"qes", "Qes"}, {"qms", "Qms"}, {"qts", "Qts"},   {"vas", "Vas"},
    {"re", "Re"},   {"sd", "Sd"},   {"xmax", "Xmax"}, {"le", "Le"},   {"pe", "Pe"},   {"vb", "Vb"},
    {"fb", "fb"},   {"ql", "Ql"},   {"port-diameter", "Port diameter"}, {"volts", "Volts"}, {"watts", "Watts"},
    {"amp-volts", "Amp volts"}, {"amp-watts", "Amp watts"}, {"port-limit", "Port air limit"},
};

std::string_view symbol_of(std::string_view parameter) {
    for (const auto& [name, symbol] : symbols)
        if (name == parameter) return symbol;
    return parameter;
}

bool is_missing(const sp::Issue& issue) { return issue.text.ends_with("is missing"); }

std::string sentence(std::string text) {
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

std::string hz_text(const std::optional<double>& hz) { return hz ? figure(*hz) + " Hz" : "below 1 Hz"; }

std::string peak(double value, double hz, const char* unit) {
    return figure(value) + " " + unit + " at " + figure(hz) + " Hz";
}

// No f3: the SPL is within 3 dB of the pass band already at 1 Hz, or it
// never rises through that level below 1 kHz.
std::string f3_text(const std::optional<double>& f3, const std::vector<double>& spl, double passband) {
    return f3 || spl.front() >= passband - 3 ? hz_text(f3) : "none below 1 kHz";
}

// "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return out;
}

void add_issues(const std::vector<sp::Issue>& issues, std::vector<std::string>& to) {
    for (const sp::Issue& issue : issues) to.push_back(sentence(page_sentence(issue)));
}

}  // namespace

std::string page_sentence(const sp::Issue& issue) { return page_words(issue.text); }

std::string page_words(std::string text) {
    // The driver's and the box's symbols wherever they stand as words.
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (std::string_view name :
         {"qes", "qms", "qts", "vas", "re", "sd", "xmax", "le", "pe", "vb", "ql", "amp-volts", "amp-watts", "port-limit"})
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + name.size()))
            if ((at == 0 || !letter(text[at - 1])) && (at + name.size() == text.size() || !letter(text[at + name.size()])))
                text.replace(at, name.size(), symbol_of(name));
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z' && !text.starts_with("fs") && !text.starts_with("fb"))
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

SpeakerFigures work_out_speaker(const SpeakerInputs& in, const SpeakerFilter& filter, const sp::Measurement* measurement) {
    SpeakerFigures out;
    out.filter_parts = filter.parts;
    if (!filter.failure.empty()) {
        out.problems.push_back(sentence("No filter to put ahead of the subwoofer: " + filter.failure));
        return out;
    }
    std::vector<std::string> missing;

    const sp::Checked<sp::Driver> driver = sp::check_driver(in.driver);
    // The missing values in the order the page shows them.
    for (std::string_view name : {"fs", "qes", "vas", "re", "sd", "xmax"})
        for (const sp::Issue& e : driver.errors)
            if (is_missing(e) && e.parameter == name)
                missing.push_back(name == "qes" ? "Qes (or Qts)" : std::string(symbol_of(name)));
    for (const sp::Issue& e : driver.errors)
        if (!is_missing(e)) out.problems.push_back(sentence(page_sentence(e)));
    add_issues(driver.warnings, out.warnings);

    const bool vented = in.box == sp::Box::Type::vented;
    if (!in.vb) missing.emplace_back("Vb");
    if (vented && !in.fb) missing.emplace_back("fb");
    std::optional<sp::Box> box;
    if (in.vb && (!vented || in.fb)) {
        const sp::Box given{in.box, *in.vb, vented ? *in.fb : 0, in.ql, vented ? in.port : std::nullopt};
        sp::Checked<sp::Box> checked = sp::check_box(given);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        box = checked.value;
    }

    std::optional<double> volts;
    if (in.drive == DriveUnit::volts && !in.volts) missing.emplace_back("the drive in volts");
    if (in.drive == DriveUnit::watts && !in.watts) missing.emplace_back("the drive in watts");
    if (in.drive == DriveUnit::volts && in.volts) {
        const sp::Checked<double> checked = sp::check_volts(*in.volts);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        volts = checked.value;
    } else if (in.drive == DriveUnit::watts && in.watts && driver.value) {
        // Watts need Re to become volts.
        const sp::Checked<double> checked = sp::volts_from_watts(*in.watts, driver.value->re);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        volts = checked.value;
        out.watts = in.watts;
    }

    // The amplifier's most and the port's limit, as vandrel-solve checks them.
    std::optional<double> amp_volts;
    if (volts && in.amp == DriveUnit::volts && in.amp_volts) {
        const sp::Checked<double> checked = sp::check_amp_volts(*in.amp_volts, *volts);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        amp_volts = checked.value;
    } else if (volts && in.amp == DriveUnit::watts && in.amp_watts && driver.value) {
        const sp::Checked<double> checked = sp::amp_volts_from_watts(*in.amp_watts, driver.value->re, *volts);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        amp_volts = checked.value;
        out.amp_watts = in.amp_watts;
    }
    double port_limit = sp::default_port_limit;
    if (box && box->port_diameter && in.port_limit) {
        const sp::Checked<double> checked = sp::check_port_limit(*in.port_limit);
        add_issues(checked.errors, out.problems);
        add_issues(checked.warnings, out.warnings);
        port_limit = checked.value.value_or(port_limit);
    }

    if (!missing.empty())
        out.problems.insert(out.problems.begin(), "Give " + listed(missing) + " to see what the subwoofer does.");
    if (!out.problems.empty() || !driver.value || !box || !volts) return out;

    sp::Inputs system{*driver.value, *box, *volts, filter.path, amp_volts, port_limit};
    try {
        out.analysis = sp::analyse(system, measurement);
    } catch (const std::invalid_argument& e) {
        out.problems.push_back(sentence(std::string("No analysis: ") + e.what()));
        return out;
    }
    out.system = std::move(system);
    add_issues(out.analysis->warnings, out.warnings);
    return out;
}

DriverLoad driver_for_page(const sp::DriverFile& file) {
    DriverLoad out;
    for (const sp::Issue& e : sp::check_driver(file.values).errors) {
        if (is_missing(e)) continue;
        const auto line = file.lines.find(e.parameter);
        out.problem = {line == file.lines.end() ? 0 : line->second, sentence(page_sentence(e))};
        return out;
    }
    out.values = file.values;
    for (const sp::FileProblem& w : file.warnings) out.warnings.push_back(sentence(w.message()));
    return out;
}

bool gives_driver_values(const sp::DriverValues& v) {
    for (const auto* value : {&v.fs, &v.qes, &v.qms, &v.qts, &v.vas, &v.re, &v.sd, &v.xmax, &v.le, &v.pe})
        if (value->has_value()) return true;
    return false;
}

std::string driver_file_note(std::string_view file_name, const sp::DriverValues& before, const sp::DriverValues& after) {
    const std::pair<const char*, const std::optional<double> sp::DriverValues::*> fields[] = {
        {"fs", &sp::DriverValues::fs},     {"Qes", &sp::DriverValues::qes}, {"Qms", &sp::DriverValues::qms},
        {"Qts", &sp::DriverValues::qts},   {"Vas", &sp::DriverValues::vas}, {"Re", &sp::DriverValues::re},
        {"Sd", &sp::DriverValues::sd},     {"Xmax", &sp::DriverValues::xmax}, {"Le", &sp::DriverValues::le},
        {"Pe", &sp::DriverValues::pe}};
    std::vector<std::string> gave, emptied;
    if (!after.name.empty()) gave.emplace_back("the name");
    else if (!before.name.empty()) emptied.emplace_back("the name");
    for (const auto& [symbol, member] : fields) {
        if ((after.*member).has_value())
            gave.emplace_back(symbol);
        else if ((before.*member).has_value())
            emptied.emplace_back(symbol);
    }
    if (emptied.empty()) return {};
    return std::string(file_name) + " gave " + (gave.empty() ? std::string("nothing else") : listed(gave)) + "; " +
           listed(emptied) + (emptied.size() == 1 ? " is" : " are") + " empty now.";
}

std::optional<double> default_ql(sp::Box::Type box) {
    return box == sp::Box::Type::vented ? std::optional<double>(sp::default_vented_ql) : std::nullopt;
}

std::string typed_ql_note(std::optional<double> ql, sp::Box::Type box) {
    const auto text = [](std::optional<double> v) { return v ? figure(*v) : std::string("none"); };
    return "Ql " + text(ql) + " as typed; the " + (box == sp::Box::Type::vented ? "vented" : "sealed") +
           " box's default is " + text(default_ql(box)) + ".";
}

std::string sealed_box_text(const sp::Inputs& s) {
    if (s.box.type != sp::Box::Type::sealed) return {};
    return "Sealed box: fc " + figure(sp::sealed_fc(s.driver, s.box.vb)) + " Hz, Qtc " +
           figure(sp::sealed_qtc(s.driver, s.box.vb));
}

sp::DriverFormat driver_save_format(std::string_view file_name, bool wdr_filter_chosen) {
    const auto ends_in = [file_name](std::string_view suffix) {
        if (file_name.size() < suffix.size()) return false;
        const std::string_view end = file_name.substr(file_name.size() - suffix.size());
        for (std::size_t i = 0; i < suffix.size(); ++i) {
            const char c = end[i];
            if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != suffix[i]) return false;
        }
        return true;
    };
    if (ends_in(".wdr")) return sp::DriverFormat::wdr;
    if (ends_in(".txt")) return sp::DriverFormat::text;
    return wdr_filter_chosen ? sp::DriverFormat::wdr : sp::DriverFormat::text;
}

std::vector<FigureRow> figure_rows(const sp::Analysis& a) {
    std::vector<FigureRow> rows;
    rows.push_back({"f3", f3_text(a.without_filter.f3, a.spl_db, a.passband_spl_db),
                    f3_text(a.with_filter.f3, a.spl_filtered_db, a.passband_spl_db)});
    constexpr const char* spl_keys[] = {"spl20", "spl30", "spl40"};
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) {
        const double without = a.without_filter.spl_db_at[i], with = a.with_filter.spl_db_at[i];
        rows.push_back({spl_keys[i], figure(without) + " dB",
                        figure(with) + " dB (" + texts::level_change_text(without - with) + ")"});
    }
    rows.push_back({"excursion", peak(a.without_filter.peak_excursion_mm, a.without_filter.peak_excursion_hz, "mm"),
                    peak(a.with_filter.peak_excursion_mm, a.with_filter.peak_excursion_hz, "mm")});
    const auto port = [](const sp::DriveFigures& d) {
        return d.peak_port_velocity ? peak(*d.peak_port_velocity, *d.peak_port_hz, "m/s") : std::string("none");
    };
    rows.push_back({"port", port(a.without_filter), port(a.with_filter)});
    return rows;
}

std::string passband_text(const SpeakerFigures& f) {
    if (!f.analysis || !f.system) return {};
    const double v = f.analysis->volts;
    return figure(f.analysis->passband_spl_db) + " dB SPL at 1 m at " + figure(v) + " V (" +
           figure(v * v / f.system->driver.re) + " W into Re); filter: " + f.filter_parts + " parts";
}

std::string unsafe_text(const sp::Analysis& a, double xmax_mm) {
    return "Beyond Xmax (" + figure(xmax_mm) + " mm) with the filter: " +
           (a.unsafe_below_hz ? "up to " + figure(*a.unsafe_below_hz) + " Hz" : std::string("never"));
}

std::string design_text(const sp::Design& d) {
    return std::string(mode_caption(d.mode)) + ", " + d.freq_text + " Hz, Q " + d.q_text + ": f3 " + hz_text(d.f3) +
           ", peak excursion " + peak(d.peak_excursion_mm, d.peak_excursion_hz, "mm");
}

bool is_design(const SpeakerFilter& filter, const sp::Design& d) {
    const auto same = [](double a, double b) { return std::abs(a - b) <= 1e-9 * std::abs(b); };
    return filter.mode == d.mode && same(filter.design.f0, d.freq) && (d.mode == Mode::butterworth || same(filter.design.q, d.q));
}

std::string system_caption(const sp::Inputs& s) {
    const bool sealed = s.box.type == sp::Box::Type::sealed;
    return (s.driver.name.empty() ? std::string("The driver") : s.driver.name) + " in a " + figure(s.box.vb) + " L " +
           (sealed ? std::string("sealed box") : "vented box tuned to " + figure(s.box.fb) + " Hz") + ", " +
           figure(s.volts) + " V";
}

std::string plot_caption(const SpeakerFigures& f, const SpeakerFilter& filter) {
    std::string text = "Vandrel " + std::string(program_version) + ": ";
    if (f.system) text += system_caption(*f.system) + "; ";
    return text + "filter " + std::string(mode_caption(filter.mode)) + ", f0 " + figure(filter.design.f0) + " Hz, Q " +
           figure(filter.design.q) + ", " + f.filter_parts + " parts";
}

namespace {
constexpr const char* nothing = "Nothing to plot: give the driver, the box and the drive.";
}  // namespace

std::string spl_summary(const SpeakerFigures& f) {
    if (!f.analysis) return nothing;
    const sp::Analysis& a = *f.analysis;
    std::string text = "f3 " + f3_text(a.without_filter.f3, a.spl_db, a.passband_spl_db) + " without the filter, " +
                       f3_text(a.with_filter.f3, a.spl_filtered_db, a.passband_spl_db) + " with it; pass band " +
                       figure(a.passband_spl_db) + " dB SPL at 1 m";
    if (!a.measured_db.empty()) text += "; the measurement is drawn without and with the filter";
    return text + ".";
}

std::string excursion_summary(const SpeakerFigures& f) {
    if (!f.analysis || !f.system) return nothing;
    const sp::Analysis& a = *f.analysis;
    return unsafe_text(a, f.system->driver.xmax) + "; the most with it " +
           peak(a.with_filter.peak_excursion_mm, a.with_filter.peak_excursion_hz, "mm") + ", without it " +
           peak(a.without_filter.peak_excursion_mm, a.without_filter.peak_excursion_hz, "mm") + ".";
}

std::string port_summary(const SpeakerFigures& f) {
    if (!f.analysis) return nothing;
    const sp::DriveFigures& without = f.analysis->without_filter;
    const sp::DriveFigures& with = f.analysis->with_filter;
    if (!without.peak_port_velocity || !with.peak_port_velocity) return "No port given, so no port air velocity.";
    return "Port air velocity at most " + peak(*without.peak_port_velocity, *without.peak_port_hz, "m/s") +
           " without the filter, " + peak(*with.peak_port_velocity, *with.peak_port_hz, "m/s") +
           " with it; the limit is " + figure(f.analysis->limits.port_limit_ms.value_or(sp::default_port_limit)) +
           " m/s.";
}

double table_at(const std::vector<double>& values, double hz) {
    if (values.empty()) return 0;
    const double at = std::clamp(std::log10(hz) * 200, 0.0, static_cast<double>(values.size() - 1));
    const auto i = static_cast<std::size_t>(at);
    if (i + 1 >= values.size()) return values.back();
    return values[i] + (values[i + 1] - values[i]) * (at - static_cast<double>(i));
}

}  // namespace vandrel::ui
