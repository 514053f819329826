// SPDX-License-Identifier: GPL-3.0-or-later
#include "subwoofer_page.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "accessibility.h"
#include "widgets/parts_panes.h"
#include "qtext.h"
#include "widgets/report_table.h"
#include "limits_model.h"
#include "speaker_plot.h"
#include "speaker_settings.h"
#include "suggest_runner.h"
#include "widgets/value_box.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {

namespace sp = speaker;

SubwooferPage::SubwooferPage(MainWindowDesign* main, QWidget* parent)
    : QWidget(parent), main_(main), runner_(new SuggestRunner(this)) {
    setObjectName(QStringLiteral("subwoofer_page"));
    inputs_ = new QWidget;
    inputs_->setObjectName(QStringLiteral("subwoofer_inputs"));
    build_figures(inputs_);
    auto* column = new QVBoxLayout(inputs_);
    column->setContentsMargins(0, 0, 4, 0);
    column->addWidget(build_driver());
    column->addWidget(build_box());
    column->addWidget(build_drive());
    column->addWidget(build_limits());
    column->addWidget(build_measurement());
    column->addWidget(table);
    column->addWidget(lbl_warnings);
    column->addStretch(1);

    inputs_scroll_ = new QScrollArea;
    inputs_scroll_->setObjectName(QStringLiteral("subwoofer_scroll"));
    inputs_scroll_->setAccessibleName(QStringLiteral("Subwoofer inputs and figures"));
    inputs_scroll_->setWidget(inputs_);
    inputs_scroll_->setWidgetResizable(true);
    inputs_scroll_->setFrameShape(QFrame::NoFrame);
    // Why nothing is shown above the inputs, and the suggestion below
    // them, in view whatever the inputs are scrolled to.
    inputs_pane_ = new QWidget;
    inputs_pane_->setObjectName(QStringLiteral("subwoofer_inputs_pane"));
    auto* pane = new QVBoxLayout(inputs_pane_);
    pane->setContentsMargins(0, 0, 0, 0);
    pane->addWidget(lbl_problems);
    pane->addWidget(lbl_units);
    pane->addWidget(inputs_scroll_, 1);
    suggestion_group_ = build_suggestion();
    pane->addWidget(suggestion_group_);
    plot = new SpeakerPlot;
    panes = new PartsPanes(inputs_pane_, inputs_scroll_, plot,
                           {QStringLiteral("&Inputs"), QStringLiteral("Pl&ots"), QStringLiteral("subwoofer"), 520, 0.6}, this);
    panes->splitter()->setAccessibleName(QStringLiteral("Subwoofer inputs and plots"));
    panes->tabs()->setAccessibleName(QStringLiteral("Subwoofer inputs and plots"));
    // The arrangement follows the panes' size; the split follows the
    // splitter's, which it gets after theirs.
    panes->installEventFilter(this);
    panes->splitter()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panes);

    connect_handlers();
    // The focus on what is to be done next.
    const auto refocus = [this] {
        if (!refocus_after_search_) return;
        refocus_after_search_ = false;
        (cmd_use->isEnabled() ? cmd_use : cmd_suggest)->setFocus(Qt::OtherFocusReason);
    };
    connect(runner_, &SuggestRunner::found, this, [this, refocus](const sp::Suggestion& s) {
        suggestion_ = s;
        show_suggestion();
        refocus();
    });
    connect(runner_, &SuggestRunner::failed, this, [this, refocus](const QString& why) {
        suggestion_.reset();
        show_suggestion();
        set_spoken_text(lbl_suggestion, QStringLiteral("Suggestion"), QStringLiteral("No suggestion: %1.").arg(why));
        refocus();
    });

    set_inputs(load_speaker_inputs());
    set_spoken_text(lbl_measurement, QStringLiteral("Measurement"), no_measurement_text());
    if (const QString kept = load_measurement_path(); !kept.isEmpty()) {
        QString failure;
        if (!load_measurement(kept, &failure)) set_spoken_text(lbl_measurement, QStringLiteral("Measurement"), failure);
    }
    update_figures();
}

SubwooferPage::~SubwooferPage() = default;

QString SubwooferPage::no_measurement_text() {
    return QStringLiteral("None. An FRD file or a measurement program's text export is drawn without and with the "
                          "filter.");
}

QLabel* SubwooferPage::cell(const QString& name) const {
    const auto it = cells_.find(name);
    return it == cells_.end() ? nullptr : it->second;
}

SpeakerInputs SubwooferPage::inputs() const {
    SpeakerInputs in;
    in.driver.name = txt_name->text().toStdString();
    in.driver.fs = spn_fs->entry();
    in.driver.qes = spn_qes->entry();
    in.driver.qms = spn_qms->entry();
    in.driver.qts = spn_qts->entry();
    in.driver.vas = spn_vas->entry();
    in.driver.re = spn_re->entry();
    in.driver.sd = spn_sd->entry();
    in.driver.xmax = spn_xmax->entry();
    in.driver.le = spn_le->entry();
    in.driver.pe = spn_pe->entry();
    in.box = opt_sealed->isChecked() ? sp::Box::Type::sealed : sp::Box::Type::vented;
    in.vb = spn_vb->entry();
    in.fb = spn_fb->entry();
    in.ql = spn_ql->entry();
    in.ql_typed = ql_typed_;
    in.port = spn_port->entry();
    in.drive = opt_watts->isChecked() ? DriveUnit::watts : DriveUnit::volts;
    in.volts = spn_volts->entry();
    in.watts = spn_watts->entry();
    in.amp = opt_amp_watts->isChecked() ? DriveUnit::watts : DriveUnit::volts;
    in.amp_volts = spn_amp_volts->entry();
    in.amp_watts = spn_amp_watts->entry();
    in.port_limit = spn_port_limit->entry();
    return in;
}

void SubwooferPage::set_inputs(const SpeakerInputs& in) {
    loading_ = true;
    txt_name->setText(to_qstring(in.driver.name));
    const sp::DriverValues& d = in.driver;
    for (auto [box, value] : {std::pair{spn_fs, d.fs}, {spn_qes, d.qes}, {spn_qms, d.qms}, {spn_qts, d.qts},
                              {spn_vas, d.vas}, {spn_re, d.re}, {spn_sd, d.sd}, {spn_xmax, d.xmax}, {spn_le, d.le},
                              {spn_pe, d.pe},
                              {spn_vb, in.vb}, {spn_fb, in.fb}, {spn_ql, in.ql}, {spn_port, in.port},
                              {spn_volts, in.volts}, {spn_watts, in.watts}, {spn_amp_volts, in.amp_volts},
                              {spn_amp_watts, in.amp_watts}, {spn_port_limit, in.port_limit}})
        box->set_entry(value);
    (in.box == sp::Box::Type::sealed ? opt_sealed : opt_vented)->setChecked(true);
    (in.drive == DriveUnit::watts ? opt_watts : opt_volts)->setChecked(true);
    (in.amp == DriveUnit::watts ? opt_amp_watts : opt_amp_volts)->setChecked(true);
    ql_typed_ = in.ql_typed;
    loading_ = false;
    enable_for_choices();
    input_Problem();
}

void SubwooferPage::enable_for_choices() {
    const bool vented = opt_vented->isChecked();
    spn_fb->setEnabled(vented);
    spn_port->setEnabled(vented);
    spn_volts->setEnabled(opt_volts->isChecked());
    spn_watts->setEnabled(opt_watts->isChecked());
    spn_amp_volts->setEnabled(opt_amp_volts->isChecked());
    spn_amp_watts->setEnabled(opt_amp_watts->isChecked());
    // A port's air velocity needs its diameter.
    spn_port_limit->setEnabled(vented && spn_port->entry().has_value());
}

void SubwooferPage::bring_up_to_date() {
    if (stale_) update_figures();
}

void SubwooferPage::show_filter(const SpeakerFilter& filter) {
    filter_ = filter;
    has_filter_ = true;
    stale_ = true;
    if (isVisible()) update_figures();
    show_suggestion();
}

// A field, an option or the name changed: the suggestion was for other inputs.
void SubwooferPage::input_Change() {
    if (loading_) return;
    enable_for_choices();
    save_speaker_inputs(inputs());
    runner_->forget();
    suggestion_.reset();
    update_figures();
}

// The box changed: Ql follows its default, unless it was typed.
void SubwooferPage::box_Change() {
    if (loading_) return;
    if (!ql_typed_) spn_ql->set_entry(default_ql(inputs().box));
    input_Change();
}

// Ql typed: kept whatever the box, unless it is the box's default.
void SubwooferPage::ql_Change() {
    ql_typed_ = spn_ql->entry() != default_ql(inputs().box);
    show_field_notes();
    input_Change();
}

// The name changed (leaving the field unchanged changes nothing): kept, and
// in the captions; the suggestion still holds.
void SubwooferPage::name_Change() {
    if (loading_ || !txt_name->isModified()) return;
    txt_name->setModified(false);
    save_speaker_inputs(inputs());
    update_figures();
}

// A field refused its text, or took one again: said under the field. Why
// there are no figures: said at the top of the page.
void SubwooferPage::input_Problem() {
    show_field_notes();
    QStringList lines;
    for (const std::string& p : figures_.problems) lines << to_qstring(p);
    set_spoken_text(lbl_problems, QStringLiteral("Why nothing is shown"), lines.join(QLatin1Char('\n')));
    lbl_problems->setVisible(!lines.isEmpty());
    show_conversions();
}

void SubwooferPage::show_field_notes() {
    QWidget* typing = nullptr;
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<ValueBox*>(w)) typing = w;
    for (const ValueBox* box : number_fields()) {
        QLabel* note = note_of(box);
        QString text;
        bool refused = false;
        if (!box->problem().isEmpty()) {
            const auto kept = box->entry();
            const QString unit = box->range().unit.empty() ? QString() : QLatin1Char(' ') + to_qstring(box->range().unit);
            text = box->problem() + (kept ? QStringLiteral(" The figures keep %1%2.")
                                                .arg(to_qstring(vandrel::texts::figure(*kept, 6)), unit)
                                          : QStringLiteral(" The figures take it as not given."));
            refused = true;
        } else if (box == spn_ql && ql_typed_) {
            text = to_qstring(typed_ql_note(box->entry(), inputs().box));
        }
        note->setStyleSheet(refused ? QStringLiteral("QLabel { color: #a01010; }") : QString());
        set_spoken_text(note, QString(), text);
        note->setVisible(!text.isEmpty());
        if (box == spn_ql)
            spn_ql->setToolTip(QStringLiteral("The box's leakage Q; empty for none. It follows the box (7 vented, none "
                                              "sealed) until you type another value.") +
                               (ql_typed_ ? QLatin1Char(' ') + text : QString()));
        if (box == typing && !text.isEmpty()) {
            // Laid out first (the group, the column, the scroll area's
            // range), so that the line has its place.
            for (int round = 0; round < 3; ++round) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            inputs_scroll_->ensureWidgetVisible(note, 0, 4);
        }
    }
}

QLabel* SubwooferPage::note_of(const ValueBox* field) const {
    return field->parentWidget()->findChild<QLabel*>(field->objectName() + QStringLiteral("_note"),
                                                     Qt::FindDirectChildrenOnly);
}

void SubwooferPage::update_figures() {
    stale_ = false;
    if (has_filter_) {
        figures_ = work_out_speaker(inputs(), filter_, measurement_ ? &*measurement_ : nullptr);
    } else {
        figures_ = {};
        figures_.problems.emplace_back("No design yet: solve one in the main window.");
    }
    const bool shown = figures_.analysis.has_value();
    if (shown) {
        for (const FigureRow& row : figure_rows(*figures_.analysis)) {
            const QString name = QStringLiteral("system_%1_").arg(QLatin1String(row.key));
            ReportTable::show(cells_.at(name + QStringLiteral("without")), to_qstring(row.without));
            ReportTable::show(cells_.at(name + QStringLiteral("with")), to_qstring(row.with));
        }
        ReportTable::show(cells_.at(QStringLiteral("system_passband")),
                          QStringLiteral("Pass band ") + to_qstring(passband_text(figures_)));
        ReportTable::show(cells_.at(QStringLiteral("system_unsafe")),
                          to_qstring(unsafe_text(*figures_.analysis, figures_.system->driver.xmax)));
        ReportTable::show(cells_.at(QStringLiteral("system_box")), to_qstring(sealed_box_text(*figures_.system)));
        for (const FigureRow& row : loudest_rows(*figures_.analysis)) {
            const QString name = QStringLiteral("system_%1_").arg(QLatin1String(row.key));
            ReportTable::show(cells_.at(name + QStringLiteral("without")), to_qstring(row.without));
            ReportTable::show(cells_.at(name + QStringLiteral("with")), to_qstring(row.with));
        }
        ReportTable::show(cells_.at(QStringLiteral("system_limits")), to_qstring(limits_text(*figures_.analysis)));
        ReportTable::show(cells_.at(QStringLiteral("system_port")),
                          to_qstring(port_length_text(*figures_.system, *figures_.analysis)));
    }
    else
        // Hidden, the figures say nothing: a screen reader reads hidden text too.
        for (const auto& [name, label] : cells_) ReportTable::show(label, QString());
    for (const char* note : {"system_box", "system_port"}) {
        QLabel* label = cells_.at(QLatin1String(note));
        label->setVisible(!label->text().isEmpty());
    }
    table->setVisible(shown);
    QStringList warnings;
    for (const std::string& w : figures_.warnings) warnings << QStringLiteral("\u26a0 ") + to_qstring(w);
    set_spoken_text(lbl_warnings, QStringLiteral("Subwoofer warnings"), warnings.join(QLatin1Char('\n')));
    lbl_warnings->setVisible(!warnings.isEmpty());
    input_Problem();
    plot->show_figures(figures_);
    show_suggestion();
    arrange();
    emit updated();
}

void SubwooferPage::show_suggestion() {
    const bool searching = runner_->searching();
    cmd_suggest->setEnabled(figures_.system.has_value() && !searching);
    cmd_use->setEnabled(main_ && !searching && suggestion_ && suggestion_->design);
    cmd_back->setEnabled(main_ && main_->has_previous_design());
    QString text;
    if (searching)
        text = QStringLiteral("Searching\u2026");
    else if (suggestion_ && suggestion_->design) {
        text = to_qstring(design_text(*suggestion_->design)) + QLatin1Char('\n') + to_qstring(page_words(suggestion_->note));
        if (has_filter_ && is_design(filter_, *suggestion_->design))
            text += QStringLiteral("\nThe main window has this design.");
    } else if (suggestion_)
        text = QStringLiteral("No suggestion: ") + to_qstring(page_words(suggestion_->note));
    else if (figures_.system)
        text = QStringLiteral("\u201cSuggest a filter\u201d finds the design with the lowest f3 that keeps every "
                              "limit at this drive, built with the first page's parts at their tolerances.");
    else
        text = QStringLiteral("A suggestion needs the driver, the box and the drive.");
    set_spoken_text(lbl_suggestion, QStringLiteral("Suggestion"), text);
}

int SubwooferPage::least_width() const {
    int width = std::max(table->form_width(), suggestion_group_->minimumSizeHint().width());
    for (const QGroupBox* g : inputs_->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly))
        if (g != table) width = std::max(width, g->minimumSizeHint().width());
    const QMargins m = inputs_->layout()->contentsMargins();
    return width + m.left() + m.right() + inputs_scroll_->verticalScrollBar()->sizeHint().width();
}

// Beside the plots where the page is wide, else above them or on tabs; the
// figures as a form where the pane is narrower than their grid.
void SubwooferPage::arrange() {
    // Arranging resizes the panes, which asks for it again.
    if (arranging_) return;
    arranging_ = true;
    const QMargins m = inputs_->layout()->contentsMargins();
    const int scroll_bar = inputs_scroll_->verticalScrollBar()->sizeHint().width();
    const int grid = std::max(least_width(), table->grid_width() + m.left() + m.right() + scroll_bar);
    const Arrangement a = arrangement_for(panes->size(), grid);
    if (a != panes->arrangement()) {
        panes->set_arrangement(a);
        emit rearranged();
    }
    table->set_form(a != Arrangement::beside && panes->width() < grid);
    // Above the plots: the whole pane, its message and suggestion too.
    const int spacing = inputs_pane_->layout()->spacing();
    const int pane_height = inputs_->sizeHint().height() + spacing + suggestion_group_->sizeHint().height() +
                            (lbl_problems->isHidden() ? 0 : lbl_problems->sizeHint().height() + spacing);
    panes->fit_report(a == Arrangement::beside ? grid : least_width(), pane_height);
    arranging_ = false;
}

void SubwooferPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Laid out for the size it has now, which it may not have had hidden.
    if (stale_)
        update_figures();
    else
        arrange();
}

bool SubwooferPage::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == panes || watched == panes->splitter()) && event->type() == QEvent::Resize) arrange();
    return QWidget::eventFilter(watched, event);
}

}  // namespace vandrel::ui
