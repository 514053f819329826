// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_export.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

#include <functional>

namespace vandrel::ui {
namespace {

constexpr int caption_height = 30;
constexpr int pixels_per_point = 2;  // PNG and JPEG: device pixels per logical one

// The caption in the band at the top, its font made smaller until it fits
// one line, and elided beyond that.
void draw_caption(QPainter& painter, const QString& text, int width) {
    QFont font = painter.font();
    font.setPixelSize(14);
    const int room = width - 16;
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString line = QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
    painter.drawText(QRect(8, 0, room, caption_height), Qt::AlignVCenter | Qt::AlignLeft, line);
}

}  // namespace

void draw_plot(QPainter& painter, const QString& caption, QWidget* plot, QWidget* charts) {
    plot->setAttribute(Qt::WA_DontShowOnScreen);
    plot->resize(plot_file_width, plot_file_height - caption_height);
    plot->show();
    QCoreApplication::sendPostedEvents();
    painter.fillRect(QRect(0, 0, plot_file_width, plot_file_height), Qt::white);
    draw_caption(painter, caption, plot_file_width);
    charts->render(&painter, QPoint(0, caption_height), QRegion(), QWidget::DrawChildren);
}

QByteArray plot_image(PlotFormat format, const QString& title, const QString& caption,
                  const std::function<void(QPainter&)>& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == PlotFormat::svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(plot_file_width, plot_file_height));
        generator.setViewBox(QRect(0, 0, plot_file_width, plot_file_height));
        generator.setTitle(title);
        generator.setDescription(caption);
        QPainter painter(&generator);
        paint(painter);
        painter.end();
        return bytes;
    }
    QImage image(QSize(plot_file_width, plot_file_height) * pixels_per_point, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixels_per_point);
    image.setText(QStringLiteral("Description"), caption);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter);
    }
    image.save(&buffer, format == PlotFormat::png ? "PNG" : "JPEG", format == PlotFormat::png ? -1 : 92);
    return bytes;
}

std::optional<PlotFormat> plot_format_of(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return PlotFormat::png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PlotFormat::jpeg;
    if (suffix == QLatin1String("svg")) return PlotFormat::svg;
    return std::nullopt;
}

}  // namespace vandrel::ui
