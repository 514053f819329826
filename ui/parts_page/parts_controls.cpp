// SPDX-License-Identifier: GPL-3.0-or-later
// The page of parts' controls: the choices, the report and the plot in
// their panes, and what each says when pointed at.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <utility>

#include "accessibility.h"
#include "parts_page.h"
#include "parts_report.h"
#include "qtext.h"
#include "response_plot.h"
#include "widgets/parts_panes.h"
#include "widgets/value_box.h"
#include "widgets/wrap_row.h"

namespace vandrel::ui {

namespace ab = as_built;

namespace {

QComboBox* combo(QWidget* parent, const char* name, const QString& accessible, const QString& tip) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    // Named by its caption, not by its current item.
    name_combo_box(box, accessible);
    box->setToolTip(tip);
    return box;
}

ValueBox* number(QWidget* parent, const char* name, const EntryRange& range, double step,
                               const QString& tip) {
    auto* box = new ValueBox(range, step, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(to_qstring(range.name) + QStringLiteral(", ") + to_qstring(range.unit));
    box->setToolTip(tip);
    return box;
}

// A caption, whose mnemonic moves the focus to `control`, the control and
// its unit, kept together on one row.
QWidget* choice(const QString& caption, QWidget* control, const QString& unit = {}) {
    auto* item = new QWidget;
    auto* row = new QHBoxLayout(item);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* label = new QLabel(caption, item);
    label->setBuddy(control);
    label->setToolTip(control->toolTip());
    row->addWidget(label);
    row->addWidget(control);
    if (!unit.isEmpty()) row->addWidget(new QLabel(unit, item));
    return item;
}

}  // namespace

QWidget* PartsPage::build_choices() {
    cbo_series = combo(this, "cbo_series", QStringLiteral("Series"),
                       QStringLiteral("Where the resistors come from: a series of preferred values (E3 has 3 a decade, "
                                      "E192 has 192), \"exact\" for the values the design asks for, unrounded, or "
                                      "\"as shown\" for the values the main window shows, cut down to 0.1 k\u03a9 "
                                      "(0.01 k\u03a9 at 1 k\u03a9 and below)."));
    for (const SourceChoice& c : source_choices) {
        cbo_series->addItem(to_qstring(c.name));
        if (c.name == "exact")
            cbo_series->setItemData(cbo_series->count() - 1, QStringLiteral("The values the design asks for, unrounded"),
                                    Qt::ToolTipRole);
        if (c.name == "as shown")
            cbo_series->setItemData(cbo_series->count() - 1,
                                    QStringLiteral("The values the main window shows, cut down to 0.1 k\u03a9"),
                                    Qt::ToolTipRole);
    }
    cbo_combine = combo(this, "cbo_combine", QStringLiteral("Combine"),
                        QStringLiteral("One part for each resistor, or one or two joined in series or in parallel "
                                       "(from a series only). A second part is used only where it brings the value "
                                       "closer than the nearest single part by more than the resistor tolerance."));
    for (auto [how, text] : {std::pair{ab::Combine::single, "single"}, std::pair{ab::Combine::series, "two in series"},
                             std::pair{ab::Combine::parallel, "two in parallel"}})
        cbo_combine->addItem(QLatin1String(text), static_cast<int>(how));
    cbo_capacitor = combo(this, "cbo_capacitor", QStringLiteral("Capacitors bought"),
                          QStringLiteral("The two capacitors C you buy: the value typed in the main window, or the "
                                         "E6 or E12 value nearest to it. R3 and R4 are chosen for them, and the "
                                         "figures, the netlist and the files follow them."));
    for (const CapacitorChoice& c : capacitor_choices)
        cbo_capacitor->addItem(to_qstring(c.name), static_cast<int>(c.from));
    const QString spread = QStringLiteral(" The spread takes 10,000 builds, each part drawn uniformly (not normally) "
                                          "within \u00b1 its tolerance, from a fixed seed, so it repeats.");
    spn_r_tol = number(this, "spn_r_tol", r_tol_range, 0.1,
                       QStringLiteral("The tolerance of every resistor, \u00b1 %, from 0 to 50. A second part is "
                                      "used only where it does better than this.") + spread);
    spn_c_tol = number(this, "spn_c_tol", c_tol_range, 1,
                       QStringLiteral("The tolerance of every capacitor, \u00b1 %, from 0 to 50.") + spread);
    spn_load = number(this, "spn_load", load_range, 1,
                      QStringLiteral("The load at the output, k\u03a9 (the amplifier's input), from 0.01 to 100000."));

    spn_source_v = number(this, "spn_source_v", source_volts_entry, 0.1,
                          QStringLiteral("The source's full scale, V rms, from 0.001 to 100: the level the levels "
                                         "below are worked out at. 2 V is the usual line-level full scale."));
    spn_supply = number(this, "spn_supply", supply_entry, 1,
                        QStringLiteral("The op-amps' rails, \u00b1 V, above 1.5 and up to 100. An op-amp's output "
                                       "swings to within 1.5 V of each rail."));
    spn_amp_sensitivity =
        number(this, "spn_amp_sensitivity", amp_sensitivity_entry, 0.1,
               QStringLiteral("The amplifier's input level for its full output, V rms, from 0.001 to 100; empty "
                              "where it is not known. With it the figures say whether full scale overdrives the "
                              "amplifier, and the buffer gain that matches it best."));

    choices_row_ = new WrapRow(14, 6);
    choices_row_->setObjectName(QStringLiteral("choices_row"));
    choices_row_->add(choice(QStringLiteral("&Series:"), cbo_series));
    choices_row_->add(choice(QStringLiteral("Co&mbine:"), cbo_combine));
    choices_row_->add(choice(QStringLiteral("&Resistors \u00b1"), spn_r_tol, QStringLiteral("%")));
    choices_row_->add(choice(QStringLiteral("C&apacitors \u00b1"), spn_c_tol, QStringLiteral("%")));
    choices_row_->add(choice(QStringLiteral("C val&ue:"), cbo_capacitor));
    choices_row_->add(choice(QStringLiteral("&Load:"), spn_load, QStringLiteral("k\u03a9")));
    choices_row_->add(choice(QStringLiteral("Sourc&e:"), spn_source_v, QStringLiteral("V rms")));
    choices_row_->add(choice(QStringLiteral("Suppl&y \u00b1"), spn_supply, QStringLiteral("V")));
    choices_row_->add(choice(QStringLiteral("Amp sens&itivity:"), spn_amp_sensitivity, QStringLiteral("V rms")));
    return choices_row_;
}

void PartsPage::build_controls() {
    QWidget* choices = build_choices();

    lbl_input_problem = new QLabel(this);
    lbl_input_problem->setObjectName(QStringLiteral("lbl_input_problem"));
    lbl_input_problem->setAccessibleName(QStringLiteral("Input problem"));
    lbl_input_problem->setWordWrap(true);
    lbl_input_problem->setStyleSheet(QStringLiteral("QLabel { color: #a01010; }"));
    lbl_input_problem->hide();

    lbl_failure = new QLabel(this);
    lbl_failure->setObjectName(QStringLiteral("lbl_failure"));
    lbl_failure->setAccessibleName(QStringLiteral("Why no parts"));
    lbl_failure->setWordWrap(true);
    lbl_failure->setStyleSheet(QStringLiteral("QLabel { color: #a01010; font-weight: bold; }"));
    lbl_failure->hide();

    report = new PartsReport;
    auto* scroll = report_scroll_ = new QScrollArea;
    scroll->setObjectName(QStringLiteral("report_scroll"));
    scroll->setAccessibleName(QStringLiteral("Figures"));
    scroll->setWidget(report);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab reaches the report, so that the arrows and Page Up and Down
    // scroll it where the window is short.
    scroll->setFocusPolicy(Qt::StrongFocus);
    plot = new ResponsePlot;
    panes = new PartsPanes(scroll, plot,
                           {QStringLiteral("&Figures"), QStringLiteral("Pl&ot"), QStringLiteral("report"), 440}, this);
    panes->installEventFilter(this);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 6, 0, 0);
    page->setSpacing(6);
    page->addWidget(choices);
    page->addWidget(lbl_input_problem);
    page->addWidget(lbl_failure);
    page->addWidget(panes, 1);

    connect(cbo_series, &QComboBox::currentIndexChanged, this, &PartsPage::choice_Change);
    connect(cbo_combine, &QComboBox::currentIndexChanged, this, &PartsPage::choice_Change);
    connect(cbo_capacitor, &QComboBox::currentIndexChanged, this, &PartsPage::choice_Change);
    for (ValueBox* box : number_fields()) {
        connect(box, &ValueBox::value_changed, this, &PartsPage::choice_Change);
        connect(box, &ValueBox::problem_changed, this, &PartsPage::input_Problem);
    }
}

}  // namespace vandrel::ui
