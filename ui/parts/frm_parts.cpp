// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_parts.h"

#include <QApplication>
#include <QEvent>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "accessibility.h"
#include "message_sink.h"
#include "parts_files.h"
#include "parts_report.h"
#include "parts_settings.h"
#include "parts_sheet.h"
#include "qtext.h"
#include "response_plot.h"
#include "vandrel/as_built/parts_text.h"

using vandrel::ui::PartsChoices;
using vandrel::ui::to_qstring;
namespace ab = vandrel::as_built;

namespace {

QDoubleSpinBox* spin_box(QWidget* parent, const char* name, double low, double high, double step, const QString& suffix) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    // "." as the decimal point, as everywhere in the program.
    box->setLocale(QLocale::c());
    box->setRange(low, high);
    box->setDecimals(2);
    box->setSingleStep(step);
    box->setSuffix(suffix);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// A caption whose mnemonic moves the focus to `buddy`.
QLabel* caption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

// A window of its own rather than the main window's child: the main window
// comes to the front when clicked, which a big window over it needs.
frm_parts::frm_parts(QWidget* main_window) : main_window_(main_window) {
    setObjectName(QStringLiteral("frm_parts"));
    // A window to screen readers (a frame to AT-SPI), not a filler.
    vandrel::ui::make_window(this);
    setWindowTitle(QStringLiteral("Vandrel: parts and real response"));
    if (main_window) setWindowIcon(main_window->windowIcon());
    build_controls();
    set_choices(vandrel::ui::load_choices());
    if (!restoreGeometry(vandrel::ui::load_geometry())) place_first_time(main_window);
    if (main_window) main_window->installEventFilter(this);
}

frm_parts::~frm_parts() {
    if (isVisible()) vandrel::ui::save_geometry(saveGeometry());
}

bool frm_parts::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_window_ && event->type() == QEvent::Close) close();
    return QWidget::eventFilter(watched, event);
}

void frm_parts::build_controls() {
    cbo_series = new QComboBox(this);
    cbo_series->setObjectName(QStringLiteral("cbo_series"));
    vandrel::ui::name_combo_box(cbo_series, QStringLiteral("Series"));
    for (const vandrel::ui::SourceChoice& c : vandrel::ui::source_choices) cbo_series->addItem(to_qstring(c.name));
    cbo_combine = new QComboBox(this);
    cbo_combine->setObjectName(QStringLiteral("cbo_combine"));
    vandrel::ui::name_combo_box(cbo_combine, QStringLiteral("Combine"));
    for (auto [how, text] : {std::pair{ab::Combine::single, "single"}, std::pair{ab::Combine::series, "two in series"},
                             std::pair{ab::Combine::parallel, "two in parallel"}})
        cbo_combine->addItem(QLatin1String(text), static_cast<int>(how));
    spn_r_tol = spin_box(this, "spn_r_tol", 0, vandrel::ui::max_tolerance_pct, 0.1, QStringLiteral(" %"));
    spn_c_tol = spin_box(this, "spn_c_tol", 0, vandrel::ui::max_tolerance_pct, 1, QStringLiteral(" %"));
    spn_load = spin_box(this, "spn_load", vandrel::ui::min_load_kohm, vandrel::ui::max_load_kohm, 1,
                        QStringLiteral(" k\u03a9"));

    auto* choices_row = new QHBoxLayout;
    const std::pair<QString, QWidget*> choices[] = {
        {QStringLiteral("&Series:"), cbo_series},
        {QStringLiteral("Co&mbine:"), cbo_combine},
        {QStringLiteral("&Resistors \u00b1"), spn_r_tol},
        {QStringLiteral("C&apacitors \u00b1"), spn_c_tol},
        {QStringLiteral("&Load:"), spn_load},
    };
    for (const auto& [text, control] : choices) {
        if (control != cbo_series) choices_row->addSpacing(12);
        choices_row->addWidget(caption(this, text, control));
        choices_row->addWidget(control);
    }
    choices_row->addStretch(1);

    lbl_failure = new QLabel(this);
    lbl_failure->setObjectName(QStringLiteral("lbl_failure"));
    lbl_failure->setWordWrap(true);
    lbl_failure->setStyleSheet(QStringLiteral("QLabel { color: #a01010; font-weight: bold; }"));
    lbl_failure->hide();

    report = new vandrel::ui::PartsReport;
    auto* scroll = report_scroll_ = new QScrollArea;
    scroll->setWidget(report);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    // As wide as the report needs (see update_figures); only a window too
    // low for it scrolls.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    plot = new vandrel::ui::ResponsePlot;
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(scroll);
    splitter->addWidget(plot);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    cmd_copy = button(this, "cmd_copy", QStringLiteral("&Copy parts list"));
    cmd_spice = button(this, "cmd_spice", QStringLiteral("Save SPICE &netlist..."));
    cmd_csv = button(this, "cmd_csv", QStringLiteral("Save response as CS&V..."));
    cmd_plot = button(this, "cmd_plot", QStringLiteral("Save &plot as PNG or SVG..."));
    cmd_sheet = button(this, "cmd_sheet", QStringLiteral("Save &build sheet as PDF..."));
    cmd_sheet->setAccessibleName(QStringLiteral("Save build sheet as PDF"));
    auto* commands_row = new QHBoxLayout;
    for (QPushButton* b : {cmd_copy, cmd_spice, cmd_csv, cmd_plot, cmd_sheet}) commands_row->addWidget(b);
    commands_row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices_row);
    layout->addWidget(lbl_failure);
    layout->addWidget(splitter, 1);
    layout->addLayout(commands_row);

    connect(cbo_series, &QComboBox::currentIndexChanged, this, &frm_parts::choice_Change);
    connect(cbo_combine, &QComboBox::currentIndexChanged, this, &frm_parts::choice_Change);
    for (QDoubleSpinBox* box : {spn_r_tol, spn_c_tol, spn_load})
        connect(box, &QDoubleSpinBox::valueChanged, this, &frm_parts::choice_Change);
    connect(cmd_copy, &QPushButton::clicked, this, &frm_parts::cmd_copy_Click);
    connect(cmd_spice, &QPushButton::clicked, this, &frm_parts::cmd_spice_Click);
    connect(cmd_csv, &QPushButton::clicked, this, &frm_parts::cmd_csv_Click);
    connect(cmd_plot, &QPushButton::clicked, this, &frm_parts::cmd_plot_Click);
    connect(cmd_sheet, &QPushButton::clicked, this, &frm_parts::cmd_sheet_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

// Right of, left of, below or above the main window, moved onto the screen
// where it has no room: where it covers least of the main window.
void frm_parts::place_first_time(QWidget* main_window) {
    // Room for the window manager's frame, which is not known before the
    // window is shown.
    const QRect screen =
        (main_window ? main_window->screen() : this->screen())->availableGeometry().adjusted(0, 0, -16, -48);
    resize(QSize(1100, 720).boundedTo(screen.size()));
    QRect best(QPoint(0, 0), size());
    best.moveCenter(screen.center());
    if (main_window) {
        const QRect main = main_window->frameGeometry();
        qint64 least = -1;
        for (const QPoint at : {QPoint(main.right() + 1, main.top()), QPoint(main.left() - width(), main.top()),
                                QPoint(main.left(), main.bottom() + 1), QPoint(main.left(), main.top() - height())}) {
            const QPoint inside(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - width())),
                                std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - height())));
            const QRect place(inside, size());
            const QRect covered = place.intersected(main);
            const qint64 area = covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
            if (least < 0 || area < least) {
                least = area;
                best = place;
            }
        }
    }
    move(best.topLeft());
}

PartsChoices frm_parts::choices() const {
    PartsChoices c;
    c.source = vandrel::ui::source_choice(cbo_series->currentText().toStdString()).value_or(c.source);
    c.combine = static_cast<ab::Combine>(cbo_combine->currentData().toInt());
    c.r_pct = spn_r_tol->value();
    c.c_pct = spn_c_tol->value();
    c.load_kohm = spn_load->value();
    return c;
}

void frm_parts::set_choices(const PartsChoices& c) {
    loading_ = true;
    cbo_series->setCurrentText(to_qstring(vandrel::ui::source_choice_name(c.source)));
    cbo_combine->setCurrentIndex(cbo_combine->findData(static_cast<int>(c.combine)));
    spn_r_tol->setValue(c.r_pct);
    spn_c_tol->setValue(c.c_pct);
    spn_load->setValue(c.load_kohm);
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
        if (figures_.built) {
            report->show_figures(figures_);
            // Wide enough for the longest texts shown so far.
            const int width = report->sizeHint().width() + report_scroll_->verticalScrollBar()->sizeHint().width();
            report_scroll_->setMinimumWidth(std::max(report_scroll_->minimumWidth(), width));
        }
        plot->show_figures(figures_);
    }
    const bool built = figures_.built.has_value();
    lbl_failure->setVisible(!built);
    report->setVisible(built);
    for (QPushButton* b : {cmd_copy, cmd_spice, cmd_csv, cmd_plot, cmd_sheet}) b->setEnabled(built);
}

void frm_parts::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_ || !figures_.built) update_figures();
}

void frm_parts::hideEvent(QHideEvent* event) {
    vandrel::ui::save_geometry(saveGeometry());
    QWidget::hideEvent(event);
}

// --- Commands -------------------------------------------------------------------

void frm_parts::cmd_copy_Click() {
    if (figures_.built) QApplication::clipboard()->setText(to_qstring(ab::parts_list_text(*figures_.built)));
}

void frm_parts::save(const QString& caption, const QString& name, const QStringList& filters,
                     const std::function<QByteArray(const QString&)>& bytes) {
    if (!figures_.built) return;
    const QString path = vandrel::ui::ask_save_path(
        this, {caption, QDir(vandrel::ui::load_directory()).filePath(name), filters});
    if (path.isEmpty()) return;
    const QString failure = vandrel::ui::write_whole(path, bytes(path));
    if (!failure.isEmpty()) {
        vandrel::ui::message_sink().message(this, failure);
        return;
    }
    vandrel::ui::save_directory(QFileInfo(path).absolutePath());
}

void frm_parts::cmd_spice_Click() {
    save(QStringLiteral("Save SPICE netlist"), QStringLiteral("vandrel.cir"),
         {QStringLiteral("SPICE netlist (*.cir)"), QStringLiteral("All files (*)")}, [this](const QString&) {
             return QByteArray::fromStdString(ab::spice_netlist(figures_.design, figures_.mode, *figures_.built));
         });
}

void frm_parts::cmd_csv_Click() {
    save(QStringLiteral("Save response as CSV"), QStringLiteral("vandrel-response.csv"),
         {QStringLiteral("CSV table (*.csv)"), QStringLiteral("All files (*)")},
         [this](const QString&) { return QByteArray::fromStdString(ab::response_csv(figures_.rows)); });
}

void frm_parts::cmd_plot_Click() {
    save(QStringLiteral("Save plot as PNG or SVG"), QStringLiteral("vandrel-response.png"),
         {QStringLiteral("PNG image (*.png)"), QStringLiteral("SVG drawing (*.svg)")}, [this](const QString& path) {
             return QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0 ? plot->svg()
                                                                                                      : plot->png();
         });
}

void frm_parts::cmd_sheet_Click() {
    if (!figures_.built) return;
    const QByteArray pdf = vandrel::ui::build_sheet(figures_);
    if (pdf.isEmpty()) {
        vandrel::ui::message_sink().message(this, QStringLiteral("The build sheet could not be drawn. Nothing was written."));
        return;
    }
    save(QStringLiteral("Save build sheet as PDF"), QStringLiteral("vandrel-build-sheet.pdf"),
         {QStringLiteral("PDF document (*.pdf)"), QStringLiteral("All files (*)")}, [&pdf](const QString&) { return pdf; });
}
