// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_box.h"

#include <QEvent>
#include <QPainter>

namespace vandrel::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& PictureBox::canvas() {
    const qreal ratio = devicePixelRatioF();
    const QSize device_size = size() * ratio;
    if (image_.size() != device_size || image_.devicePixelRatio() != ratio) {
        image_ = QImage(device_size, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        image_.fill(Qt::white);
    }
    return image_;
}

void PictureBox::draw(Painter painter) {
    painter_ = std::move(painter);
    due_ = true;
    update();
}

const QImage& PictureBox::image() {
    paint_if_due();
    return image_;
}

void PictureBox::paint_if_due() {
    if (painter_ && (due_ || image_.devicePixelRatio() != devicePixelRatioF())) {
        painter_(canvas());
        due_ = false;
    }
}

bool may_change_pixel_ratio(const QEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange)
        return true;
#endif
    return event->type() == QEvent::ScreenChangeInternal;
}

bool PictureBox::event(QEvent* event) {
    // Painting draws the picture again at a new ratio.
    if (may_change_pixel_ratio(event))
        update();
    return QWidget::event(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
    paint_if_due();
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(rect(), image_);
}

}  // namespace vandrel::ui
