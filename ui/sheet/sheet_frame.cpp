// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_frame.h"

#include <QPainter>

#include <cmath>
#include <vector>

#include "sheet_style.h"
#include "sheet_text.h"

namespace vandrel::sheet {

qreal Frame::x(double hz) const { return box_.left() + std::log10(hz) / decades * box_.width(); }

qreal Frame::y(double v) const { return box_.bottom() - (v - low_) / (high_ - low_) * box_.height(); }

void Frame::axes(QPainter& p, double step) const {
    p.save();
    const QFont font = sheet_font(label_points);
    const LineMetrics m = line_metrics(font, p.device());
    for (int d = 0; d < decades; ++d)
        for (int k = 2; k <= 9; ++k) line(p, colour::minor_grid, x(k * std::pow(10.0, d)), true);
    for (int d = 0; d <= decades; ++d) {
        const qreal at = x(std::pow(10.0, d));
        line(p, colour::grid, at, true);
        const QString label = QString::number(static_cast<int>(std::pow(10.0, d)));
        p.setPen(colour::text);
        draw_text(p, QPointF(at - text_width(font, label, p.device()) / 2, box_.bottom() + 2 + m.ascent), label,
                  font);
    }
    for (int i = 0;; ++i) {
        const double v = low_ + i * step;
        if (v > high_ + step * 1e-9) break;
        line(p, colour::grid, y(v), false);
        const QString label = QString::fromStdString(six_digits(v));
        p.setPen(colour::text);
        draw_text(p, QPointF(box_.left() - 3 - text_width(font, label, p.device()), y(v) + (m.ascent - m.descent) / 2),
                  label, font);
    }
    const QString title = QStringLiteral("Frequency (Hz)");
    draw_text(p, QPointF(box_.center().x() - text_width(font, title, p.device()) / 2, box_.bottom() + 4 + m.height + m.ascent),
              title, font);
    p.setPen(QPen(colour::muted, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box_);
    p.restore();
}

QPainterPath Frame::curve(std::span<const as_built::ResponseRow> rows, double as_built::ResponseRow::*value) const {
    std::vector<double> hz, values;
    hz.reserve(rows.size());
    values.reserve(rows.size());
    for (const as_built::ResponseRow& r : rows) {
        hz.push_back(r.hz);
        values.push_back(r.*value);
    }
    return curve(hz, values);
}

QPainterPath Frame::curve(std::span<const double> hz, std::span<const double> values) const {
    QPainterPath path;
    bool open = false;
    for (std::size_t i = 0; i < values.size() && i < hz.size(); ++i) {
        if (!std::isfinite(values[i]) || !(hz[i] > 0)) {
            open = false;
            continue;
        }
        const QPointF point(x(hz[i]), y(values[i]));
        if (open)
            path.lineTo(point);
        else
            path.moveTo(point);
        open = true;
    }
    return path;
}

void Frame::line(QPainter& p, const QColor& c, qreal at, bool vertical) const {
    p.setPen(QPen(c, 0.4));
    if (vertical)
        p.drawLine(QPointF(at, box_.top()), QPointF(at, box_.bottom()));
    else
        p.drawLine(QPointF(box_.left(), at), QPointF(box_.right(), at));
}

void title(QPainter& p, const QRectF& area, const QString& text) {
    const QFont font = sheet_font(title_points, true);
    p.setPen(colour::text);
    draw_text(p, QPointF(area.left(), area.top() + line_metrics(font, p.device()).ascent), text, font);
}

qreal legend(QPainter& p, QPointF at, const QPen& pen, const QColor& fill, const QString& text) {
    p.save();
    if (fill.isValid())
        p.fillRect(QRectF(at.x(), at.y() - 3, 14, 6), fill);
    else {
        p.setPen(pen);
        p.drawLine(at, at + QPointF(14, 0));
    }
    const QFont font = sheet_font(label_points);
    const LineMetrics m = line_metrics(font, p.device());
    p.setPen(colour::text);
    draw_text(p, QPointF(at.x() + 18, at.y() + (m.ascent - m.descent) / 2), text, font);
    p.restore();
    return at.x() + 18 + text_width(font, text, p.device()) + 12;
}

QPen curve_pen(const QColor& c, qreal width, Qt::PenStyle style) { return QPen(c, width, style, Qt::FlatCap, Qt::RoundJoin); }

}  // namespace vandrel::sheet
