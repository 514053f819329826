// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_parts.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

#include <algorithm>

#include "accessibility.h"
#include "frame_placement.h"
#include "parts_panes.h"
#include "parts_report.h"
#include "parts_settings.h"
#include "qtext.h"
#include "response_plot.h"
#include "speaker_model.h"
#include "subwoofer_page.h"
#include "vandrel/texts/figures.h"
#include "value_box.h"
#include "wrap_row.h"

using vandrel::ui::PartsChoices;
using vandrel::ui::to_qstring;
namespace ab = vandrel::as_built;

namespace {

// The largest client area worth filling beside the main window.
constexpr QSize most_size(1200, 1100);
// The least height of a tab's page: the plots, short but readable.
constexpr int least_page_height = 260;

// The main window's fields and Solve, on the screen.
QRect fields_of(const QWidget* main_window) {
    const QWidget* panel = main_window ? main_window->findChild<QWidget*>(QStringLiteral("frame_controls")) : nullptr;
    return panel ? QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size()) : QRect();
}

}  // namespace

// A window of its own rather than the main window's child: the main window
// comes to the front when clicked, which a big window near it needs.
frm_parts::frm_parts(QWidget* main_window, vandrel::ui::MainWindowDesign* design)
    : main_window_(main_window), main_design_(design) {
    setObjectName(QStringLiteral("frm_parts"));
    // A window to screen readers (a frame to AT-SPI), not a filler.
    vandrel::ui::make_window(this);
    setWindowTitle(QStringLiteral("Vandrel: parts and real response"));
    if (main_window) setWindowIcon(main_window->windowIcon());
    build_controls();
    set_choices(vandrel::ui::load_choices());
    place(main_window);
    if (main_window) main_window->installEventFilter(this);
}

frm_parts::~frm_parts() {
    if (isVisible()) vandrel::ui::save_geometry(saveGeometry());
}

bool frm_parts::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_window_ && event->type() == QEvent::Close) close();
    if (watched == panes && event->type() == QEvent::Resize) arrange();
    return QWidget::eventFilter(watched, event);
}

// --- Size and place ---------------------------------------------------------

QMargins frm_parts::frame_margins() const {
    if (windowHandle() && windowHandle()->isExposed()) return windowHandle()->frameMargins();
    const QWidget* main = main_window_;
    return main && main->windowHandle() ? main->windowHandle()->frameMargins() : QMargins();
}

int frm_parts::least_width() const {
    const QMargins m = layout()->contentsMargins();
    const int report_width = report->form_width() + report_scroll_->verticalScrollBar()->sizeHint().width();
    return std::max({report_width, choices_row_->widest(), commands_row_->widest(), subwoofer->least_width()}) +
           m.left() + m.right();
}

int frm_parts::least_height(int width) const {
    const QMargins m = layout()->contentsMargins();
    const int inner = width - m.left() - m.right();
    // A tab bar's own hint, once it has tabs.
    const int tab_bar = std::max(panes->tabs()->tabBar()->sizeHint().height(), fontMetrics().height() + 14);
    const int page_tabs = std::max(pages->tabBar()->sizeHint().height(), fontMetrics().height() + 14);
    // The first page, the taller: its choices above its panes' tabs.
    const int page = parts_page->layout()->contentsMargins().top() + choices_row_->height_for(inner) +
                     layout()->spacing() + tab_bar + least_page_height;
    return m.top() + m.bottom() + layout()->spacing() + page_tabs + page + commands_row_->height_for(inner);
}

vandrel::ui::PlaceRequest frm_parts::place_request(QWidget* main_window, const QMargins& frame) const {
    QScreen* screen = main_window ? main_window->screen() : this->screen();
    return {screen->availableGeometry(),
            main_window ? main_window->frameGeometry() : QRect(),
            fields_of(main_window),
            frame,
            least_width(),
            [this](int width) { return least_height(width); },
            most_size};
}

void frm_parts::set_least_size() {
    const QRect screen = (main_window_ ? main_window_->screen() : this->screen())->availableGeometry();
    const QSize room = screen.size().shrunkBy(frame_margins());
    const int width = least_width();
    setMinimumSize(QSize(width, least_height(std::max(width, room.width()))).boundedTo(room).boundedTo(squeezed_));
}

void frm_parts::place(QWidget* main_window) {
    set_least_size();
    const QMargins frame = frame_margins();
    if (restoreGeometry(vandrel::ui::load_geometry())) {
        // Where the user left it, pulled onto a screen that may have shrunk.
        const QRect screen = this->screen()->availableGeometry();
        const QRect left(pos(), size().grownBy(frame));
        const QRect pulled = vandrel::ui::pulled_onto(left, screen, minimumSize().grownBy(frame));
        if (pulled != left) {
            resize(pulled.size().shrunkBy(frame));
            move(pulled.topLeft());
        }
        return;
    }
    const QRect client = vandrel::ui::first_place(place_request(main_window, frame));
    // Placed smaller than readable, clear of the main window's fields, it
    // may stay that small; and it never grows by itself.
    squeezed_ = client.size();
    set_least_size();
    resize(client.size());
    // Placed again by its real frame once shown, unless put elsewhere by then.
    const QSize placed = size();
    vandrel::ui::place_by_frame(this, main_window ? main_window->screen() : screen(),
                                [this, main_window, placed](const QRect&, const QSize&) {
                                    if (size() != placed) return frameGeometry().topLeft();
                                    const QMargins real = frame_margins();
                                    const QRect c = vandrel::ui::first_place(place_request(main_window, real));
                                    squeezed_ = c.size();
                                    set_least_size();
                                    if (c.size() != size()) resize(c.size());
                                    return c.topLeft() - QPoint(real.left(), real.top());
                                });
}

vandrel::ui::Arrangement frm_parts::arrangement() const { return panes->arrangement(); }

void frm_parts::arrange() {
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
        const vandrel::ui::Arrangement a = vandrel::ui::arrangement_for(panes->size(), report_width);
        if (a != panes->arrangement()) {
            panes->set_arrangement(a);
            set_tab_order();
        }
        report->set_form(a != vandrel::ui::Arrangement::beside && panes->width() < report_width);
        panes->fit_report(report_width, report->sizeHint().height());
        if (!arrange_again_) break;
    }
    arranging_ = false;
}

// --- Choices and figures -----------------------------------------------------

PartsChoices frm_parts::choices() const {
    PartsChoices c;
    c.source = vandrel::ui::source_choice(cbo_series->currentText().toStdString()).value_or(c.source);
    c.combine = static_cast<ab::Combine>(cbo_combine->currentData().toInt());
    c.capacitor = static_cast<ab::CapSeries>(cbo_capacitor->currentData().toInt());
    c.r_pct = spn_r_tol->value();
    c.c_pct = spn_c_tol->value();
    c.load_kohm = spn_load->value();
    return c;
}

void frm_parts::set_choices(const PartsChoices& c) {
    loading_ = true;
    cbo_series->setCurrentText(to_qstring(vandrel::ui::source_choice_name(c.source)));
    cbo_combine->setCurrentIndex(cbo_combine->findData(static_cast<int>(c.combine)));
    cbo_capacitor->setCurrentIndex(cbo_capacitor->findData(static_cast<int>(c.capacitor)));
    spn_r_tol->set_value(c.r_pct);
    spn_c_tol->set_value(c.c_pct);
    spn_load->set_value(c.load_kohm);
    loading_ = false;
    cbo_combine->setEnabled(c.source.kind == ab::PartSource::Kind::series);
}

void frm_parts::show_design(const vandrel::Module1& design, vandrel::Mode mode) {
    design_ = {design, mode};
    stale_ = true;
    if (isVisible()) update_figures();
}

void frm_parts::choice_Change() {
    if (loading_) return;
    const PartsChoices c = choices();
    cbo_combine->setEnabled(c.source.kind == ab::PartSource::Kind::series);
    vandrel::ui::save_choices(c);
    update_figures();
}

// A field refused its text: say why beside it, and what the figures use.
void frm_parts::input_Problem() {
    QStringList lines;
    for (const vandrel::ui::ValueBox* box : {spn_r_tol, spn_c_tol, spn_load})
        if (!box->problem().isEmpty())
            lines << box->problem() + QStringLiteral(" The figures keep %1 %2.")
                                          .arg(to_qstring(vandrel::texts::figure(box->value(), 6)), to_qstring(box->range().unit));
    lbl_input_problem->setText(lines.join(QLatin1Char('\n')));
    lbl_input_problem->setVisible(!lines.isEmpty());
}

void frm_parts::update_figures() {
    stale_ = false;
    if (!design_) {
        lbl_failure->setText(QStringLiteral("No design yet: solve one in the main window."));
    } else {
        figures_ = vandrel::ui::work_out(design_->first, design_->second, choices());
        // Hidden, the label says nothing: a screen reader reads hidden text too.
        QString failure;
        if (!figures_.built)
            failure = QStringLiteral("These parts cannot be built: %1. Choose a series or \"exact\".")
                          .arg(to_qstring(figures_.failure));
        lbl_failure->setText(failure);
        if (figures_.built) report->show_figures(figures_);
        plot->show_figures(figures_);
        // The subwoofer behind these parts.
        subwoofer->show_filter(vandrel::ui::filter_of(figures_));
    }
    const bool built = figures_.built.has_value();
    lbl_failure->setVisible(!built);
    report->setVisible(built);
    update_commands();
    // The report's pane from the new texts.
    arrange();
    set_least_size();
}

bool frm_parts::on_subwoofer_page() const { return pages->currentWidget() == subwoofer; }

void frm_parts::update_commands() {
    const bool built = figures_.built.has_value();
    const bool subwoofer_shown = on_subwoofer_page();
    const bool analysed = subwoofer->figures().analysis.has_value();
    for (QPushButton* b : {cmd_copy, cmd_spice, cmd_sheet}) b->setEnabled(built);
    for (QPushButton* b : {cmd_csv, cmd_plot}) b->setEnabled(subwoofer_shown ? analysed : built);
    cmd_csv->setToolTip(subwoofer_shown
                            ? QStringLiteral("The subwoofer's SPL, excursion and port air velocity from 1 Hz to 1 kHz, "
                                             "without and with the filter, as vandrel-solve --system-response writes them")
                            : QStringLiteral("The response from 1 Hz to 1 kHz with its tolerance band, the design and "
                                             "the parts in comment lines"));
    cmd_plot->setToolTip(subwoofer_shown
                             ? QStringLiteral("The subwoofer's plots with a caption: PNG, JPEG or SVG, as the file "
                                              "name's suffix says")
                             : QStringLiteral("The two plots with a caption: PNG, JPEG or SVG, as the file name's "
                                              "suffix says"));
    cmd_sheet->setToolTip(QStringLiteral("One A4 page for the bench: the diagram with these parts, the parts to buy, "
                                         "the design, the figures and the plots; and a second page with the subwoofer "
                                         "where its page shows one"));
}

void frm_parts::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_ || !figures_.built) update_figures();
    if (windowHandle())
        connect(windowHandle(), &QWindow::screenChanged, this, &frm_parts::set_least_size, Qt::UniqueConnection);
}

void frm_parts::hideEvent(QHideEvent* event) {
    vandrel::ui::save_geometry(saveGeometry());
    QWidget::hideEvent(event);
}
