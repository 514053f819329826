// SPDX-License-Identifier: GPL-3.0-or-later
#include "response_plot.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

#include "accessibility.h"
#include "plots/chart_style.h"
#include "plots/keyboard_readout.h"
#include "plots/plot_heights.h"
#include "layout.h"
#include "plot_summary.h"
#include "qtext.h"
#include "vandrel/texts/figures.h"
#include "widgets/wrap_row.h"
#include "vandrel/as_built/exports.h"

namespace vandrel::ui {
namespace {

namespace ab = as_built;

const QColor exact_colour{90, 90, 90};
const QColor path_colour{214, 84, 18};

QString figure(double v, int digits = 4) { return to_qstring(vandrel::texts::figure(v, digits)); }

}  // namespace

ResponsePlot::ResponsePlot(QWidget* parent) : QWidget(parent) {
    const auto on_hover = [this](std::optional<double> hz, QPoint global) {
        keys_->hover(hz);
        if (hz)
            QToolTip::showText(global, readout(*hz).replace(QStringLiteral(", "), QStringLiteral("\n")), this);
        else
            QToolTip::hideText();
    };

    QChart* magnitude = plain_chart();
    exact_ = line(QStringLiteral("Exact design"), exact_colour, Qt::DashLine);
    section_ = line(QStringLiteral("As built: section"), result_colour);
    path_ = line(QStringLiteral("As built: whole path"), path_colour);
    band_low_ = new QLineSeries(this);
    band_high_ = new QLineSeries(this);
    band_ = new QAreaSeries(band_high_, band_low_);
    band_->setName(QStringLiteral("Path, 5th\u201395th percentile"));
    QColor fill = path_colour;
    fill.setAlpha(80);
    band_->setBrush(fill);
    band_->setPen(Qt::NoPen);
    auto* x = frequency_axis();
    level_axis_ = value_axis(QStringLiteral("Level (dB)"));
    level_axis_->setTickType(QValueAxis::TicksDynamic);
    level_axis_->setTickAnchor(0);
    level_axis_->setTickInterval(10);
    level_axis_->setMinorTickCount(1);
    magnitude->addAxis(x, Qt::AlignBottom);
    magnitude->addAxis(level_axis_, Qt::AlignLeft);
    // The dashed exact design last, over the as-built section it is compared with.
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{band_, section_, path_, exact_})
        attach(magnitude, s, x, level_axis_);
    // A legend of its own below the chart, which wraps where the chart's
    // own would cut its names short.
    magnitude->legend()->hide();

    QChart* delay = plain_chart();
    delay_ = line(QStringLiteral("Group delay of the whole path"), path_colour);
    auto* dx = frequency_axis();
    delay_axis_ = value_axis(QStringLiteral("Delay (ms)"));
    delay_axis_->setTickType(QValueAxis::TicksDynamic);
    delay_axis_->setTickAnchor(0);
    delay->addAxis(dx, Qt::AlignBottom);
    delay->addAxis(delay_axis_, Qt::AlignLeft);
    attach(delay, delay_, dx, delay_axis_);
    delay->legend()->hide();

    charts_ = new QWidget(this);
    QVBoxLayout* charts_layout = white_column(charts_);
    auto* magnitude_view = new HoverView(magnitude, charts_, on_hover);
    auto* delay_view = new HoverView(delay, charts_, on_hover);
    magnitude_view_ = magnitude_view;
    delay_view_ = delay_view;
    magnitude_view_->setObjectName(QStringLiteral("magnitude_view"));
    delay_view_->setObjectName(QStringLiteral("delay_view"));
    // A screen reader reads each as a chart, its key figures as its
    // description; the first takes the focus for the keyboard's cursor.
    const PartsFigures nothing_yet;
    make_picture(magnitude_view_, QAccessible::Chart, QStringLiteral("Magnitude response"),
                 to_qstring(magnitude_summary(nothing_yet)));
    make_picture(delay_view_, QAccessible::Chart, QStringLiteral("Group delay"), to_qstring(delay_summary(nothing_yet)));
    for (QChartView* view : {magnitude_view_, delay_view_}) {
        view->setMinimumHeight(least_chart_height(view));
        view->installEventFilter(this);
    }
    // They grow 3 : 2 with the window.
    charts_layout->addWidget(magnitude_view_, 3);
    legend_ = series_legend(charts_, QStringLiteral("Legend of the level plot"), {band_, section_, path_, exact_});
    charts_layout->addWidget(legend_);
    charts_layout->addWidget(delay_view_, 2);

    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("readout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setAccessibleName(QStringLiteral("Plot readout"));
    // A long readout wraps rather than widen the window or be cut.
    readout_->setWordWrap(true);
    keys_ = new KeyboardReadout({magnitude_view, delay_view}, readout_, [this](double hz) { return readout(hz); },
                                QStringLiteral("Point at the plot, or Tab to it and press the arrow keys, to read the "
                                               "frequency and the levels."),
                                this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_scroll(charts_, QStringLiteral("plot_scroll"), QStringLiteral("Plots")), 1);
    layout->addWidget(readout_);
}

void ResponsePlot::show_figures(const PartsFigures& f) {
    exact_section_ = {f.design.f0, f.design.q};
    path_parts_.reset();
    band_hz_.clear();
    band_values_.clear();

    QList<QPointF> exact, section, path, low, high, delay;
    if (f.built) {
        for (const ab::ResponseRow& r : f.rows) {
            exact.append({r.hz, r.section_exact_db});
            section.append({r.hz, r.section_db});
            path.append({r.hz, r.path_db});
            delay.append({r.hz, r.path_group_delay_ms});
        }
        for (std::size_t i = 0; i < f.band_hz.size(); ++i) {
            low.append({f.band_hz[i], f.band[i].low_db});
            high.append({f.band_hz[i], f.band[i].high_db});
        }
        path_parts_ = f.built->path;
        band_hz_ = f.band_hz;
        band_values_ = f.band;
    } else if (f.design.q > 0) {
        // Nothing can be built: the exact design alone.
        for (int i = 0; i <= 600; ++i) {
            const double hz = std::pow(10.0, i / 200.0);
            exact.append({hz, ab::section_level_db(exact_section_, hz)});
        }
    }
    // Levels: the top of every trace and a little room above it, 50 dB down
    // from there, on a 10 dB grid.
    double top = 0;
    for (const QList<QPointF>* points : {&exact, &section, &path, &high})
        for (const QPointF& p : *points) top = std::max(top, p.y());
    const double ceiling = std::ceil((top + 2) / 10) * 10;
    set_range(level_axis_, ceiling - 50, ceiling);
    for (QList<QPointF>* points : {&exact, &section, &path, &low, &high}) from_bottom(*points, ceiling - 50);

    exact_->replace(exact);
    section_->replace(section);
    path_->replace(path);
    band_low_->replace(low);
    band_high_->replace(high);
    delay_->replace(delay);

    longest_delay_ = 1;
    for (const QPointF& p : delay) longest_delay_ = std::max(longest_delay_, p.y());
    fit_ticks();
    keys_->set_summary(to_qstring(magnitude_summary(f)));
    delay_view_->setAccessibleDescription(to_qstring(delay_summary(f)));
    keys_->refresh();
}

std::optional<double> ResponsePlot::cursor() const { return keys_->cursor(); }

void ResponsePlot::fit_ticks() {
    const auto [step, ceiling_ms] = nice_scale(longest_delay_, steps_for(delay_view_->height()));
    if (delay_axis_->tickInterval() != step) delay_axis_->setTickInterval(step);
    set_range(delay_axis_, 0, ceiling_ms);
    // The 50 dB of the level axis in 10 dB steps, or 20 where it is short.
    const double level_step = steps_for(magnitude_view_->height()) >= 5 ? 10 : 20;
    if (level_axis_->tickInterval() != level_step) level_axis_->setTickInterval(level_step);
}

bool ResponsePlot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) fit_ticks();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        static_cast<QChartView*>(watched)->setMinimumHeight(least_chart_height(static_cast<QChartView*>(watched)));
    return QWidget::eventFilter(watched, event);
}

QString ResponsePlot::readout(double hz) const {
    if (!(exact_section_.q > 0)) return figure(hz) + QStringLiteral(" Hz: no design yet.");
    QString text = figure(hz) + QStringLiteral(" Hz, exact design %1 dB").arg(two_decimals(ab::section_level_db(exact_section_, hz)));
    if (!path_parts_) return text;
    const ab::Section section = ab::section_of(*path_parts_);
    const ab::Band band = band_at(band_hz_, band_values_, hz);
    text += QStringLiteral(", as built %1 dB, whole path %2 dB (tolerance %3 to %4 dB), group delay %5 ms")
                .arg(two_decimals(ab::section_level_db(section, hz)), two_decimals(ab::path_level_db(*path_parts_, hz)),
                     two_decimals(band.low_db), two_decimals(band.high_db), figure(ab::path_group_delay_ms(*path_parts_, hz), 3));
    return text;
}

QByteArray plot_file(const PartsFigures& figures, PlotFormat format) {
    const QString caption = to_qstring(as_built::export_caption(figures.design, figures.mode, *figures.built));
    return plot_image(format, QStringLiteral("Vandrel: parts and real response"), caption, [&](QPainter& painter) {
        ResponsePlot plot;
        plot.show_figures(figures);
        plot.readout_label()->hide();
        draw_plot(painter, caption, &plot, plot.charts());
    });
}

}  // namespace vandrel::ui
