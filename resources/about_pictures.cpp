// SPDX-License-Identifier: GPL-3.0-or-later
// The About window's logo and separator, and the two window icons.

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <utility>

#include "canvas.h"
#include "pictures.h"

namespace vandrel::pictures {
namespace {

// The logo's dB scale is stretched near 0 dB, so the response's peak and
// the -3 dB level stand apart from the passband level.
constexpr double passband_row = 22.5;
double row_of_db(double db) { return passband_row + 16 * std::asinh(-db / 4); }

// A second-order high-pass with Q = 1, 30 pixels per decade across, f0 at
// column 40.
QPainterPath response_curve() {
    constexpr double q = 1.0;
    QPainterPath path;
    for (int i = 0; i <= 200; ++i) {
        const double x = 8 + 65.0 * i / 200;
        const double f = std::pow(10.0, (x - 40) / 30);  // f / f0
        const double magnitude = f * f / std::sqrt((1 - f * f) * (1 - f * f) + (f / q) * (f / q));
        const double y = row_of_db(20 * std::log10(magnitude));
        if (y > 73) continue;
        if (path.elementCount() == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    return path;
}

QIcon icon_from(const char* name) {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(name)).arg(size), QSize(size, size));
    return icon;
}

}  // namespace

QPixmap about_logo(qreal device_pixel_ratio) {
    const QColor paper{0xF7, 0xF7, 0xF2};
    const QColor frame{0xA0, 0xA0, 0xA0};
    const QColor grid{0xDC, 0xDC, 0xD4};
    const QColor blue{0x37, 0x6A, 0xF0};
    const QColor red{0xE0, 0x20, 0x10};

    QImage image = canvas(logo_size, device_pixel_ratio, paper);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // One-pixel lines lie on pixel centres so they stay sharp.
        const auto line = [&p](const QColor& c, double x0, double y0, double x1, double y1) {
            p.setPen(QPen(c, 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(x0, y0), QPointF(x1, y1));
        };
        for (double g : {20.5, 40.5, 60.5}) {
            line(grid, g, 6, g, 74);
            line(grid, 6, g, 74, g);
        }
        p.setPen(QPen(frame, 1.0));
        p.drawRect(QRectF(3.5, 3.5, 74, 74));
        line(blue, 7, passband_row, 74, passband_row);
        line(red, 7, std::round(row_of_db(-3)) + 0.5, 74, std::round(row_of_db(-3)) + 0.5);
        p.setPen(QPen(blue, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(response_curve());
    }
    return QPixmap::fromImage(std::move(image));
}

QPixmap separator(qreal device_pixel_ratio) {
    QImage image = canvas(separator_size, device_pixel_ratio, Qt::white);
    {
        // Unsmoothed: the grey row covers whole device pixels.
        QPainter p(&image);
        p.fillRect(QRectF(0, 0, separator_size.width(), 1), QColor(128, 128, 128));
    }
    return QPixmap::fromImage(std::move(image));
}

QIcon main_icon() { return icon_from("vandrel"); }

QIcon about_icon() { return icon_from("about"); }

}  // namespace vandrel::pictures
