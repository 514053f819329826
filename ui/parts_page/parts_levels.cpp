// SPDX-License-Identifier: GPL-3.0-or-later
// The report's table of the levels inside the filter at full scale: at the
// buffer's output and the high-pass's, against what the op-amps swing, and
// into the amplifier against its sensitivity. A stage that clips is marked
// in words and in red, never by colour alone.
#include <QLabel>

#include <string>

#include "parts_report.h"
#include "qtext.h"
#include "vandrel/as_built/levels_text.h"
#include "vandrel/texts/figures.h"
#include "widgets/report_table.h"

namespace vandrel::ui {
namespace {

using texts::figure;

constexpr char clip_style[] = "QLabel { color: #a01010; font-weight: bold; }";

std::string volts(double v) { return figure(v, 4) + " V rms"; }

std::string headroom(double db) { return (db < 0 ? "\u26a0 " : "") + as_built::headroom_text(db); }

std::string amplifier(const as_built::Levels& l) {
    const std::string match = as_built::amplifier_match_text(l);
    if (match.empty()) return "no sensitivity";
    return (*l.amp_overdrive_db > as_built::overdrive_warning_db ? "\u26a0 " : "") + match;
}

}  // namespace

void PartsReport::add_levels_table(const std::function<ReportTable*(ReportTable*)>& add) {
    ReportTable* table = add(new ReportTable(QStringLiteral("Levels at full scale"), "levels",
                                             {{"level", QStringLiteral("Level")},
                                              {"at", QStringLiteral("At")},
                                              {"headroom", QStringLiteral("Headroom")}},
                                             {{"buffer", QStringLiteral("Buffer out")},
                                              {"section", QStringLiteral("High-pass out")},
                                              {"amp", QStringLiteral("Amplifier in")}},
                                             cells_, this));
    cells_[QStringLiteral("levels_note")] = table->add_note(nullptr, "levels_note");
    QLabel* warning = cells_[QStringLiteral("levels_warning")] = table->add_note(nullptr, "levels_warning");
    warning->setStyleSheet(QStringLiteral("QLabel { color: #8a4b00; }"));
    warning->hide();
}

void PartsReport::show_levels(const PartsFigures& f) {
    const std::optional<as_built::Levels>& l = f.levels;
    const auto stage = [&](const char* row, double level, double hz, double room) {
        const QString r = QStringLiteral("levels_%1_").arg(QLatin1String(row));
        set(r + QStringLiteral("level"), l ? volts(level) : "none");
        set(r + QStringLiteral("at"), l ? figure(hz, 4) + " Hz" : "none");
        set(r + QStringLiteral("headroom"), l ? headroom(room) : "none");
        cells_.at(r + QStringLiteral("headroom"))->setStyleSheet(l && room < 0 ? QLatin1String(clip_style) : QString());
    };
    stage("buffer", l ? l->buffer_peak_v : 0, l ? l->buffer_peak_hz : 0, l ? l->buffer_headroom_db : 0);
    stage("section", l ? l->section_peak_v : 0, l ? l->section_peak_hz : 0, l ? l->section_headroom_db : 0);
    set(QStringLiteral("levels_amp_level"), l ? volts(l->amp_input_v) : "none");
    set(QStringLiteral("levels_amp_at"), l ? "pass band" : "none");
    set(QStringLiteral("levels_amp_headroom"), l ? amplifier(*l) : "none");
    const bool overdriven = l && l->amp_overdrive_db && *l->amp_overdrive_db > as_built::overdrive_warning_db;
    cells_.at(QStringLiteral("levels_amp_headroom"))->setStyleSheet(overdriven ? QLatin1String(clip_style) : QString());

    set(QStringLiteral("levels_note"), l ? as_built::levels_summary(*l) : "No levels: " + f.levels_failure + ".");

    std::string warnings;
    if (l)
        for (const as_built::LevelIssue& w : l->warnings) warnings += (warnings.empty() ? "" : "\n") + std::string("\u26a0 ") + w.text;
    set(QStringLiteral("levels_warning"), warnings);
    cells_.at(QStringLiteral("levels_warning"))->setVisible(!warnings.empty());
}

}  // namespace vandrel::ui
