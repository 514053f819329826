// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_picture_surface.h"

#include <QFontMetricsF>
#include <QPen>
#include <QString>

#include <cmath>

#include "qtext.h"

namespace vandrel::ui {

QtPictureSurface::QtPictureSurface(QImage& image, const QFont& font, QColor background)
    : image_(image),
      background_(background),
      logical_width_(image.deviceIndependentSize().width()),
      logical_height_(image.deviceIndependentSize().height()),
      scale_width_(logical_width_ > 0 ? logical_width_ : 1),
      scale_height_(logical_height_ > 0 ? logical_height_ : 1) {
    // A null image (a surface of no size) has nothing to draw on; every
    // operation then only keeps its state.
    if (image_.isNull()) return;
    painter_.begin(&image_);
    painter_.setFont(font);
    use_pen();
}

QtPictureSurface::~QtPictureSurface() {
    if (painter_.isActive()) painter_.end();
}

void QtPictureSurface::ScaleHeight(float height) {
    // A scale of no extent (or not a number) maps nothing: keep the old one.
    if (std::isfinite(height) && height != 0) scale_height_ = height;
}

void QtPictureSurface::ScaleWidth(float width) {
    if (std::isfinite(width) && width != 0) scale_width_ = width;
}

QPointF QtPictureSurface::to_pixels(double x, double y) const {
    return {x * logical_width_ / scale_width_, y * logical_height_ / scale_height_};
}

void QtPictureSurface::Cls() {
    current_ = {0, 0};
    if (!painter_.isActive()) return;
    painter_.fillRect(QRectF(0, 0, logical_width_, logical_height_), background_);
}

void QtPictureSurface::DrawWidth(int pixels) {
    draw_width_ = pixels < 1 ? 1 : pixels;
    use_pen();
}

void QtPictureSurface::ForeColor(Rgb colour) {
    fore_colour_ = QColor(colour.r, colour.g, colour.b);
    use_pen();
}

void QtPictureSurface::use_pen() {
    if (!painter_.isActive()) return;
    // One-pixel lines stay hard so that grid and reference lines keep their
    // exact colours; wider pens (the response curve) are smoothed.
    painter_.setRenderHint(QPainter::Antialiasing, draw_width_ > 1);
    // Square caps: the curve is some thousand short segments, and round caps
    // make every one of them a stroked path, several times slower to paint.
    // At these widths the joints look the same.
    painter_.setPen(QPen(fore_colour_, draw_width_, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
}

void QtPictureSurface::Line(float x1, float y1, float x2, float y2) {
    if (!painter_.isActive()) return;
    painter_.drawLine(to_pixels(x1, y1), to_pixels(x2, y2));
}

void QtPictureSurface::PSet(float x, float y) {
    current_ = {x, y};
    if (!painter_.isActive()) return;
    if (draw_width_ == 1) {
        painter_.drawPoint(to_pixels(x, y));
        return;
    }
    // A wide point is a round dot.
    QPen pen = painter_.pen();
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawPoint(to_pixels(x, y));
    use_pen();
}

void QtPictureSurface::Print(std::string_view text) {
    const QFontMetricsF metrics(painter_.isActive() ? painter_.font() : QFont());
    if (painter_.isActive()) {
        // Only the characters are drawn: the grid stays visible around them.
        const QPointF top_left = to_pixels(current_.x(), current_.y());
        painter_.drawText(QPointF(top_left.x(), top_left.y() + metrics.ascent()),
                          to_qstring(text));
    }
    // Like a line of printed text: the next one starts at the left edge below it.
    const double line_height = logical_height_ > 0 ? metrics.height() * scale_height_ / logical_height_ : 0;
    current_ = {0, current_.y() + line_height};
}

}  // namespace vandrel::ui
