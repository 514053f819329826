// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_parts.h"

#include <QEvent>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

#include <algorithm>

#include "accessibility.h"
#include "frame_placement.h"
#include "page_link.h"
#include "parts_page/parts_page.h"
#include "subwoofer_page/subwoofer_page.h"
#include "user_settings.h"
#include "widgets/parts_panes.h"
#include "widgets/wrap_row.h"

using vandrel::ui::PartsChoices;

namespace {

// The largest client area worth filling beside the main window.
constexpr QSize most_size(1200, 1100);
// The least height of a tab's page: the plots, short but readable.
constexpr int least_page_height = 260;
// The least client width at which a page is of use beside the main window:
// narrower, the window opens in front of it instead.
constexpr int usable_width = 560;

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
    place(main_window);
    if (main_window) main_window->installEventFilter(this);
}

frm_parts::~frm_parts() {
    if (isVisible()) vandrel::ui::save_geometry(saveGeometry());
}

bool frm_parts::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_window_ && event->type() == QEvent::Close) close();
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
    return std::max({parts->least_width(), commands_row_->widest(), subwoofer->least_width()}) + m.left() + m.right();
}

int frm_parts::least_height(int width) const {
    const QMargins m = layout()->contentsMargins();
    const int inner = width - m.left() - m.right();
    const int page_tabs = std::max(pages->tabBar()->sizeHint().height(), fontMetrics().height() + 14);
    // The first page, the taller: its choices above its panes' tabs.
    const int page = parts->least_height(inner, least_page_height);
    return m.top() + m.bottom() + layout()->spacing() + page_tabs + page + commands_row_->height_for(inner);
}

vandrel::ui::PlaceRequest frm_parts::place_request(QWidget* main_window, const QMargins& frame) const {
    QScreen* screen = main_window ? main_window->screen() : this->screen();
    return {screen->availableGeometry(),
            main_window ? main_window->frameGeometry() : QRect(),
            frame,
            least_width(),
            usable_width,
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
    const QRect client = vandrel::ui::first_place(place_request(main_window, frame)).client;
    // Placed smaller than readable on a small screen, it may stay that
    // small; and it never grows by itself.
    squeezed_ = client.size();
    set_least_size();
    resize(client.size());
    // Placed again by its real frame once shown, unless put elsewhere by then.
    const QSize placed = size();
    vandrel::ui::place_by_frame(this, main_window ? main_window->screen() : screen(),
                                [this, main_window, placed](const QRect&, const QSize&) {
                                    if (size() != placed) return frameGeometry().topLeft();
                                    const QMargins real = frame_margins();
                                    const QRect c = vandrel::ui::first_place(place_request(main_window, real)).client;
                                    squeezed_ = c.size();
                                    set_least_size();
                                    if (c.size() != size()) resize(c.size());
                                    return c.topLeft() - QPoint(real.left(), real.top());
                                });
}

vandrel::ui::Arrangement frm_parts::arrangement() const { return parts->arrangement(); }

// --- Choices and figures -----------------------------------------------------

PartsChoices frm_parts::choices() const { return parts->choices(); }

const vandrel::ui::PartsFigures& frm_parts::figures() const { return parts->figures(); }

void frm_parts::show_design(const vandrel::Module1& design, vandrel::Mode mode) {
    ++designs_shown_;
    parts->show_design(design, mode);
    stale_ = true;
    if (isVisible()) update_figures();
}

void frm_parts::update_figures() {
    stale_ = false;
    // The subwoofer behind these parts.
    if (parts->update_figures()) subwoofer->show_filter(vandrel::ui::filter_of(parts->figures()));
    update_commands();
    set_least_size();
}

bool frm_parts::on_subwoofer_page() const { return pages->currentWidget() == subwoofer; }

void frm_parts::show_page(vandrel::ui::WindowPage page) {
    pages->setCurrentWidget(page == vandrel::ui::WindowPage::subwoofer ? static_cast<QWidget*>(subwoofer) : parts_page);
}

void frm_parts::step_tabs(int step) {
    if ((on_subwoofer_page() ? subwoofer->panes : panes)->step_tab(step)) return;
    pages->setCurrentIndex(((pages->currentIndex() + step) % pages->count() + pages->count()) % pages->count());
}

void frm_parts::raise_main_window() {
    if (!main_window_) return;
    main_window_->setWindowState(main_window_->windowState() & ~Qt::WindowMinimized);
    main_window_->raise();
    main_window_->activateWindow();
}

void frm_parts::update_commands() {
    const bool built = figures().built.has_value();
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
    update_file_commands();
}

void frm_parts::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first control in Tab's order, not the first made (a plot).
    if (!focusWidget() && first_in_order_) first_in_order_->setFocus(Qt::ActiveWindowFocusReason);
    if (stale_ || !figures().built) update_figures();
    if (windowHandle())
        connect(windowHandle(), &QWindow::screenChanged, this, &frm_parts::set_least_size, Qt::UniqueConnection);
}

void frm_parts::hideEvent(QHideEvent* event) {
    vandrel::ui::save_geometry(saveGeometry());
    QWidget::hideEvent(event);
}
