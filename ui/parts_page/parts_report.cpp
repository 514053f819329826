// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_report.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

#include "qtext.h"
#include "widgets/report_table.h"
#include "vandrel/as_built/parts_text.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

namespace ab = as_built;

std::string hz(double v) { return vandrel::texts::figure(v) + " Hz"; }
std::string db(double v) { return vandrel::texts::figure(v) + " dB"; }
std::string ms(double v) { return vandrel::texts::figure(v) + " ms"; }

// The notes that carry the warnings, by the part they name.
const std::pair<const char*, const char*> warning_notes[] = {
    {"R1", "parts_r1_warning"}, {"R3", "parts_r3_warning"}, {"R4", "parts_r4_warning"},
    {"C", "parts_c_warning"},   {"", "path_warning"},
};

}  // namespace

PartsReport::PartsReport(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](ReportTable* table) {
        tables_.push_back(table);
        layout->addWidget(table);
        return table;
    };

    ReportTable* parts = add(new ReportTable(QStringLiteral("Parts"), "parts",
                                             {{"exact", QStringLiteral("Exact")},
                                              {"shown", QStringLiteral("Shown")},
                                              {"chosen", QStringLiteral("Chosen")},
                                              {"value", QStringLiteral("Value")},
                                              {"deviation", QStringLiteral("Deviation")}},
                                             {{"r1", QStringLiteral("R1")}, {"r3", QStringLiteral("R3")},
                                              {"r4", QStringLiteral("R4")}},
                                             cells_, this));
    for (const char* row : {"r1", "r3", "r4"}) cells_[QStringLiteral("parts_%1_warning").arg(QLatin1String(row))] =
        parts->add_note(row, qPrintable(QStringLiteral("parts_%1_warning").arg(QLatin1String(row))));
    cells_[QStringLiteral("parts_c")] = parts->add_note(nullptr, "parts_c");
    cells_[QStringLiteral("parts_c_warning")] = parts->add_note(nullptr, "parts_c_warning");

    add(new ReportTable(QStringLiteral("High-pass section"), "section",
                        {{"built", QStringLiteral("As built")}, {"exact", QStringLiteral("Exact design")}},
                        {{"f0", QStringLiteral("f0")},
                         {"q", QStringLiteral("Q")},
                         {"f3", QStringLiteral("f3")},
                         {"peak", QStringLiteral("Peak")}},
                        cells_, this));

    ReportTable::Names path_rows{{"gain", QStringLiteral("Gain")}, {"f3", QStringLiteral("f3")},
                                 {"peak", QStringLiteral("Peak")}};
    static const char* const delay_names[] = {"delay20", "delay30", "delay40"};
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        path_rows.emplace_back(delay_names[i],
                               QStringLiteral("Group delay at %1").arg(to_qstring(hz(ab::group_delay_hz[i]))));
    // Titled with the load once there are figures; until then its empty
    // cells take their name from this title, as those of the other tables do.
    path_box_ = add(new ReportTable(QStringLiteral("Whole path"), "path", {{"value", {}}}, path_rows, cells_, this));
    cells_[QStringLiteral("path_warning")] = path_box_->add_note(nullptr, "path_warning");

    ReportTable* tolerance =
        add(new ReportTable(QStringLiteral("Spread from tolerance"), "tolerance",
                            {{"p5", QStringLiteral("5th")}, {"p50", QStringLiteral("50th")}, {"p95", QStringLiteral("95th")}},
                            {{"section_f3", QStringLiteral("Section f3")},
                             {"path_f3", QStringLiteral("Path f3")},
                             {"peak", QStringLiteral("Peak")}},
                            cells_, this));
    cells_[QStringLiteral("tolerance_note")] = tolerance->add_note(nullptr, "tolerance_note");
    add_levels_table(add);
    for (const auto& [part, name] : warning_notes) {
        QLabel* note = cells_.at(QLatin1String(name));
        note->setStyleSheet(QStringLiteral("QLabel { color: #8a4b00; }"));
        note->hide();
    }
    layout->addStretch(1);
}

QLabel* PartsReport::cell(const QString& name) const {
    const auto it = cells_.find(name);
    return it == cells_.end() ? nullptr : it->second;
}

void PartsReport::set(const QString& name, const std::string& text) { ReportTable::show(cells_.at(name), to_qstring(text)); }

void PartsReport::set_form(bool form) {
    form_ = form;
    for (ReportTable* t : tables_) t->set_form(form);
}

int PartsReport::grid_width() const {
    int width = 0;
    for (const ReportTable* t : tables_) width = std::max(width, t->grid_width());
    return width;
}

int PartsReport::form_width() const {
    int width = 0;
    for (const ReportTable* t : tables_) width = std::max(width, t->form_width());
    return width;
}

void PartsReport::show_figures(const PartsFigures& f) {
    const ab::AsBuilt& b = *f.built;
    const auto resistor = [this](const char* name, const std::optional<ab::Resistor>& r) {
        const QString row = QStringLiteral("parts_%1_").arg(QLatin1String(name));
        set(row + QStringLiteral("exact"), r ? vandrel::texts::resistance_text(r->exact) : "none");
        set(row + QStringLiteral("shown"), r ? vandrel::texts::resistance_text(r->shown) : "none");
        set(row + QStringLiteral("chosen"), r ? ab::chosen_text(*r) : "none: follower");
        set(row + QStringLiteral("value"), r ? vandrel::texts::resistance_text(r->value) : "none");
        set(row + QStringLiteral("deviation"), r ? vandrel::texts::deviation_text(r->value, r->exact) : "none");
    };
    resistor("r1", b.parts.r1);
    resistor("r3", b.parts.r3);
    resistor("r4", b.parts.r4);
    set(QStringLiteral("parts_c"), "C: " + vandrel::texts::capacitance_text(b.parts.c.chosen) + ", twice: " +
                                       ab::capacitor_text(b.parts.c));

    for (const auto& [column, s] : {std::pair{"built", &b.section}, std::pair{"exact", &b.exact_section}}) {
        const QString c = QLatin1String(column);
        set(QStringLiteral("section_f0_") + c, hz(s->f0));
        set(QStringLiteral("section_q_") + c, vandrel::texts::figure(s->q));
        set(QStringLiteral("section_f3_") + c, hz(s->f3));
        set(QStringLiteral("section_peak_") + c, ab::peak_text(s->peak_hz, s->peak_db));
    }

    const ab::PathFigures& p = b.path_figures;
    path_box_->setTitle(QStringLiteral("Whole path into %1").arg(to_qstring(vandrel::texts::resistance_text(b.options.load_kohm))));
    set(QStringLiteral("path_gain_value"), db(p.gain_db));
    set(QStringLiteral("path_f3_value"), p.f3 ? hz(*p.f3) : "none");
    set(QStringLiteral("path_peak_value"), ab::peak_text(p.peak_hz, p.peak_db));
    set(QStringLiteral("path_delay20_value"), ms(p.group_delay_ms[0]));
    set(QStringLiteral("path_delay30_value"), ms(p.group_delay_ms[1]));
    set(QStringLiteral("path_delay40_value"), ms(p.group_delay_ms[2]));

    const ab::Tolerance& t = b.options.tolerance;
    std::string note = std::to_string(t.runs) + " builds, each part drawn uniformly within \u00b1" +
                       vandrel::texts::figure(t.r_pct) + " % (resistors) or \u00b1" + vandrel::texts::figure(t.c_pct) + " % (capacitors)";
    // The path's f3 where not every build's path reaches one.
    if (b.tolerance.path_f3 && b.tolerance.path_f3_runs < t.runs)
        note += "; the path's f3 over the " + std::to_string(b.tolerance.path_f3_runs) + " that reach one";
    set(QStringLiteral("tolerance_note"), note);
    const auto spread = [this](const char* row, const std::optional<ab::Spread>& s, const char* unit, bool zero_none) {
        const QString r = QStringLiteral("tolerance_%1_").arg(QLatin1String(row));
        const auto one = [&](double v) { return !s || (zero_none && v == 0) ? std::string("none") : vandrel::texts::figure(v) + unit; };
        set(r + QStringLiteral("p5"), one(s ? s->p5 : 0));
        set(r + QStringLiteral("p50"), one(s ? s->p50 : 0));
        set(r + QStringLiteral("p95"), one(s ? s->p95 : 0));
    };
    spread("section_f3", b.tolerance.section_f3, " Hz", false);
    spread("path_f3", b.tolerance.path_f3, " Hz", false);
    spread("peak", b.tolerance.peak_db, " dB", true);

    show_levels(f);

    // The warnings next to what they name.
    for (const auto& [part, name] : warning_notes) {
        std::string text;
        for (const ab::Warning& w : b.warnings)
            if (w.part == part) text += (text.empty() ? "" : "\n") + std::string("\u26a0 ") + w.text;
        set(QLatin1String(name), text);
        cells_.at(QLatin1String(name))->setVisible(!text.empty());
    }
}

}  // namespace vandrel::ui
