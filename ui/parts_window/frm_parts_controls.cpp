// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's frame around its pages: the two pages on tabs, the
// commands below them, what each command says when pointed at, and the
// order Tab goes in.
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "frm_parts.h"
#include "parts_page/parts_page.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/parts_panes.h"
#include "widgets/wrap_row.h"

namespace {

QPushButton* command(const char* name, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    // Enter on the focused button presses it, as Space does.
    b->setAutoDefault(true);
    return b;
}

}  // namespace

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
    build_file_commands();
    commands_row_ = new vandrel::ui::WrapRow(6, 6);
    commands_row_->setObjectName(QStringLiteral("commands_row"));
    for (QPushButton* b : {cmd_copy, cmd_spice, cmd_csv, cmd_frd, cmd_plot, cmd_sheet, cmd_kicad, cmd_design})
        commands_row_->add(b);
    return commands_row_;
}

void frm_parts::build_controls() {
    // The parts and their response on the first page, the subwoofer on
    // the second; the commands below both.
    parts = new vandrel::ui::PartsPage;
    cbo_series = parts->cbo_series;
    cbo_combine = parts->cbo_combine;
    cbo_capacitor = parts->cbo_capacitor;
    spn_r_tol = parts->spn_r_tol;
    spn_c_tol = parts->spn_c_tol;
    spn_load = parts->spn_load;
    spn_source_v = parts->spn_source_v;
    spn_supply = parts->spn_supply;
    spn_amp_sensitivity = parts->spn_amp_sensitivity;
    lbl_input_problem = parts->lbl_input_problem;
    lbl_failure = parts->lbl_failure;
    report = parts->report;
    plot = parts->plot;
    panes = parts->panes;
    parts_page = parts;
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

    connect(parts, &vandrel::ui::PartsPage::changed, this, &frm_parts::update_figures);
    connect(parts, &vandrel::ui::PartsPage::rearranged, this, &frm_parts::set_tab_order);
    connect(cmd_copy, &QPushButton::clicked, this, &frm_parts::cmd_copy_Click);
    connect(cmd_spice, &QPushButton::clicked, this, &frm_parts::cmd_spice_Click);
    connect(cmd_csv, &QPushButton::clicked, this, &frm_parts::cmd_csv_Click);
    connect(cmd_plot, &QPushButton::clicked, this, &frm_parts::cmd_plot_Click);
    connect(cmd_sheet, &QPushButton::clicked, this, &frm_parts::cmd_sheet_Click);
    connect(pages, &QTabWidget::currentChanged, this, &frm_parts::update_commands);
    connect(subwoofer, &vandrel::ui::SubwooferPage::updated, this, &frm_parts::update_commands);
    connect(subwoofer, &vandrel::ui::SubwooferPage::rearranged, this, &frm_parts::set_tab_order);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, this,
            &frm_parts::raise_main_window);
    // The tabs of a page from anywhere in the window, not only from within
    // them. Shift+Tab comes as Backtab, with or without Shift.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [this] { step_tabs(1); });
    for (const QKeySequence& back : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                    QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)})
        connect(new QShortcut(back, this), &QShortcut::activated, this, [this] { step_tabs(-1); });
}

// Tab goes through the pages' tabs, the choices, the figures (by the tabs
// where there are any), the plot, the Subwoofer page's controls and its
// plots, and the commands, in
// the order they are shown (those of the page not shown are passed by);
// moving the panes between the splitter and the tabs upsets it, so it is
// set again then.
void frm_parts::set_tab_order() {
    std::vector<QWidget*> order{pages->tabBar()};
    for (QWidget* w : parts->tab_order()) order.push_back(w);
    order.push_back(subwoofer->panes->tabs()->tabBar());
    for (QWidget* w : subwoofer->tab_order()) order.push_back(w);
    for (QObject* child : commands_row_->children())
        if (auto* b = qobject_cast<QPushButton*>(child)) order.push_back(b);
    // Those that take no focus (tab bars, with some styles) are left out:
    // Qt would leave the order unchanged around them.
    std::erase_if(order, [](const QWidget* w) { return w->focusPolicy() == Qt::NoFocus; });
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    first_in_order_ = order.front();
}
