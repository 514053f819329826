// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_plot.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QPainter>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QToolTip>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "accessibility.h"
#include "plots/chart_style.h"
#include "plots/keyboard_readout.h"
#include "plots/plot_heights.h"
#include "layout.h"
#include "limits_model.h"
#include "max_spl_chart.h"
#include "qtext.h"
#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;

const QColor without_colour{90, 90, 90};
const QColor measured_colour{20, 140, 70};

// The SPL axis spans this many dB below its top.
constexpr double spl_span = 60;

// A level line across the whole frequency axis, one pixel wide, dotted.
QLineSeries* limit_line(const QString& name) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(Qt::black, 1);
    pen.setDashPattern({2, 3});
    series->setPen(pen);
    return series;
}

void set_level(QLineSeries* series, double level) { series->replace({QPointF(1, level), QPointF(1000, level)}); }

QList<QPointF> points(const std::vector<double>& hz, const std::vector<double>& values) {
    QList<QPointF> out;
    out.reserve(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) out.append({hz[i], values[i]});
    return out;
}

// A measured curve: its points where there are any (one stretch, the
// measured range).
QList<QPointF> points(const std::vector<double>& hz, const std::vector<std::optional<double>>& values) {
    QList<QPointF> out;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i]) out.append({hz[i], *values[i]});
    return out;
}

// The stretches of a curve above `limit`, each from where it crosses the
// limit (straight in log f) to where it comes back.
std::vector<QList<QPointF>> above(const std::vector<double>& hz, const std::vector<double>& v, double limit) {
    std::vector<QList<QPointF>> stretches;
    const auto crossing = [&](std::size_t a, std::size_t b) {
        const double t = (limit - v[a]) / (v[b] - v[a]);
        return QPointF(std::exp(std::log(hz[a]) + t * (std::log(hz[b]) - std::log(hz[a]))), limit);
    };
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!(v[i] > limit)) continue;
        QList<QPointF> stretch;
        if (i > 0) stretch.append(crossing(i - 1, i));
        for (; i < v.size() && v[i] > limit; ++i) stretch.append({hz[i], v[i]});
        if (i < v.size()) stretch.append(crossing(i - 1, i));
        stretches.push_back(std::move(stretch));
    }
    return stretches;
}

QString figure(double v) { return to_qstring(vandrel::texts::figure(v, 4)); }

}  // namespace

SpeakerPlot::SpeakerPlot(QWidget* parent) : QWidget(parent) {
    const auto on_hover = [this](std::optional<double> hz, QPoint global) {
        keys_->hover(hz);
        if (hz)
            QToolTip::showText(global, readout(*hz).replace(QStringLiteral("; "), QStringLiteral("\n")), this);
        else
            QToolTip::hideText();
    };
    const auto make_chart = [](const QString& title, QValueAxis*& axis, QLogValueAxis*& x) {
        QChart* chart = plain_chart();
        x = frequency_axis();
        axis = value_axis(title);
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(axis, Qt::AlignLeft);
        return chart;
    };
    QLogValueAxis* x = nullptr;

    QChart* spl = make_chart(QStringLiteral("SPL (dB)"), spl_axis_, x);
    spl_axis_->setTickInterval(10);
    x->setTitleVisible(false);  // the lowest chart's says what the frequency axis is
    spl_ = line(QStringLiteral("Without the filter"), without_colour, Qt::DashLine);
    spl_filtered_ = line(QStringLiteral("With the filter"), result_colour);
    measured_ = line(QStringLiteral("Measured"), measured_colour, Qt::DashLine);
    measured_filtered_ = line(QStringLiteral("Measured with the filter"), measured_colour);
    spl_limit_ = limit_line(QStringLiteral("Limits: pass band \u2212 3 dB, Xmax, port air"));
    for (QLineSeries* s : {spl_limit_, measured_, measured_filtered_, spl_, spl_filtered_}) attach(spl, s, x, spl_axis_);

    excursion_chart_ = make_chart(QStringLiteral("Excursion (mm)"), excursion_axis_, x);
    x->setTitleVisible(false);
    excursion_ = line(QStringLiteral("Without the filter"), without_colour, Qt::DashLine);
    excursion_filtered_ = line(QStringLiteral("With the filter"), result_colour);
    xmax_ = limit_line(QStringLiteral("Xmax"));
    for (QLineSeries* s : {xmax_, excursion_, excursion_filtered_}) attach(excursion_chart_, s, x, excursion_axis_);

    QChart* port = make_chart(QStringLiteral("Port (m/s)"), port_axis_, x);
    x->setTitleVisible(false);
    port_ = line(QStringLiteral("Without the filter"), without_colour, Qt::DashLine);
    port_filtered_ = line(QStringLiteral("With the filter"), result_colour);
    port_limit_ = limit_line(QStringLiteral("Port air limit"));
    for (QLineSeries* s : {port_limit_, port_, port_filtered_}) attach(port, s, x, port_axis_);

    charts_ = new QWidget(this);
    QVBoxLayout* charts_layout = white_column(charts_);
    spl_view_ = new HoverView(spl, charts_, on_hover);
    spl_view_->setObjectName(QStringLiteral("spl_view"));
    excursion_view_ = new HoverView(excursion_chart_, charts_, on_hover);
    excursion_view_->setObjectName(QStringLiteral("excursion_view"));
    port_view_ = new HoverView(port, charts_, on_hover);
    port_view_->setObjectName(QStringLiteral("port_view"));
    // A screen reader reads each as a chart, its key figures as its
    // description; the first takes the focus for the keyboard's cursor.
    const SpeakerFigures nothing_yet;
    make_picture(spl_view_, QAccessible::Chart, QStringLiteral("SPL"), to_qstring(spl_summary(nothing_yet)));
    make_picture(excursion_view_, QAccessible::Chart, QStringLiteral("Cone excursion"),
                 to_qstring(excursion_summary(nothing_yet)));
    make_picture(port_view_, QAccessible::Chart, QStringLiteral("Port air velocity"),
                 to_qstring(port_summary(nothing_yet)));
    max_spl_ = std::make_unique<MaxSplChart>(charts_, on_hover);
    make_picture(max_spl_->view(), QAccessible::Chart, QStringLiteral("Loudest safe SPL"),
                 to_qstring(max_spl_summary(nothing_yet)));
    for (QChartView* view : {spl_view_, excursion_view_, port_view_, max_spl_->view()}) view->installEventFilter(this);
    // A legend for all three: the warning colour, and the limits in each.
    auto* beyond = line(QStringLiteral("With the filter, beyond Xmax"), beyond_xmax_colour);
    beyond->setParent(this);
    legend_ = series_legend(charts_, QStringLiteral("Legend of the subwoofer plots"),
                            {spl_, spl_filtered_, beyond, measured_, measured_filtered_, spl_limit_});
    legend_->setObjectName(QStringLiteral("speaker_legend"));
    const QList<QWidget*> entries = legend_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    measured_legend_ = {entries.value(3), entries.value(4)};
    charts_layout->addWidget(spl_view_, 3);
    charts_layout->addWidget(legend_);
    charts_layout->addWidget(excursion_view_, 3);
    charts_layout->addWidget(port_view_, 3);
    // The lowest chart also holds the frequency axis' title.
    charts_layout->addWidget(max_spl_->view(), 3);
    charts_layout->addWidget(max_spl_->legend());
    scroll_ = plot_scroll(charts_, QStringLiteral("subwoofer_plots_scroll"), QStringLiteral("Subwoofer plots"));

    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("speaker_readout"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setAccessibleName(QStringLiteral("Subwoofer plot readout"));
    readout_->setWordWrap(true);
    keys_ = new KeyboardReadout({static_cast<HoverView*>(spl_view_), static_cast<HoverView*>(excursion_view_),
                                 static_cast<HoverView*>(port_view_), static_cast<HoverView*>(max_spl_->view())},
                                readout_, [this](double hz) { return readout(hz); },
                                QStringLiteral("Point at the plots, or Tab to them and press the arrow keys, to read "
                                               "the frequency and every curve."),
                                this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_, 1);
    layout->addWidget(readout_);
    fit_heights();
    show_figures(nothing_yet);
}

void SpeakerPlot::show_figures(const SpeakerFigures& f) {
    analysis_ = f.analysis;
    if (!f.analysis || !f.system) {
        for (QLineSeries* s : {spl_, spl_filtered_, measured_, measured_filtered_, spl_limit_, excursion_,
                               excursion_filtered_, xmax_, port_, port_filtered_, port_limit_})
            s->clear();
        show_beyond({}, {}, 0);
        for (QWidget* entry : measured_legend_) entry->hide();
        port_view_->hide();
    } else {
        const sp::Analysis& a = *f.analysis;
        const std::vector<double>& hz = a.hz;
        // SPL: the top of every curve and some room above it, 60 dB down.
        double top = a.passband_spl_db;
        for (const auto* curve : {&a.spl_db, &a.spl_filtered_db})
            for (double v : *curve) top = std::max(top, v);
        for (const auto* curve : {&a.measured_db, &a.measured_filtered_db})
            for (const auto& v : *curve)
                if (v) top = std::max(top, *v);
        const double ceiling = std::ceil((top + 2) / 10) * 10;
        // Down to the lowest measured level too (a measurement may be of
        // another level than the model's), by at most twice the span.
        double bottom = ceiling - spl_span;
        for (const auto& v : a.measured_db)
            if (v) bottom = std::min(bottom, std::floor((*v - 2) / 10) * 10);
        bottom = std::max(bottom, ceiling - 2 * spl_span);
        set_range(spl_axis_, bottom, ceiling);
        QList<QPointF> spl = points(hz, a.spl_db), spl_filtered = points(hz, a.spl_filtered_db);
        QList<QPointF> measured = points(hz, a.measured_db), measured_filtered = points(hz, a.measured_filtered_db);
        for (QList<QPointF>* p : {&spl, &spl_filtered, &measured, &measured_filtered}) from_bottom(*p, bottom);
        spl_->replace(spl);
        spl_filtered_->replace(spl_filtered);
        measured_->replace(measured);
        measured_filtered_->replace(measured_filtered);
        set_level(spl_limit_, a.passband_spl_db - 3);
        for (QWidget* entry : measured_legend_) entry->setVisible(!a.measured_db.empty());

        const double xmax = f.system->driver.xmax;
        excursion_->replace(points(hz, a.excursion_mm));
        excursion_filtered_->replace(points(hz, a.excursion_filtered_mm));
        set_level(xmax_, xmax);
        show_beyond(hz, a.excursion_filtered_mm, xmax);
        excursion_top_ = std::max({a.without_filter.peak_excursion_mm, a.with_filter.peak_excursion_mm, xmax});

        const bool ported = !a.port_velocity.empty();
        port_view_->setVisible(ported);
        port_->replace(ported ? points(hz, a.port_velocity) : QList<QPointF>());
        port_filtered_->replace(ported ? points(hz, a.port_velocity_filtered) : QList<QPointF>());
        const double port_limit = a.limits.port_limit_ms.value_or(sp::default_port_limit);
        set_level(port_limit_, port_limit);
        port_top_ = port_limit;
        if (ported)
            port_top_ = std::max({port_top_, *a.without_filter.peak_port_velocity, *a.with_filter.peak_port_velocity});
    }
    max_spl_->show(f.analysis && f.system ? &*f.analysis : nullptr);
    fit_ticks();
    keys_->set_summary(to_qstring(spl_summary(f)));
    max_spl_->view()->setAccessibleDescription(to_qstring(max_spl_summary(f)));
    excursion_view_->setAccessibleDescription(to_qstring(excursion_summary(f)));
    port_view_->setAccessibleDescription(to_qstring(port_summary(f)));
    keys_->refresh();
}

// The filtered excursion beyond Xmax: a series a stretch, over the curve.
void SpeakerPlot::show_beyond(const std::vector<double>& hz, const std::vector<double>& excursion, double xmax) {
    const std::vector<QList<QPointF>> stretches = above(hz, excursion, xmax);
    while (beyond_.size() < stretches.size()) {
        QLineSeries* s = line(QStringLiteral("With the filter, beyond Xmax"), beyond_xmax_colour);
        attach(excursion_chart_, s, excursion_chart_->axes(Qt::Horizontal).value(0), excursion_axis_);
        beyond_.push_back(s);
    }
    for (std::size_t i = 0; i < beyond_.size(); ++i)
        beyond_[i]->replace(i < stretches.size() ? stretches[i] : QList<QPointF>());
}

int SpeakerPlot::beyond_xmax_stretches() const {
    return static_cast<int>(std::count_if(beyond_.begin(), beyond_.end(), [](QLineSeries* s) { return s->count() > 0; }));
}

void SpeakerPlot::fit_ticks() {
    // 10 dB steps, or 20 where the axis is short or long.
    const double span = spl_axis_->max() - spl_axis_->min();
    const double spl_step = steps_for(spl_view_->height()) >= 5 && span <= spl_span ? 10 : 20;
    if (spl_axis_->tickInterval() != spl_step) spl_axis_->setTickInterval(spl_step);
    for (auto [axis, view, top] : {std::tuple{excursion_axis_, excursion_view_, excursion_top_},
                                   std::tuple{port_axis_, port_view_, port_top_}}) {
        const auto [step, ceiling] = nice_scale(top * 1.05, steps_for(view->height()));
        if (axis->tickInterval() != step) axis->setTickInterval(step);
        set_range(axis, 0, ceiling);
    }
    max_spl_->fit_ticks();
}

void SpeakerPlot::fit_heights() {
    for (QChartView* view : {spl_view_, excursion_view_, port_view_, max_spl_->view()})
        view->setMinimumHeight(least_chart_height(view));
}

QChartView* SpeakerPlot::max_spl_view() const { return max_spl_->view(); }

QStringList SpeakerPlot::max_spl_legend() const { return max_spl_->legend_entries(); }

SpeakerPlot::~SpeakerPlot() = default;

std::optional<double> SpeakerPlot::cursor() const { return keys_->cursor(); }

bool SpeakerPlot::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) fit_ticks();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit_heights();
    return QWidget::eventFilter(watched, event);
}

QString SpeakerPlot::readout(double hz) const {
    QString text = figure(hz) + QStringLiteral(" Hz");
    if (!analysis_) return text;
    const sp::Analysis& a = *analysis_;
    const auto pair = [hz](const std::vector<double>& without, const std::vector<double>& with) {
        return QStringLiteral("%1 without the filter, %2 with it")
            .arg(two_decimals(table_at(without, hz)), two_decimals(table_at(with, hz)));
    };
    text += QStringLiteral("; SPL (dB) ") + pair(a.spl_db, a.spl_filtered_db);
    // The measurement within its range only.
    const std::size_t at = static_cast<std::size_t>(std::clamp(std::lround(std::log10(hz) * 200), 0L, 600L));
    if (!a.measured_db.empty() && a.measured_db[at] && a.measured_filtered_db[at])
        text += QStringLiteral("; measured (dB) %1 without the filter, %2 with it")
                    .arg(two_decimals(*a.measured_db[at]), two_decimals(*a.measured_filtered_db[at]));
    text += QStringLiteral("; excursion (mm) ") + pair(a.excursion_mm, a.excursion_filtered_mm);
    if (!a.port_velocity.empty()) text += QStringLiteral("; port air (m/s) ") + pair(a.port_velocity, a.port_velocity_filtered);
    return text + max_spl_->readout(hz);
}

QByteArray speaker_plot_file(const SpeakerFigures& figures, const SpeakerFilter& filter, PlotFormat format) {
    const QString caption = to_qstring(plot_caption(figures, filter));
    return plot_image(format, QStringLiteral("Vandrel: the subwoofer behind the filter"), caption,
                      [&](QPainter& painter) {
                          SpeakerPlot plot;
                          plot.show_figures(figures);
                          plot.readout_label()->hide();
                          draw_plot(painter, caption, &plot, plot.charts());
                      });
}

}  // namespace vandrel::ui
