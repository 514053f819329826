// SPDX-License-Identifier: GPL-3.0-or-later
#include "limits_model.h"

#include "vandrel/speaker/port.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;
using texts::figure;

// "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return out;
}

std::string hz_list() {
    std::vector<std::string> hz;
    for (double f : sp::level_hz) hz.push_back(figure(f));
    return listed(hz);
}

}  // namespace

std::string limit_label(sp::Limit limit) { return std::string(sp::limit_caption(limit)); }

std::vector<FigureRow> loudest_rows(const sp::Analysis& a) {
    constexpr const char* keys[] = {"loud20", "loud30", "loud40"};
    std::vector<FigureRow> rows;
    const sp::MaxSplFigures& m = a.max_spl;
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i)
        rows.push_back({keys[i], figure(m.db_at[i]) + " dB (" + limit_label(m.limit_at[i]) + ")",
                        figure(m.filtered_db_at[i]) + " dB (" + limit_label(m.filtered_limit_at[i]) + "), " +
                            figure(m.lost_db_at[i], 3) + " dB lost"});
    return rows;
}

std::string limits_text(const sp::Analysis& a) {
    const sp::LimitValues& l = a.limits;
    std::string text = "Limits: amplifier " + figure(l.amp_v) + " V, Xmax " + figure(l.xmax_mm) + " mm";
    text += l.pe_w && l.thermal_v ? ", Pe " + figure(*l.pe_w) + " W (" + figure(*l.thermal_v) + " V)"
                                  : std::string(", no Pe given");
    if (l.port_limit_ms) text += ", port air " + figure(*l.port_limit_ms) + " m/s";
    return text;
}

std::string port_length_text(const sp::Inputs& s, const sp::Analysis& a) {
    if (!a.port || !s.box.port_diameter) return {};
    const sp::PortFit& p = *a.port;
    const std::string across = "Port " + figure(*s.box.port_diameter) + " cm across: ";
    const std::string ends = "end corrections of 0.85 r (flanged) and 0.613 r (free), " +
                             figure(sp::port_end_correction) + " r in all";
    if (p.length_cm <= 0)
        return across + "no length tunes it to " + figure(s.box.fb) + " Hz, with " + ends + "; at least " +
               figure(p.narrowest_cm, 3) + " cm across would.";
    return across + figure(p.length_cm) + " cm long (" + figure(p.volume_l) + " L), with " + ends + ".";
}

std::string stretches_text(std::span<const double> hz, std::span<const sp::Limit> limits) {
    std::vector<std::string> parts;
    for (const sp::LimitStretch& s : sp::limit_stretches(hz, limits))
        parts.push_back(limit_label(s.limit) + " " + figure(s.from_hz) + " to " + figure(s.to_hz) + " Hz");
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i == 0 ? "" : ", ") + parts[i];
    return out;
}

std::string max_spl_summary(const SpeakerFigures& f) {
    if (!f.analysis) return "Nothing to plot: give the driver, the box and the drive.";
    const sp::Analysis& a = *f.analysis;
    const sp::MaxSplFigures& m = a.max_spl;
    std::vector<std::string> without, with, lost;
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) {
        without.push_back(figure(m.db_at[i]) + " dB (" + limit_label(m.limit_at[i]) + ")");
        with.push_back(figure(m.filtered_db_at[i]) + " dB (" + limit_label(m.filtered_limit_at[i]) + ")");
        lost.push_back(figure(m.lost_db_at[i], 3));
    }
    return "Loudest safe level at " + hz_list() + " Hz: " + listed(without) + " without the filter, " + listed(with) +
           " with it, " + listed(lost) + " dB lost. Set without the filter by " +
           stretches_text(a.hz, a.max_spl_limit) + "; with it by " + stretches_text(a.hz, a.max_spl_filtered_limit) +
           ".";
}

}  // namespace vandrel::ui
