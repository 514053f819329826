// SPDX-License-Identifier: GPL-3.0-or-later
#include "max_spl_chart.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "layout.h"
#include "limits_model.h"
#include "plots/chart_style.h"
#include "plots/hover_view.h"
#include "qtext.h"
#include "speaker_model.h"
#include "widgets/wrap_row.h"

namespace vandrel::ui {
namespace {

namespace sp = speaker;

const QColor without_colour{90, 90, 90};

// The level axis spans this many dB below its top.
constexpr double span_db = 60;
// A marker every this many table frequencies (8 a decade), the curve
// with the filter half a step on from the one without, so that they do
// not hide each other where the curves meet.
constexpr std::size_t mark_every = 25;

struct Mark {
    sp::Limit limit;
    QScatterSeries::MarkerShape shape;
    const char* glyph;  ///< the shape in the legend
};
constexpr Mark marks[] = {
    {sp::Limit::drive, QScatterSeries::MarkerShapeCircle, "\u25cf"},
    {sp::Limit::amplifier, QScatterSeries::MarkerShapeRectangle, "\u25a0"},
    {sp::Limit::thermal, QScatterSeries::MarkerShapeTriangle, "\u25b2"},
    {sp::Limit::xmax, QScatterSeries::MarkerShapeRotatedRectangle, "\u25c6"},
    {sp::Limit::port, QScatterSeries::MarkerShapeStar, "\u2605"},
};

QScatterSeries* markers(const QString& name, QScatterSeries::MarkerShape shape, const QColor& colour) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setMarkerShape(shape);
    s->setMarkerSize(9);
    s->setColor(colour);
    s->setBorderColor(Qt::white);
    return s;
}

// The markers of `limit` on a curve: every mark_every-th frequency it sets
// (from `offset`), and the middle of a stretch that has none of them.
QList<QPointF> marked(const std::vector<double>& hz, const std::vector<double>& db, const std::vector<sp::Limit>& by,
                      sp::Limit limit, std::size_t offset, double bottom) {
    QList<QPointF> out;
    const auto add = [&](std::size_t i) {
        if (db[i] >= bottom) out.append({hz[i], db[i]});
    };
    for (std::size_t i = 0; i < by.size(); ++i) {
        if (by[i] != limit) continue;
        std::size_t end = i;
        bool any = false;
        for (; end < by.size() && by[end] == limit; ++end)
            if ((end + offset) % mark_every == 0) {
                add(end);
                any = true;
            }
        if (!any) add((i + end - 1) / 2);
        i = end - 1;
    }
    return out;
}

QString level(const std::vector<double>& db, double hz) { return two_decimals(table_at(db, hz)); }

// The limit at the table frequency nearest `hz`.
sp::Limit limit_at(const std::vector<sp::Limit>& by, double hz) {
    const auto i = static_cast<std::size_t>(std::clamp(std::lround(std::log10(hz) * 200), 0L,
                                                       static_cast<long>(by.size()) - 1));
    return by[i];
}

}  // namespace

MaxSplChart::MaxSplChart(QWidget* parent, std::function<void(std::optional<double>, QPoint)> on_hover) {
    QChart* chart = plain_chart();
    QLogValueAxis* x = frequency_axis();
    axis_ = value_axis(QStringLiteral("Loudest safe SPL (dB)"));
    axis_->setTickType(QValueAxis::TicksDynamic);
    axis_->setTickAnchor(0);
    axis_->setTickInterval(10);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(axis_, Qt::AlignLeft);
    without_ = line(QStringLiteral("Loudest without the filter"), without_colour, Qt::DashLine);
    with_ = line(QStringLiteral("Loudest with the filter"), result_colour);
    attach(chart, without_, x, axis_);
    attach(chart, with_, x, axis_);
    for (const Mark& m : marks) {
        const QString name = QStringLiteral("Set by ") + to_qstring(limit_label(m.limit));
        without_marks_[m.limit] = markers(name, m.shape, without_colour);
        with_marks_[m.limit] = markers(name, m.shape, result_colour);
        attach(chart, without_marks_[m.limit], x, axis_);
        attach(chart, with_marks_[m.limit], x, axis_);
    }
    view_ = new HoverView(chart, parent, std::move(on_hover));
    view_->setObjectName(QStringLiteral("max_spl_view"));

    auto* row = static_cast<WrapRow*>(
        series_legend(parent, QStringLiteral("Legend of the loudest safe level plot"), {without_, with_}));
    row->setObjectName(QStringLiteral("max_spl_legend"));
    for (const Mark& m : marks) {
        auto* entry = new QLabel(QStringLiteral("<span style=\"color:#303030\">%1</span>&nbsp;set by %2")
                                     .arg(QString::fromUtf8(m.glyph), to_qstring(limit_label(m.limit)).toHtmlEscaped()));
        entry->setTextFormat(Qt::RichText);
        entry->hide();
        row->add(entry);
        limit_entries_[m.limit] = entry;
    }
    legend_ = row;
}

void MaxSplChart::show(const sp::Analysis* a) {
    if (!a) {
        analysis_.reset();
        for (QLineSeries* s : {without_, with_}) s->clear();
        for (auto* marks_of : {&without_marks_, &with_marks_})
            for (auto& [limit, s] : *marks_of) s->clear();
        for (auto& [limit, entry] : limit_entries_) entry->hide();
        return;
    }
    analysis_ = *a;
    double top = 0;
    for (const auto* curve : {&a->max_spl_db, &a->max_spl_filtered_db})
        for (double v : *curve)
            if (std::isfinite(v)) top = std::max(top, v);
    const double ceiling = std::ceil((top + 2) / 10) * 10, bottom = ceiling - span_db;
    set_range(axis_, bottom, ceiling);
    const auto curve = [&](const std::vector<double>& db) {
        QList<QPointF> p;
        for (std::size_t i = 0; i < db.size(); ++i) p.append({a->hz[i], db[i]});
        from_bottom(p, bottom);
        return p;
    };
    without_->replace(curve(a->max_spl_db));
    with_->replace(curve(a->max_spl_filtered_db));
    for (const Mark& m : marks) {
        const QList<QPointF> plain = marked(a->hz, a->max_spl_db, a->max_spl_limit, m.limit, 0, bottom);
        const QList<QPointF> filtered =
            marked(a->hz, a->max_spl_filtered_db, a->max_spl_filtered_limit, m.limit, mark_every / 2, bottom);
        without_marks_[m.limit]->replace(plain);
        with_marks_[m.limit]->replace(filtered);
        limit_entries_[m.limit]->setVisible(!plain.isEmpty() || !filtered.isEmpty());
    }
}

QString MaxSplChart::readout(double hz) const {
    if (!analysis_) return {};
    const sp::Analysis& a = *analysis_;
    return QStringLiteral("; loudest safe (dB) %1 without the filter (%2), %3 with it (%4)")
        .arg(level(a.max_spl_db, hz), to_qstring(limit_label(limit_at(a.max_spl_limit, hz))),
             level(a.max_spl_filtered_db, hz), to_qstring(limit_label(limit_at(a.max_spl_filtered_limit, hz))));
}

void MaxSplChart::fit_ticks() {
    const double step = steps_for(view_->height()) >= 5 ? 10 : 20;
    if (axis_->tickInterval() != step) axis_->setTickInterval(step);
}

QStringList MaxSplChart::legend_entries() const {
    QStringList out{without_->name(), with_->name()};
    for (const Mark& m : marks)
        if (!limit_entries_.at(m.limit)->isHidden()) out << QStringLiteral("Set by ") + to_qstring(limit_label(m.limit));
    return out;
}

}  // namespace vandrel::ui
