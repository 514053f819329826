// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart_style.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <utility>

#include "widgets/wrap_row.h"

namespace vandrel::ui {
namespace {

// Grid lines, axes and ticks one device pixel wide: crisp at any scale, and
// drawn as plain lines, where wider ones are stroked as outlines at many
// times the cost. The minor lines solid and light rather than Qt's dashes,
// so that dashed traces stand out.
void hairline_grid(QAbstractAxis* axis) {
    axis->setGridLinePen(QPen(QColor(200, 200, 200), 0));
    axis->setMinorGridLinePen(QPen(QColor(232, 232, 232), 0));
    axis->setLinePen(QPen(QColor(120, 120, 120), 0));  // the axis and its ticks
}

}  // namespace

QLineSeries* line(const QString& name, const QColor& colour, Qt::PenStyle style) {
    auto* series = new QLineSeries;
    series->setName(name);
    // Two logical pixels wide at any scale.
    QPen pen(colour, 2, style);
    // Qt strokes this pattern far faster than Qt::DashLine's own (a third
    // of the whole update at 1100 x 720).
    if (style != Qt::SolidLine) pen.setDashPattern({5, 3});
    series->setPen(pen);
    return series;
}

QVBoxLayout* white_column(QWidget* panel) {
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

QChart* plain_chart() {
    auto* c = new QChart;
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(4, 4, 8, 4));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->legend()->hide();
    return c;
}

// The 2..9 of each decade as minor ticks.
QLogValueAxis* frequency_axis() {
    auto* axis = new QLogValueAxis;
    axis->setBase(10);
    axis->setRange(1, 1000);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(8);
    axis->setTitleText(QStringLiteral("Frequency (Hz)"));
    hairline_grid(axis);
    return axis;
}

QValueAxis* value_axis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    hairline_grid(axis);
    return axis;
}

// The dearest part of showing new figures is laying an axis and its labels
// out anew.
void set_range(QValueAxis* axis, double low, double high) {
    if (axis->min() != low || axis->max() != high) axis->setRange(low, high);
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QWidget* series_legend(QWidget* parent, const QString& accessible_name, std::initializer_list<QAbstractSeries*> series) {
    auto* row = new WrapRow(14, 2, parent);
    row->setObjectName(QStringLiteral("legend"));
    row->setAccessibleName(accessible_name);
    row->set_centred(true);
    row->setContentsMargins(0, 2, 0, 4);
    for (QAbstractSeries* s : series) {
        QString mark;
        if (auto* area = qobject_cast<QAreaSeries*>(s)) {
            // The band's colour as it shows on white.
            const QColor fill = area->brush().color();
            const double a = fill.alphaF();
            const QColor seen(qRound(fill.red() * a + 255 * (1 - a)), qRound(fill.green() * a + 255 * (1 - a)),
                              qRound(fill.blue() * a + 255 * (1 - a)));
            mark = QStringLiteral("<span style=\"color:%1\">\u25a0</span>").arg(seen.name());
        } else {
            const QPen pen = static_cast<QLineSeries*>(s)->pen();
            mark = QStringLiteral("<span style=\"color:%1\">%2</span>")
                       .arg(pen.color().name(), pen.style() == Qt::SolidLine ? QStringLiteral("\u2501\u2501")
                                                                             : QStringLiteral("\u2505\u2505"));
        }
        auto* item = new QLabel(mark + QStringLiteral("&nbsp;") + s->name().toHtmlEscaped());
        item->setTextFormat(Qt::RichText);
        row->add(item);
    }
    return row;
}

std::pair<double, double> nice_scale(double v, int steps) {
    double step = std::pow(10.0, std::floor(std::log10(v / steps)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (v / (m * step) <= steps) {
            step *= m;
            break;
        }
    return {step, std::ceil(v / step - 1e-9) * step};
}

// How many labelled steps an axis `height` pixels high has room for, from
// 2 to 6: a label needs some 26 pixels, and the frequency axis below the
// plot some 70.
int steps_for(int height) { return std::clamp((height - 70) / 26, 2, 6); }

// A rising curve from the bottom of the level axis on: the points below it
// give way to the point where the curve crosses it. The plot clips them
// anyway, but an SVG drawing would not.
void from_bottom(QList<QPointF>& points, double bottom) {
    const auto first = std::find_if(points.begin(), points.end(), [bottom](const QPointF& p) { return p.y() >= bottom; });
    if (first == points.begin() || first == points.end()) return;
    const QPointF below = *(first - 1), above = *first;
    const double t = (std::log(above.x()) - std::log(below.x())) * (bottom - below.y()) / (above.y() - below.y());
    const QPointF crossing(below.x() * std::exp(t), bottom);
    points.erase(points.begin(), first);
    points.prepend(crossing);
    for (QPointF& p : points) p.setY(std::max(p.y(), bottom));
}

QString two_decimals(double value) {
    const double rounded = std::round(value * 100) / 100;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'f', 2);
}

}  // namespace vandrel::ui
