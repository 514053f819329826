#include "picture_box.h"

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

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(rect(), image_);
}

}  // namespace vandrel::ui
