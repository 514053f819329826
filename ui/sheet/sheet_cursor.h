// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Blocks of text on a page of the build sheet, from the top down: headings
// with a rule under them, rows of cells, wrapped paragraphs.

#include <QPainter>
#include <QString>

#include <utility>
#include <vector>

#include "sheet_style.h"

namespace vandrel::sheet {

/// The size of body text and of headings, points.
inline constexpr qreal body_points = 8;
inline constexpr qreal heading_points = 9.5;

/// Writes blocks of text from `top` down, from `left`.
class Cursor {
public:
    Cursor(QPainter& p, qreal left, qreal top) : p_(p), left_(left), y_(top) {}
    qreal y() const { return y_; }
    void skip(qreal points) { y_ += points; }
    qreal width_of(const QString& text) const { return text_width(sheet_font(body_points), text, p_.device()); }

    void heading(const QString& text, qreal width) {
        const QFont font = sheet_font(heading_points, true);
        const LineMetrics m = line_metrics(font, p_.device());
        p_.setPen(colour::text);
        draw_text(p_, QPointF(left_, y_ + m.ascent), text, font);
        y_ += m.height + 1;
        p_.setPen(QPen(colour::rule, 0.5));
        p_.drawLine(QPointF(left_, y_), QPointF(left_ + width, y_));
        y_ += 3;
    }

    // One row of cells; `bold` for a header row. A text too wide for its
    // column is written smaller, down to 5 points, so that no digit is lost;
    // only beyond that is it cut off at the column's edge.
    void row(const std::vector<std::pair<QString, qreal>>& cells, bool bold = false, const QColor& ink = colour::text) {
        const QFont font = sheet_font(body_points, bold);
        const LineMetrics m = line_metrics(font, p_.device());
        p_.setPen(ink);
        qreal x = left_;
        for (const auto& [text, width] : cells) {
            const qreal room = width - 6;
            p_.save();
            p_.setClipRect(QRectF(x, y_, room, m.height + 1.5));
            draw_text(p_, QPointF(x, y_ + m.ascent), text, fitted(font, text, room, p_.device()));
            p_.restore();
            x += width;
        }
        y_ += m.height + 1.5;
    }

    // A paragraph wrapped to `width`.
    void paragraph(const QString& text, qreal width, const QColor& ink = colour::text) {
        p_.setPen(ink);
        y_ += draw_wrapped(p_, QPointF(left_, y_), width, text, sheet_font(body_points)) + 1.5;
    }

private:
    QPainter& p_;
    qreal left_;
    qreal y_;
};

}  // namespace vandrel::sheet
