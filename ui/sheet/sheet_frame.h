// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the build sheet's plots share: a frame with a logarithmic frequency
// axis from 1 Hz to 1 kHz, its grid and labels, a title, legend entries and
// the pens of the curves.

#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <span>

#include "vandrel/as_built/report.h"

class QPainter;

namespace vandrel::sheet {

inline constexpr int decades = 3;             ///< 1 Hz to 1 kHz
inline constexpr qreal label_points = 7;
inline constexpr qreal title_points = 8.5;
inline constexpr qreal header_height = 40;    ///< title and two legend rows above a frame
inline constexpr qreal left_room = 24;        ///< level labels left of a frame
inline constexpr qreal bottom_room = 22;      ///< frequency labels and the axis title below it

/// Where a plot's values go on the page: frequency on a logarithmic axis,
/// the value linear from `low` to `high`.
class Frame {
public:
    Frame(const QRectF& area, double low, double high)
        : box_(area.adjusted(left_room, header_height, -4, -bottom_room)), low_(low), high_(high) {}

    const QRectF& box() const { return box_; }
    qreal x(double hz) const;
    qreal y(double v) const;

    /// Grid, frame, and labels: a decade a major line with 2..9 between, the
    /// value every `step`.
    void axes(QPainter& p, double step) const;

    /// A curve through (hz, value) points; a value that is not finite breaks it.
    QPainterPath curve(std::span<const as_built::ResponseRow> rows, double as_built::ResponseRow::*value) const;
    QPainterPath curve(std::span<const double> hz, std::span<const double> values) const;

private:
    void line(QPainter& p, const QColor& c, qreal at, bool vertical) const;

    QRectF box_;
    double low_, high_;
};

/// The title of a plot at the top of its area.
void title(QPainter& p, const QRectF& area, const QString& text);

/// One legend entry: a short line in the curve's pen (or a swatch of `fill`
/// where it is valid), then its text; returns where the next one starts.
qreal legend(QPainter& p, QPointF at, const QPen& pen, const QColor& fill, const QString& text);

/// The pen of a curve `width` points wide.
QPen curve_pen(const QColor& c, qreal width, Qt::PenStyle style = Qt::SolidLine);

}  // namespace vandrel::sheet
