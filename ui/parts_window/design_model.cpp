// SPDX-License-Identifier: GPL-3.0-or-later
#include "design_model.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "vandrel/as_built/parts.h"
#include "vandrel/texts/exact.h"

namespace vandrel::ui {
namespace {

namespace ab = as_built;
using project::Text;

// A number the subwoofer's fields take, by its place in the file. A value
// added to the page and the file is one more line here.
struct SpeakerNumber {
    std::string_view section, key;
    const EntryRange* range;
    std::optional<double>& (*at)(SpeakerInputs&);
};
constexpr std::array<SpeakerNumber, 14> speaker_numbers{{
    {"driver", "fs", &fs_entry, [](SpeakerInputs& s) -> auto& { return s.driver.fs; }},
    {"driver", "qes", &qes_entry, [](SpeakerInputs& s) -> auto& { return s.driver.qes; }},
    {"driver", "qms", &qms_entry, [](SpeakerInputs& s) -> auto& { return s.driver.qms; }},
    {"driver", "qts", &qts_entry, [](SpeakerInputs& s) -> auto& { return s.driver.qts; }},
    {"driver", "vas", &vas_entry, [](SpeakerInputs& s) -> auto& { return s.driver.vas; }},
    {"driver", "re", &re_entry, [](SpeakerInputs& s) -> auto& { return s.driver.re; }},
    {"driver", "sd", &sd_entry, [](SpeakerInputs& s) -> auto& { return s.driver.sd; }},
    {"driver", "xmax", &xmax_entry, [](SpeakerInputs& s) -> auto& { return s.driver.xmax; }},
    {"driver", "le", &le_entry, [](SpeakerInputs& s) -> auto& { return s.driver.le; }},
    {"driver", "pe", &pe_entry, [](SpeakerInputs& s) -> auto& { return s.driver.pe; }},
    {"box", "vb", &vb_entry, [](SpeakerInputs& s) -> auto& { return s.vb; }},
    {"box", "fb", &fb_entry, [](SpeakerInputs& s) -> auto& { return s.fb; }},
    {"box", "port_diameter", &port_entry, [](SpeakerInputs& s) -> auto& { return s.port; }},
    {"drive", "volts", &volts_entry, [](SpeakerInputs& s) -> auto& { return s.volts; }},
}};

// The file's names of the main window's fields.
constexpr std::array<std::pair<Field, std::string_view>, 6> field_keys{{
    {Field::cfilter, "cfilter"},
    {Field::gain, "gain"},
    {Field::freq, "freq"},
    {Field::q, "q"},
    {Field::freq_peak, "freq_peak"},
    {Field::peakmag, "peakmag"},
}};

constexpr std::array<std::pair<Mode, std::string_view>, 3> mode_names{{
    {Mode::butterworth, "butterworth"},
    {Mode::sos, "sos"},
    {Mode::peaking, "peaking"},
}};

// The value of `design` at its place in the file.
Text& value_at(project::Design& design, std::string_view section, std::string_view key) {
    for (const project::Entry& e : project::entries(design))
        if (e.section == section && e.key == key) return *e.value;
    // Every place named here is one of the file's.
    throw std::logic_error("no design value " + std::string(section) + "." + std::string(key));
}

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A number read as `range`'s field reads it; the problem names the value.
std::optional<double> number(const Text& text, const EntryRange& range, std::string_view where, std::string& problem,
                             std::optional<double> otherwise) {
    if (!text) return otherwise;
    const EntryCheck check = check_entry(*text, range);
    if (!check.problem.empty() && problem.empty()) problem = std::string(where) + ": " + check.problem;
    return check.value;
}

bool is_within(const std::filesystem::path& folder, const std::filesystem::path& path) {
    const std::filesystem::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != ".." && !relative.is_absolute();
}

}  // namespace

std::filesystem::path path_of_utf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8_of(const std::filesystem::path& path) {
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

project::Design design_of(const WindowDesign& w, const std::filesystem::path& folder) {
    project::Design d;
    for (const auto& [mode, name] : mode_names)
        if (mode == w.mode) d.filter.mode = std::string(name);
    for (const auto& [field, key] : field_keys)
        if (const auto text = w.fields.find(field); text != w.fields.end()) value_at(d, "filter", key) = text->second;

    const PartsChoices& c = w.choices;
    d.parts.series = std::string(ab::source_name(c.source));
    d.parts.combine = std::string(ab::combine_name(c.combine));
    d.parts.r_tol = texts::shortest(c.r_pct);
    d.parts.c_tol = texts::shortest(c.c_pct);
    d.parts.load = texts::shortest(c.load_kohm);
    d.parts.cap_series = std::string(ab::cap_series_name(c.capacitor));

    SpeakerInputs s = w.speaker;
    const bool vented = s.box == speaker::Box::Type::vented;
    if (!s.driver.name.empty()) d.driver.name = s.driver.name;
    for (const SpeakerNumber& n : speaker_numbers) {
        // What does not apply is left out: vandrel-solve refuses it.
        if (!vented && (n.key == "fb" || n.key == "port_diameter")) continue;
        if (n.key == "volts" && s.drive != DriveUnit::volts) continue;
        if (const std::optional<double>& v = n.at(s)) value_at(d, n.section, n.key) = texts::shortest(*v);
    }
    if (s.drive == DriveUnit::watts && s.watts) d.drive.watts = texts::shortest(*s.watts);
    d.box.type = vented ? "vented" : "sealed";
    // Left out, a vented box's Ql would be 7.
    d.box.ql = s.ql ? texts::shortest(*s.ql) : "none";
    d.limits.source_volts = texts::shortest(c.source_v);
    d.limits.supply = texts::shortest(c.supply_v);
    d.limits.amp_sensitivity = c.amp_sensitivity_v ? Text(texts::shortest(*c.amp_sensitivity_v)) : Text();
    if (s.amp == DriveUnit::volts && s.amp_volts) d.limits.amp_volts = texts::shortest(*s.amp_volts);
    if (s.amp == DriveUnit::watts && s.amp_watts) d.limits.amp_watts = texts::shortest(*s.amp_watts);
    // Without a port there is no air velocity to limit: vandrel-solve refuses it.
    if (vented && s.port && s.port_limit) d.limits.port_limit = texts::shortest(*s.port_limit);
    if (!w.measurement.empty())
        d.measurement = utf8_of(is_within(folder, w.measurement)
                                    ? w.measurement.lexically_normal().lexically_relative(folder.lexically_normal())
                                    : w.measurement);
    return d;
}

WindowDesignRead window_design(const project::Design& design, const std::filesystem::path& folder) {
    project::Design d = design;
    WindowDesign w;
    std::string problem;

    const project::FilterInputs& f = d.filter;
    for (const auto& [mode, name] : mode_names)
        if (f.mode && lower(*f.mode) == name) w.mode = mode;
    for (const auto& [field, key] : field_keys) {
        const Text& text = value_at(d, "filter", key);
        w.fields[field] = text ? *text : std::string(vandrel::design_text(field));
    }
    if (w.mode == Mode::butterworth) w.fields[Field::q] = std::string(butterworth_q_text);

    const project::PartsInputs& p = d.parts;
    PartsChoices& c = w.choices;
    if (p.series) c.source = ab::source_from_name(*p.series).value_or(c.source);
    if (p.combine) c.combine = ab::combine_from_name(lower(*p.combine)).value_or(c.combine);
    if (p.cap_series) c.capacitor = ab::cap_series_from_name(*p.cap_series).value_or(c.capacitor);
    c.r_pct = number(p.r_tol, r_tol_range, "parts.r_tol", problem, c.r_pct).value_or(c.r_pct);
    c.c_pct = number(p.c_tol, c_tol_range, "parts.c_tol", problem, c.c_pct).value_or(c.c_pct);
    c.load_kohm = number(p.load, load_range, "parts.load", problem, c.load_kohm).value_or(c.load_kohm);
    const project::LimitInputs& l = d.limits;
    c.source_v = number(l.source_volts, source_volts_entry, "limits.source_volts", problem, c.source_v).value_or(c.source_v);
    c.supply_v = number(l.supply, supply_entry, "limits.supply", problem, c.supply_v).value_or(c.supply_v);
    c.amp_sensitivity_v = number(l.amp_sensitivity, amp_sensitivity_entry, "limits.amp_sensitivity", problem, std::nullopt);

    SpeakerInputs& s = w.speaker;
    s.driver.name = d.driver.name.value_or("");
    if (s.driver.name.size() > speaker::max_driver_name && problem.empty())
        problem = "driver.name is longer than " + std::to_string(speaker::max_driver_name) + " bytes";
    s.volts = speaker::default_volts;
    for (const SpeakerNumber& n : speaker_numbers) {
        const std::string where = std::string(n.section) + "." + std::string(n.key);
        n.at(s) = number(value_at(d, n.section, n.key), *n.range, where, problem, n.at(s));
    }
    const project::BoxInputs& b = d.box;
    s.box = (b.type ? lower(*b.type) == "vented" : b.fb.has_value()) ? speaker::Box::Type::vented
                                                                      : speaker::Box::Type::sealed;
    const bool vented = s.box == speaker::Box::Type::vented;
    if (b.ql && lower(*b.ql) == "none")
        s.ql.reset();
    else
        s.ql = number(b.ql, ql_entry, "box.ql", problem, vented ? std::optional(speaker::default_vented_ql) : std::nullopt);
    // A Ql the file gives and the box would not is kept as typed.
    s.ql_typed = s.ql != (vented ? std::optional(speaker::default_vented_ql) : std::nullopt);
    const project::DriveInputs& drive = d.drive;
    if (drive.volts && drive.watts && problem.empty())
        problem = "drive gives both volts and watts: a drive is one of them";
    if (drive.watts) {
        s.drive = DriveUnit::watts;
        s.watts = number(drive.watts, watts_entry, "drive.watts", problem, std::nullopt);
    }

    if (l.amp_volts && l.amp_watts && problem.empty())
        problem = "limits gives both amp_volts and amp_watts: the amplifier's most is one of them";
    s.amp_volts = number(l.amp_volts, amp_volts_entry, "limits.amp_volts", problem, std::nullopt);
    if (l.amp_watts) {
        s.amp = DriveUnit::watts;
        s.amp_watts = number(l.amp_watts, amp_watts_entry, "limits.amp_watts", problem, std::nullopt);
    }
    s.port_limit = number(l.port_limit, port_limit_entry, "limits.port_limit", problem, speaker::default_port_limit);
    if (d.measurement && !d.measurement->empty()) {
        const std::filesystem::path m = path_of_utf8(*d.measurement);
        w.measurement = m.is_relative() ? folder / m : m;
    }
    if (!problem.empty()) return {std::nullopt, problem};
    return {std::move(w), {}};
}

}  // namespace vandrel::ui
