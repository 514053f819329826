// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window's plots share: charts without frills, a frequency
// axis from 1 Hz to 1 kHz, hairline grids, curves two pixels wide, a legend
// that wraps, and views that report the frequency under the mouse
// (hover_view.h).

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

#include <initializer_list>
#include <utility>

#include "hover_view.h"

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QLineSeries;
class QVBoxLayout;
class QLogValueAxis;
class QValueAxis;

namespace vandrel::ui {

/// A curve two logical pixels wide, solid or dashed.
QLineSeries* line(const QString& name, const QColor& colour, Qt::PenStyle style = Qt::SolidLine);

/// A chart without a background frame, margins or legend of its own.
QChart* plain_chart();

/// Makes `panel` white, as the charts are, behind legends too, and gives
/// it a column without margins for the charts.
QVBoxLayout* white_column(QWidget* panel);

/// The frequency axis: 1 Hz to 1 kHz, a decade a major step.
QLogValueAxis* frequency_axis();

/// A linear axis titled `title`, with hairline grid lines.
QValueAxis* value_axis(const QString& title);

/// Sets an axis' range only when it changes (every change lays it out anew).
void set_range(QValueAxis* axis, double low, double high);

/// Adds `series` to `chart` on the axes `x` and `y`.
void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);

/// A legend of its own below a chart, a mark in each series' colour and
/// its name, wrapping where the width runs out.
QWidget* series_legend(QWidget* parent, const QString& accessible_name, std::initializer_list<QAbstractSeries*> series);

/// An axis from 0 for values up to `v` (> 0): a step of 1, 2 or 5 times a
/// power of ten that covers them in at most `steps` steps, and its top.
std::pair<double, double> nice_scale(double v, int steps);

/// How many labelled steps an axis `height` pixels high has room for,
/// from 2 to 6.
int steps_for(int height);

/// A rising curve from `bottom` of the level axis on: the points below it
/// give way to the point where the curve crosses it (an SVG drawing would
/// not clip them as the plot does).
void from_bottom(QList<QPointF>& points, double bottom);

/// A level for a readout: two decimals, never "-0.00".
QString two_decimals(double value);

}  // namespace vandrel::ui
