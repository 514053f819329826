// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build sheet's fonts, colours and text. The page is drawn in points
// (1/72 inch), one device pixel a point.
//
// Qt lays text out at a whole number of device pixels, which on such a page
// would round every size to a whole point and every glyph's advance with
// it. So text is drawn, and measured, at sixteen times its size under a
// transform that scales it back down: sizes and widths then come out
// within a sixteenth of a point.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace vandrel::sheet {

/// DejaVu Sans, as the circuit diagrams, at `points`.
inline QFont sheet_font(qreal points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    // Without ligatures, so that the page's text reads and searches as
    // written ("fi", not one glyph). Qt leaves them out for any letter
    // spacing but the normal one; this one widens a line by a ten-thousandth.
    font.setLetterSpacing(QFont::PercentageSpacing, 100.02);
    return font;
}

inline constexpr qreal text_scale = 16;

/// `font` at text_scale times its size.
inline QFont enlarged(const QFont& font) {
    QFont large(font);
    large.setPointSizeF(font.pointSizeF() * text_scale);
    return large;
}

/// Ascent, descent and line height of a font on the page, points.
struct LineMetrics {
    qreal ascent;
    qreal descent;
    qreal height;
};

inline LineMetrics line_metrics(const QFont& font, QPaintDevice* device) {
    const QFontMetricsF m(enlarged(font), device);
    return {m.ascent() / text_scale, m.descent() / text_scale, m.height() / text_scale};
}

/// The width of `text` in `font` on the page, points.
inline qreal text_width(const QFont& font, const QString& text, QPaintDevice* device) {
    return QFontMetricsF(enlarged(font), device).horizontalAdvance(text) / text_scale;
}

/// `font`, made smaller if need be, down to 5 points, so that `text` fits
/// in `room` points.
inline QFont fitted(const QFont& font, const QString& text, qreal room, QPaintDevice* device) {
    const qreal needed = text_width(font, text, device);
    if (needed <= room) return font;
    QFont smaller(font);
    smaller.setPointSizeF(std::max(5.0, font.pointSizeF() * room / needed));
    return smaller;
}

/// Draws `text` in `font` with its baseline's left end at `at`.
inline void draw_text(QPainter& p, QPointF at, const QString& text, const QFont& font) {
    p.save();
    p.translate(at);
    p.scale(1 / text_scale, 1 / text_scale);
    p.setFont(enlarged(font));
    p.drawText(QPointF(0, 0), text);
    p.restore();
}

/// Draws `text` in `font` wrapped at word breaks to `width` from `top_left`;
/// returns the height it took, points.
inline qreal draw_wrapped(QPainter& p, QPointF top_left, qreal width, const QString& text, const QFont& font) {
    p.save();
    p.translate(top_left);
    p.scale(1 / text_scale, 1 / text_scale);
    p.setFont(enlarged(font));
    const QRectF room(0, 0, width * text_scale, 1e6);
    QRectF used;
    p.drawText(room, Qt::TextWordWrap, text, &used);
    p.restore();
    return used.height() / text_scale;
}

namespace colour {
inline constexpr QColor text{0x20, 0x20, 0x20};
inline constexpr QColor muted{0x60, 0x60, 0x60};
inline constexpr QColor rule{0xB0, 0xB0, 0xB0};
inline constexpr QColor grid{0xD8, 0xD8, 0xD8};
inline constexpr QColor minor_grid{0xEE, 0xEE, 0xEE};
inline constexpr QColor exact{0x50, 0x50, 0x50};     ///< the exact design's section, dashed
inline constexpr QColor section{0x1F, 0x5F, 0xBF};   ///< the section as built
inline constexpr QColor path{0xD0, 0x50, 0x10};      ///< the whole path as built, and its group delay
inline constexpr QColor band{0xF6, 0xD0, 0xB8};      ///< where 90 % of builds of the path lie
}  // namespace colour

}  // namespace vandrel::sheet
