// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing a picture at a device pixel ratio, in the picture's own logical
// pixels.

#include <QImage>
#include <QPixmap>

#include <cmath>

namespace vandrel::pictures {

/// An image that covers `logical` pixels at `ratio`, filled with `fill`:
/// whole device pixels, enough to cover the logical size.
inline QImage canvas(QSize logical, qreal ratio, const QColor& fill) {
    if (!(ratio > 0)) ratio = 1;
    QImage image(static_cast<int>(std::ceil(logical.width() * ratio - 1e-9)),
                 static_cast<int>(std::ceil(logical.height() * ratio - 1e-9)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

}  // namespace vandrel::pictures
