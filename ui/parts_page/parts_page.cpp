// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_page.h"

#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

#include "parts_report.h"
#include "parts_settings.h"
#include "qtext.h"
#include "response_plot.h"
#include "vandrel/texts/figures.h"
#include "widgets/parts_panes.h"
#include "widgets/value_box.h"
#include "widgets/wrap_row.h"

namespace vandrel::ui {

namespace ab = as_built;

PartsPage::PartsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("parts_page"));
    build_controls();
    set_choices(load_choices());
}

bool PartsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panes && event->type() == QEvent::Resize) arrange();
    return QWidget::eventFilter(watched, event);
}

int PartsPage::least_width() const {
    const int report_width = report->form_width() + report_scroll_->verticalScrollBar()->sizeHint().width();
    return std::max(report_width, choices_row_->widest());
}

int PartsPage::least_height(int width, int least_pane_height) const {
    // A tab bar's own hint, once it has tabs.
    const int tab_bar = std::max(panes->tabs()->tabBar()->sizeHint().height(), fontMetrics().height() + 14);
    return layout()->contentsMargins().top() + choices_row_->height_for(width) + layout()->spacing() + tab_bar +
           least_pane_height;
}

std::vector<QWidget*> PartsPage::tab_order() const {
    return {cbo_series,   cbo_combine,         spn_r_tol,
            spn_c_tol,    cbo_capacitor,       spn_load,
            spn_source_v, spn_supply,          spn_amp_sensitivity,
            panes->tabs()->tabBar(), report_scroll_, plot->magnitude_view()};
}

std::vector<ValueBox*> PartsPage::number_fields() const {
    return {spn_r_tol, spn_c_tol, spn_load, spn_source_v, spn_supply, spn_amp_sensitivity};
}

Arrangement PartsPage::arrangement() const { return panes->arrangement(); }

void PartsPage::arrange() {
    // Arranging resizes the panes, which asks for it again: once more then,
    // for their size at the end (a few rounds settle it).
    if (arranging_) {
        arrange_again_ = true;
        return;
    }
    arranging_ = true;
    for (int round = 0; round < 4; ++round) {
        arrange_again_ = false;
        const int scroll_bar = report_scroll_->verticalScrollBar()->sizeHint().width();
        const int report_width = report->grid_width() + scroll_bar;
        const Arrangement a = arrangement_for(panes->size(), report_width);
        if (a != panes->arrangement()) {
            panes->set_arrangement(a);
            emit rearranged();
        }
        report->set_form(a != Arrangement::beside && panes->width() < report_width);
        panes->fit_report(report_width, report->sizeHint().height());
        if (!arrange_again_) break;
    }
    arranging_ = false;
}

PartsChoices PartsPage::choices() const {
    PartsChoices c;
    c.source = source_choice(cbo_series->currentText().toStdString()).value_or(c.source);
    c.combine = static_cast<ab::Combine>(cbo_combine->currentData().toInt());
    c.capacitor = static_cast<ab::CapSeries>(cbo_capacitor->currentData().toInt());
    c.r_pct = spn_r_tol->value();
    c.c_pct = spn_c_tol->value();
    c.load_kohm = spn_load->value();
    c.source_v = spn_source_v->value();
    c.supply_v = spn_supply->value();
    c.amp_sensitivity_v = spn_amp_sensitivity->entry();
    return c;
}

void PartsPage::set_choices(const PartsChoices& c) {
    loading_ = true;
    cbo_series->setCurrentText(to_qstring(source_choice_name(c.source)));
    cbo_combine->setCurrentIndex(cbo_combine->findData(static_cast<int>(c.combine)));
    cbo_capacitor->setCurrentIndex(cbo_capacitor->findData(static_cast<int>(c.capacitor)));
    spn_r_tol->set_value(c.r_pct);
    spn_c_tol->set_value(c.c_pct);
    spn_load->set_value(c.load_kohm);
    spn_source_v->set_value(c.source_v);
    spn_supply->set_value(c.supply_v);
    spn_amp_sensitivity->set_entry(c.amp_sensitivity_v);
    loading_ = false;
    cbo_combine->setEnabled(c.source.kind == ab::PartSource::Kind::series);
}

void PartsPage::show_design(const Module1& design, Mode mode) { design_ = {design, mode}; }

void PartsPage::choice_Change() {
    if (loading_) return;
    const PartsChoices c = choices();
    cbo_combine->setEnabled(c.source.kind == ab::PartSource::Kind::series);
    save_choices(c);
    emit changed();
}

// A field refused its text: say why beside it, and what the figures use.
void PartsPage::input_Problem() {
    QStringList lines;
    for (const ValueBox* box : number_fields())
        if (!box->problem().isEmpty())
            lines << box->problem() + (box->entry() ? QStringLiteral(" The figures keep %1 %2.")
                                                          .arg(to_qstring(texts::figure(box->value(), 6)),
                                                               to_qstring(box->range().unit))
                                                    : QStringLiteral(" The figures keep it empty."));
    lbl_input_problem->setText(lines.join(QLatin1Char('\n')));
    lbl_input_problem->setVisible(!lines.isEmpty());
}

bool PartsPage::update_figures() {
    if (!design_) {
        lbl_failure->setText(QStringLiteral("No design yet: solve one in the main window."));
    } else {
        figures_ = work_out(design_->first, design_->second, choices());
        // Hidden, the label says nothing: a screen reader reads hidden text too.
        QString failure;
        if (!figures_.built)
            failure = QStringLiteral("These parts cannot be built: %1. Choose a series or \"exact\".")
                          .arg(to_qstring(figures_.failure));
        lbl_failure->setText(failure);
        if (figures_.built) report->show_figures(figures_);
        plot->show_figures(figures_);
    }
    const bool built = figures_.built.has_value();
    lbl_failure->setVisible(!built);
    report->setVisible(built);
    // The report's pane from the new texts.
    arrange();
    return design_.has_value();
}

}  // namespace vandrel::ui
