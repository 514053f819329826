// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_report.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <vector>

#include "qtext.h"
#include "vandrel/as_built/parts_text.h"

namespace vandrel::ui {
namespace {

namespace ab = as_built;

using Names = std::vector<std::pair<const char*, QString>>;  // name, heading

// A table of labels: a heading row, then one row a name, each value named
// "<table>_<row>_<column>".
QGroupBox* table(QWidget* parent, const QString& title, const char* name, const Names& columns, const Names& rows,
                 std::map<QString, QLabel*>& cells) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(3);
    const auto heading = [box](const QString& text) {
        auto* label = new QLabel(text, box);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].second.isEmpty()) grid->addWidget(heading(columns[c].second), 0, static_cast<int>(c) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        grid->addWidget(heading(rows[r].second), row, 0);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            auto* value = new QLabel(box);
            const QString id = QStringLiteral("%1_%2_%3").arg(QLatin1String(name), QLatin1String(rows[r].first),
                                                              QLatin1String(columns[c].first));
            value->setObjectName(id);
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(value, row, static_cast<int>(c) + 1);
            cells[id] = value;
        }
    }
    grid->setColumnStretch(static_cast<int>(columns.size()) + 1, 1);
    return box;
}

// A line of text under a table's rows, across all its columns.
QLabel* note(QGroupBox* box, const char* name, int row) {
    auto* label = new QLabel(box);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QGridLayout*>(box->layout())->addWidget(label, row, 0, 1, -1);
    return label;
}

std::string hz(double v) { return ab::figure(v) + " Hz"; }
std::string db(double v) { return ab::figure(v) + " dB"; }
std::string part(double kohm) { return ab::figure(kohm, 6) + "k"; }

}  // namespace

PartsReport::PartsReport(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* parts = table(this, QStringLiteral("Parts"), "parts",
                        {{"exact", QStringLiteral("Exact")},
                         {"shown", QStringLiteral("Shown")},
                         {"chosen", QStringLiteral("Chosen")},
                         {"value", QStringLiteral("Value")},
                         {"deviation", QStringLiteral("Deviation")}},
                        {{"r1", QStringLiteral("R1")}, {"r3", QStringLiteral("R3")}, {"r4", QStringLiteral("R4")}},
                        cells_);
    capacitor_ = note(parts, "parts_c", 4);
    layout->addWidget(parts);

    layout->addWidget(table(this, QStringLiteral("High-pass section"), "section",
                            {{"built", QStringLiteral("As built")}, {"exact", QStringLiteral("Exact design")}},
                            {{"f0", QStringLiteral("f0")},
                             {"q", QStringLiteral("Q")},
                             {"f3", QStringLiteral("f3")},
                             {"peak", QStringLiteral("Peak")}},
                            cells_));

    Names path_rows{{"gain", QStringLiteral("Gain")}, {"f3", QStringLiteral("f3")}, {"peak", QStringLiteral("Peak")}};
    static const char* const delay_names[] = {"delay20", "delay30", "delay40"};
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        path_rows.emplace_back(delay_names[i],
                               QStringLiteral("Group delay at %1").arg(to_qstring(hz(ab::group_delay_hz[i]))));
    // Titled with the load once there are figures; until then its empty
    // cells take their name from this title, as those of the other tables do.
    path_box_ = table(this, QStringLiteral("Whole path"), "path", {{"value", {}}}, path_rows, cells_);
    layout->addWidget(path_box_);

    auto* tolerance_box = table(this, QStringLiteral("Spread from tolerance"), "tolerance",
                           {{"p5", QStringLiteral("5th")}, {"p50", QStringLiteral("50th")}, {"p95", QStringLiteral("95th")}},
                           {{"section_f3", QStringLiteral("Section f3")},
                            {"path_f3", QStringLiteral("Path f3")},
                            {"peak", QStringLiteral("Peak")}},
                           cells_);
    tolerance_ = note(tolerance_box, "tolerance_note", 4);
    layout->addWidget(tolerance_box);
    layout->addStretch(1);
}

QLabel* PartsReport::cell(const QString& name) const {
    const auto it = cells_.find(name);
    return it == cells_.end() ? nullptr : it->second;
}

void PartsReport::set(const QString& name, const std::string& text) { cells_.at(name)->setText(to_qstring(text)); }

void PartsReport::show_figures(const PartsFigures& f) {
    const ab::AsBuilt& b = *f.built;
    const auto resistor = [this](const char* name, const std::optional<ab::Resistor>& r) {
        const QString row = QStringLiteral("parts_%1_").arg(QLatin1String(name));
        set(row + QStringLiteral("exact"), r ? part(r->exact) : "-");
        set(row + QStringLiteral("shown"), r ? part(r->shown) : "-");
        set(row + QStringLiteral("chosen"), r ? ab::chosen_text(*r) : "none: follower");
        set(row + QStringLiteral("value"), r ? part(r->value) : "-");
        set(row + QStringLiteral("deviation"), r ? ab::deviation_text(r->value, r->exact) : "-");
    };
    resistor("r1", b.parts.r1);
    resistor("r3", b.parts.r3);
    resistor("r4", b.parts.r4);
    capacitor_->setText(QStringLiteral("C: %1 uF, twice: %2")
                            .arg(to_qstring(ab::figure(b.parts.c.value, 15)), to_qstring(ab::capacitor_text(b.parts.c))));

    for (const auto& [column, s] : {std::pair{"built", &b.section}, std::pair{"exact", &b.exact_section}}) {
        const QString c = QLatin1String(column);
        set(QStringLiteral("section_f0_") + c, hz(s->f0));
        set(QStringLiteral("section_q_") + c, ab::figure(s->q));
        set(QStringLiteral("section_f3_") + c, hz(s->f3));
        set(QStringLiteral("section_peak_") + c, ab::peak_text(s->peak_hz, s->peak_db));
    }

    const ab::PathFigures& p = b.path_figures;
    path_box_->setTitle(QStringLiteral("Whole path into %1k").arg(to_qstring(ab::figure(b.options.load_kohm))));
    set(QStringLiteral("path_gain_value"), db(p.gain_db));
    set(QStringLiteral("path_f3_value"), p.f3 ? hz(*p.f3) : "none");
    set(QStringLiteral("path_peak_value"), p.peak_db > 0 ? db(p.peak_db) : "none");
    set(QStringLiteral("path_delay20_value"), ab::figure(p.group_delay_ms[0]) + " ms");
    set(QStringLiteral("path_delay30_value"), ab::figure(p.group_delay_ms[1]) + " ms");
    set(QStringLiteral("path_delay40_value"), ab::figure(p.group_delay_ms[2]) + " ms");

    const ab::Tolerance& t = b.options.tolerance;
    tolerance_->setText(QStringLiteral("%3 builds; resistors \u00b1%1 %, capacitors \u00b1%2 %")
                            .arg(to_qstring(ab::figure(t.r_pct)), to_qstring(ab::figure(t.c_pct)))
                            .arg(t.runs));
    const auto spread = [this](const char* row, const std::optional<ab::Spread>& s, const char* unit) {
        const QString r = QStringLiteral("tolerance_%1_").arg(QLatin1String(row));
        set(r + QStringLiteral("p5"), s ? ab::figure(s->p5) + unit : "none");
        set(r + QStringLiteral("p50"), s ? ab::figure(s->p50) + unit : "-");
        set(r + QStringLiteral("p95"), s ? ab::figure(s->p95) + unit : "-");
    };
    spread("section_f3", b.tolerance.section_f3, " Hz");
    spread("path_f3", b.tolerance.path_f3, " Hz");
    spread("peak", b.tolerance.peak_db, " dB");
}

}  // namespace vandrel::ui
