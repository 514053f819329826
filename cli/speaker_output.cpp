// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_output.h"

#include <ostream>

#include "vandrel/texts/figures.h"
#include "vandrel/speaker/system.h"

namespace vandrel::cli {
namespace {

using nlohmann::ordered_json;
using texts::figure;
namespace sp = speaker;

ordered_json optional_number(const std::optional<double>& v) { return v ? ordered_json(*v) : ordered_json(nullptr); }

ordered_json drive_json(const sp::DriveFigures& d) {
    ordered_json levels = ordered_json::object();
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) levels[figure(sp::level_hz[i])] = d.spl_db_at[i];
    return {{"f3_hz", optional_number(d.f3)},
            {"spl_db_at", levels},
            {"peak_excursion_mm", d.peak_excursion_mm},
            {"peak_excursion_hz", d.peak_excursion_hz},
            {"peak_port_velocity_ms", optional_number(d.peak_port_velocity)},
            {"peak_port_velocity_hz", optional_number(d.peak_port_hz)}};
}

ordered_json design_json(const sp::Design& d) {
    return {{"mode", std::string(mode_caption(d.mode))},
            {"freq", d.freq},
            {"q", d.q},
            {"freq_text", d.freq_text},
            {"q_text", d.q_text},
            {"f3_hz", optional_number(d.f3)},
            {"peak_excursion_mm", d.peak_excursion_mm},
            {"peak_excursion_hz", d.peak_excursion_hz},
            {"peak_port_velocity_ms", optional_number(d.peak_port_velocity)},
            {"parts", d.parts},
            {"filter_peak_db", d.filter_peak_db},
            {"filter_peak_hz", optional_number(d.filter_peak_hz)},
            {"peak_amplifier_v", d.peak_amplifier_v},
            {"corner_peak_excursion_mm", d.corner_peak_excursion_mm},
            {"corner_peak_port_velocity_ms", optional_number(d.corner_peak_port_velocity)},
            {"corner_peak_amplifier_v", d.corner_peak_amplifier_v},
            {"binding", std::string(sp::limit_name(d.binding))},
            {"binding_ratio", d.binding_ratio}};
}

ordered_json at_levels(const std::array<double, 3>& values) {
    ordered_json out = ordered_json::object();
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) out[figure(sp::level_hz[i])] = values[i];
    return out;
}

ordered_json at_levels(const std::array<sp::Limit, 3>& limits) {
    ordered_json out = ordered_json::object();
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) out[figure(sp::level_hz[i])] = std::string(sp::limit_name(limits[i]));
    return out;
}

ordered_json search_json(const sp::Suggestion& s) {
    ordered_json kept = ordered_json::array();
    for (sp::Limit l : s.limits_kept) kept.push_back(std::string(sp::limit_name(l)));
    return {{"limits_kept", kept},
            {"parts", s.parts},
            {"r_tol_pct", s.tolerance.r_pct},
            {"c_tol_pct", s.tolerance.c_pct},
            {"unmet", s.unmet ? ordered_json(std::string(sp::limit_name(*s.unmet))) : ordered_json(nullptr)},
            {"amp_volts_needed", optional_number(s.amp_volts_needed)},
            {"port_diameter_needed_cm", optional_number(s.port_diameter_needed)}};
}

bool sealed(const sp::Box& box) { return box.type == sp::Box::Type::sealed; }

// "f3", "SPL at 20 Hz"... in a column, then the two drives' texts.
void row(std::ostream& out, const std::string& what, const std::string& without, const std::string& with) {
    out << "  " << what << std::string(what.size() < 22 ? 22 - what.size() : 1, ' ') << without
        << std::string(without.size() < 24 ? 24 - without.size() : 1, ' ') << with << "\n";
}

std::string hz_text(const std::optional<double>& hz) { return hz ? figure(*hz) + " Hz" : "below 1 Hz"; }

std::string box_text(const SpeakerReport& r) {
    const sp::Box& b = r.inputs.box;
    const std::string text =
        "a " + figure(b.vb) + " L " + (sealed(b) ? "sealed box" : "vented box tuned to " + figure(b.fb) + " Hz");
    std::string extras;
    if (sealed(b))
        extras = "fc " + figure(sp::sealed_fc(r.inputs.driver, b.vb)) + " Hz, Qtc " +
                 figure(sp::sealed_qtc(r.inputs.driver, b.vb));
    extras += std::string(extras.empty() ? "" : ", ") + (b.ql ? "Ql " + figure(*b.ql) : "no leakage");
    if (b.port_diameter) extras += ", port " + figure(*b.port_diameter) + " cm";
    return text + " (" + extras + ")";
}

}  // namespace

ordered_json speaker_json(const SpeakerReport& r) {
    const sp::Driver& d = r.inputs.driver;
    const sp::Box& b = r.inputs.box;
    const sp::Mechanics m = sp::mechanics_of(d);
    const sp::Analysis& a = r.analysis;
    ordered_json out;
    out["driver"] = {{"name", d.name.empty() ? ordered_json(nullptr) : ordered_json(d.name)},
                     {"fs_hz", d.fs},
                     {"qes", d.qes},
                     {"qms", optional_number(d.qms)},
                     {"qts", d.qts()},
                     {"vas_l", d.vas},
                     {"re_ohm", d.re},
                     {"sd_cm2", d.sd},
                     {"xmax_mm", d.xmax},
                     {"le_mh", d.le},
                     {"bl_tm", m.bl},
                     {"mms_g", m.mms * 1e3},
                     {"cms_mm_per_n", m.cms * 1e3}};
    out["box"] = {{"type", sealed(b) ? "sealed" : "vented"},
                  {"vb_l", b.vb},
                  {"fb_hz", sealed(b) ? ordered_json(nullptr) : ordered_json(b.fb)},
                  {"ql", optional_number(b.ql)},
                  {"fc_hz", sealed(b) ? ordered_json(sp::sealed_fc(d, b.vb)) : ordered_json(nullptr)},
                  {"qtc", sealed(b) ? ordered_json(sp::sealed_qtc(d, b.vb)) : ordered_json(nullptr)},
                  {"port_diameter_cm", optional_number(b.port_diameter)},
                  {"port_length_cm", a.port ? ordered_json(a.port->length_cm) : ordered_json(nullptr)}};
    out["drive_v"] = a.volts;
    out["filter_parts"] = r.filter_parts;
    out["passband_spl_db"] = a.passband_spl_db;
    out["without_filter"] = drive_json(a.without_filter);
    out["with_filter"] = drive_json(a.with_filter);
    out["unsafe_below_hz"] = optional_number(a.unsafe_below_hz);
    const sp::Suggestion* s = r.suggestion ? &*r.suggestion : nullptr;
    out["suggestion"] = s && s->design ? design_json(*s->design) : ordered_json(nullptr);
    out["suggestion_note"] = s ? ordered_json(s->note) : ordered_json(nullptr);
    out["safe_drive_v"] = s ? optional_number(s->safe_volts) : ordered_json(nullptr);
    out["limits"] = {{"amp_v", a.limits.amp_v},
                     {"pe_w", optional_number(a.limits.pe_w)},
                     {"thermal_v", optional_number(a.limits.thermal_v)},
                     {"xmax_mm", a.limits.xmax_mm},
                     {"port_limit_ms", optional_number(a.limits.port_limit_ms)}};
    out["max_spl"] = {{"db_at", at_levels(a.max_spl.db_at)},
                      {"limit_at", at_levels(a.max_spl.limit_at)},
                      {"filtered_db_at", at_levels(a.max_spl.filtered_db_at)},
                      {"filtered_limit_at", at_levels(a.max_spl.filtered_limit_at)},
                      {"lost_db_at", at_levels(a.max_spl.lost_db_at)}};
    out["suggestion_search"] = s ? search_json(*s) : ordered_json(nullptr);
    out["warnings"] = r.warnings;
    return out;
}

void print_speaker(std::ostream& out, const SpeakerReport& r) {
    const sp::Driver& d = r.inputs.driver;
    const sp::Mechanics m = sp::mechanics_of(d);
    const sp::Analysis& a = r.analysis;
    out << "\nSubwoofer: " << (d.name.empty() ? std::string("the driver") : d.name) << " in " << box_text(r) << "\n";
    out << "  driver: fs " << figure(d.fs) << " Hz, Qes " << figure(d.qes)
        << (d.qms ? ", Qms " + figure(*d.qms) : std::string(", no Qms")) << ", Qts " << figure(d.qts()) << ", Vas "
        << figure(d.vas) << " L, Re " << figure(d.re) << " ohm, Sd " << figure(d.sd) << " cm2, Xmax "
        << figure(d.xmax) << " mm, Le " << figure(d.le) << " mH\n";
    out << "  motor:  Bl " << figure(m.bl) << " T m, Mms " << figure(m.mms * 1e3) << " g, Cms "
        << figure(m.cms * 1e3) << " mm/N\n";
    out << "  drive:  " << figure(a.volts) << " V (" << figure(a.volts * a.volts / d.re) << " W into Re), pass band "
        << figure(a.passband_spl_db) << " dB SPL at 1 m; filter: " << r.filter_parts << " parts\n";
    out << "  limits: amplifier " << figure(a.limits.amp_v) << " V, Xmax " << figure(a.limits.xmax_mm) << " mm";
    if (a.limits.pe_w) out << ", pe " << figure(*a.limits.pe_w) << " W (" << figure(*a.limits.thermal_v) << " V)";
    if (a.limits.port_limit_ms) out << ", port air " << figure(*a.limits.port_limit_ms) << " m/s";
    out << "\n";
    if (a.port)
        out << "  port:   " << figure(*r.inputs.box.port_diameter) << " cm wide, "
            << (a.port->length_cm > 0 ? figure(a.port->length_cm) + " cm long (" + figure(a.port->volume_l) + " L)"
                                      : std::string("no length tunes it"))
            << "; end corrections 0.85 r flanged and 0.613 r free\n";
    out << "\n";
    row(out, "", "without the filter", "with the filter");
    // No f3: the SPL is within 3 dB of the pass band already at 1 Hz, or never below 1 kHz.
    const auto f3_text = [&](const std::optional<double>& f3, const std::vector<double>& spl) {
        return f3 || spl.front() >= a.passband_spl_db - 3 ? hz_text(f3) : std::string("none below 1 kHz");
    };
    row(out, "f3", f3_text(a.without_filter.f3, a.spl_db), f3_text(a.with_filter.f3, a.spl_filtered_db));
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) {
        const double lost = a.without_filter.spl_db_at[i] - a.with_filter.spl_db_at[i];
        row(out, "SPL at " + figure(sp::level_hz[i]) + " Hz", figure(a.without_filter.spl_db_at[i]) + " dB",
            figure(a.with_filter.spl_db_at[i]) + " dB (" + texts::level_change_text(lost) + ")");
    }
    const auto peak = [](double v, double hz, const char* unit) {
        return figure(v) + " " + unit + " at " + figure(hz) + " Hz";
    };
    row(out, "peak excursion", peak(a.without_filter.peak_excursion_mm, a.without_filter.peak_excursion_hz, "mm"),
        peak(a.with_filter.peak_excursion_mm, a.with_filter.peak_excursion_hz, "mm"));
    if (a.without_filter.peak_port_velocity)
        row(out, "peak port velocity",
            peak(*a.without_filter.peak_port_velocity, *a.without_filter.peak_port_hz, "m/s"),
            peak(*a.with_filter.peak_port_velocity, *a.with_filter.peak_port_hz, "m/s"));
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) {
        const std::string plain = figure(a.max_spl.db_at[i]) + " dB (" + std::string(sp::limit_name(a.max_spl.limit_at[i])) + ")";
        row(out, "loudest at " + figure(sp::level_hz[i]) + " Hz", plain,
            figure(a.max_spl.filtered_db_at[i]) + " dB (" + std::string(sp::limit_name(a.max_spl.filtered_limit_at[i])) +
                "), " + figure(a.max_spl.lost_db_at[i], 3) + " dB lost");
    }
    out << "\n  beyond Xmax (" << figure(d.xmax) << " mm) with the filter: "
        << (a.unsafe_below_hz ? "up to " + figure(*a.unsafe_below_hz) + " Hz" : std::string("never")) << "\n";
    if (r.suggestion) {
        const sp::Suggestion& s = *r.suggestion;
        if (s.design) {
            const sp::Design& g = *s.design;
            out << "  suggestion: " << mode_caption(g.mode) << ", " << g.freq_text << " Hz, Q " << g.q_text
                << ": f3 " << hz_text(g.f3) << ", peak excursion "
                << peak(g.peak_excursion_mm, g.peak_excursion_hz, "mm") << "\n"
                << "    (vandrel-solve --mode " << (g.mode == Mode::sos ? "sos --q " + g.q_text : "butterworth")
                << " --freq " << g.freq_text << ")\n"
                << "    " << (g.parts == "exact" ? std::string("exact resistors") : "as built with " + g.parts + " parts")
                << ": filter peak " << figure(g.filter_peak_db, 3) << " dB, amplifier " << figure(g.peak_amplifier_v)
                << " V; at the worst tolerance corner " << figure(g.corner_peak_excursion_mm) << " mm, "
                << figure(g.corner_peak_amplifier_v) << " V"
                << (g.corner_peak_port_velocity ? ", " + figure(*g.corner_peak_port_velocity) + " m/s" : std::string())
                << "\n";
        } else {
            out << "  suggestion: none\n";
        }
        out << "    " << s.note << "\n";
    }
    if (!r.warnings.empty()) {
        out << "  warnings:\n";
        for (const std::string& w : r.warnings) out << "    " << w << "\n";
    }
}

}  // namespace vandrel::cli
