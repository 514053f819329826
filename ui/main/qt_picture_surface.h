// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture surface that draws into a QImage.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>

#include "vandrel/graph.h"

namespace vandrel::ui {

/// Draws into `image`, which stands for a surface of
/// image.deviceIndependentSize() logical pixels: the user scale covers the
/// whole image, pen widths are in logical pixels, and the image's device
/// pixel ratio gives the detail (2 on a HiDPI screen).
///
/// The image must stay alive, and be painted by nothing else, while the
/// surface exists; the drawing is in the image once the surface is gone.
class QtPictureSurface final : public PictureSurface {
public:
    /// `font` is the font Print writes in; `background` is what Cls fills with.
    QtPictureSurface(QImage& image, const QFont& font, QColor background = Qt::white);
    ~QtPictureSurface() override;

    QtPictureSurface(const QtPictureSurface&) = delete;
    QtPictureSurface& operator=(const QtPictureSurface&) = delete;

    void ScaleHeight(float height) override;
    void ScaleWidth(float width) override;
    void Cls() override;
    void DrawWidth(int pixels) override;
    void ForeColor(Rgb colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void PSet(float x, float y) override;
    void Print(std::string_view text) override;

    /// A point of the user scale in logical pixels of the image.
    QPointF to_pixels(double x, double y) const;

private:
    void use_pen();

    QImage& image_;
    QPainter painter_;
    QColor background_;
    double logical_width_;
    double logical_height_;
    // Until the scale is set, one user unit is one logical pixel.
    double scale_width_;
    double scale_height_;
    QColor fore_colour_{Qt::black};
    int draw_width_ = 1;
    QPointF current_;  // in user units
};

}  // namespace vandrel::ui
