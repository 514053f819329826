// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's controls: the choices, the report and the plot in
// their panes, the commands, and what each says when pointed at.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

#include "accessibility.h"
#include "frm_parts.h"
#include "parts_panes.h"
#include "parts_report.h"
#include "qtext.h"
#include "response_plot.h"
#include "subwoofer_page.h"
#include "value_box.h"
#include "wrap_row.h"

using vandrel::ui::to_qstring;
namespace ab = vandrel::as_built;

namespace {

QComboBox* combo(QWidget* parent, const char* name, const QString& accessible, const QString& tip) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    // Named by its caption, not by its current item.
    vandrel::ui::name_combo_box(box, accessible);
    box->setToolTip(tip);
    return box;
}

vandrel::ui::ValueBox* number(QWidget* parent, const char* name, const vandrel::ui::EntryRange& range, double step,
                               const QString& tip) {
    auto* box = new vandrel::ui::ValueBox(range, step, parent);
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

QPushButton* command(const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    // Enter on the focused button presses it, as Space does.
    b->setAutoDefault(true);
    return b;
}

}  // namespace

QWidget* frm_parts::build_choices() {
    cbo_series = combo(this, "cbo_series", QStringLiteral("Series"),
                       QStringLiteral("Where the resistors come from: a series of preferred values (E3 has 3 a decade, "
                                      "E192 has 192), \"exact\" for the values the design asks for, unrounded, or "
                                      "\"as shown\" for the values the main window shows, cut down to 0.1 k\u03a9 "
                                      "(0.01 k\u03a9 at 1 k\u03a9 and below)."));
    for (const vandrel::ui::SourceChoice& c : vandrel::ui::source_choices) {
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
    for (const vandrel::ui::CapacitorChoice& c : vandrel::ui::capacitor_choices)
        cbo_capacitor->addItem(to_qstring(c.name), static_cast<int>(c.from));
    const QString spread = QStringLiteral(" The spread takes 10,000 builds, each part drawn uniformly (not normally) "
                                          "within \u00b1 its tolerance, from a fixed seed, so it repeats.");
    spn_r_tol = number(this, "spn_r_tol", vandrel::ui::r_tol_range, 0.1,
                       QStringLiteral("The tolerance of every resistor, \u00b1 %, from 0 to 50. A second part is "
                                      "used only where it does better than this.") + spread);
    spn_c_tol = number(this, "spn_c_tol", vandrel::ui::c_tol_range, 1,
                       QStringLiteral("The tolerance of every capacitor, \u00b1 %, from 0 to 50.") + spread);
    spn_load = number(this, "spn_load", vandrel::ui::load_range, 1,
                      QStringLiteral("The load at the output, k\u03a9 (the amplifier's input), from 0.01 to 100000."));

    choices_row_ = new vandrel::ui::WrapRow(14, 6);
    choices_row_->setObjectName(QStringLiteral("choices_row"));
    choices_row_->add(choice(QStringLiteral("&Series:"), cbo_series));
    choices_row_->add(choice(QStringLiteral("Co&mbine:"), cbo_combine));
    choices_row_->add(choice(QStringLiteral("&Resistors \u00b1"), spn_r_tol, QStringLiteral("%")));
    choices_row_->add(choice(QStringLiteral("C&apacitors \u00b1"), spn_c_tol, QStringLiteral("%")));
    choices_row_->add(choice(QStringLiteral("C val&ue:"), cbo_capacitor));
    choices_row_->add(choice(QStringLiteral("&Load:"), spn_load, QStringLiteral("k\u03a9")));
    return choices_row_;
}

QWidget* frm_parts::build_commands() {
    cmd_copy = command("cmd_copy", QStringLiteral("&Copy parts list"),
                       QStringLiteral("The parts and the figures as text, as vandrel-solve --parts prints them"));
    cmd_spice = command("cmd_spice", QStringLiteral("Save SPICE &netlist\u2026"),
                        QStringLiteral("The whole path with these parts, for ngspice or LTspice"));
    cmd_csv = command("cmd_csv", QStringLiteral("Save response as CS&V\u2026"),
                      QStringLiteral("The response from 1 Hz to 1 kHz with its tolerance band, the design and the "
                                     "parts in comment lines"));
    cmd_plot = command("cmd_plot", QStringLiteral("Save &plot as image\u2026"),
                       QStringLiteral("The two plots with a caption: PNG, JPEG or SVG, as the file name's suffix says"));
    cmd_sheet = command("cmd_sheet", QStringLiteral("Save &build sheet as PDF\u2026"),
                        QStringLiteral("One A4 page for the bench: the diagram with these parts, the parts to buy, "
                                       "the design, the figures and the plots"));
    cmd_sheet->setAccessibleName(QStringLiteral("Save build sheet as PDF"));
    commands_row_ = new vandrel::ui::WrapRow(6, 6);
    commands_row_->setObjectName(QStringLiteral("commands_row"));
    for (QPushButton* b : {cmd_copy, cmd_spice, cmd_csv, cmd_plot, cmd_sheet}) commands_row_->add(b);
    return commands_row_;
}

void frm_parts::build_controls() {
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

    report = new vandrel::ui::PartsReport;
    auto* scroll = report_scroll_ = new QScrollArea;
    scroll->setObjectName(QStringLiteral("report_scroll"));
    scroll->setAccessibleName(QStringLiteral("Figures"));
    scroll->setWidget(report);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab reaches the report, so that the arrows and Page Up and Down
    // scroll it where the window is short.
    scroll->setFocusPolicy(Qt::StrongFocus);
    plot = new vandrel::ui::ResponsePlot;
    panes = new vandrel::ui::PartsPanes(
        scroll, plot, {QStringLiteral("&Figures"), QStringLiteral("Pl&ot"), QStringLiteral("report"), 440}, this);
    panes->installEventFilter(this);

    // The parts and their response on the first page, the subwoofer on
    // the second; the commands below both.
    parts_page = new QWidget;
    parts_page->setObjectName(QStringLiteral("parts_page"));
    auto* page = new QVBoxLayout(parts_page);
    page->setContentsMargins(0, 6, 0, 0);
    page->setSpacing(6);
    page->addWidget(choices);
    page->addWidget(lbl_input_problem);
    page->addWidget(lbl_failure);
    page->addWidget(panes, 1);
    subwoofer = new vandrel::ui::SubwooferPage(main_design_);
    pages = new QTabWidget;
    pages->setObjectName(QStringLiteral("pages"));
    pages->setAccessibleName(QStringLiteral("Pages"));
    pages->setDocumentMode(true);
    // Tab reaches the tab bar, not the tab widget as well.
    pages->setFocusPolicy(Qt::NoFocus);
    pages->addTab(parts_page, QStringLiteral("Par&ts"));
    pages->addTab(subwoofer, QStringLiteral("Sub&woofer"));
    pages->tabBar()->setObjectName(QStringLiteral("page_tabs"));

    QWidget* commands = build_commands();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(pages, 1);
    layout->addWidget(commands);

    set_tab_order();

    connect(cbo_series, &QComboBox::currentIndexChanged, this, &frm_parts::choice_Change);
    connect(cbo_combine, &QComboBox::currentIndexChanged, this, &frm_parts::choice_Change);
    connect(cbo_capacitor, &QComboBox::currentIndexChanged, this, &frm_parts::choice_Change);
    for (vandrel::ui::ValueBox* box : {spn_r_tol, spn_c_tol, spn_load}) {
        connect(box, &vandrel::ui::ValueBox::value_changed, this, &frm_parts::choice_Change);
        connect(box, &vandrel::ui::ValueBox::problem_changed, this, &frm_parts::input_Problem);
    }
    connect(cmd_copy, &QPushButton::clicked, this, &frm_parts::cmd_copy_Click);
    connect(cmd_spice, &QPushButton::clicked, this, &frm_parts::cmd_spice_Click);
    connect(cmd_csv, &QPushButton::clicked, this, &frm_parts::cmd_csv_Click);
    connect(cmd_plot, &QPushButton::clicked, this, &frm_parts::cmd_plot_Click);
    connect(cmd_sheet, &QPushButton::clicked, this, &frm_parts::cmd_sheet_Click);
    connect(pages, &QTabWidget::currentChanged, this, &frm_parts::update_commands);
    connect(subwoofer, &vandrel::ui::SubwooferPage::updated, this, &frm_parts::update_commands);
    connect(subwoofer, &vandrel::ui::SubwooferPage::rearranged, this, &frm_parts::set_tab_order);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

// Tab goes through the pages' tabs, the choices, the figures (by the tabs
// where there are any), the Subwoofer page's controls and the commands, in
// the order they are shown (those of the page not shown are passed by);
// moving the panes between the splitter and the tabs upsets it, so it is
// set again then.
void frm_parts::set_tab_order() {
    std::vector<QWidget*> order{pages->tabBar(), cbo_series,  cbo_combine,
                                spn_r_tol,       spn_c_tol,   cbo_capacitor,
                                spn_load,        panes->tabs()->tabBar(), report_scroll_,
                                subwoofer->panes->tabs()->tabBar()};
    for (QWidget* w : subwoofer->tab_order()) order.push_back(w);
    for (QObject* child : commands_row_->children())
        if (auto* b = qobject_cast<QPushButton*>(child)) order.push_back(b);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}
