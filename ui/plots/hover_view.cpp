// SPDX-License-Identifier: GPL-3.0-or-later
#include "hover_view.h"

#include <QChart>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace vandrel::ui {

HoverView::HoverView(QChart* chart, QWidget* parent, std::function<void(std::optional<double>, QPoint)> on_hover)
    : QChartView(chart, parent), on_hover_(std::move(on_hover)) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void HoverView::set_cursor(std::optional<double> hz) {
    if (hz == cursor_) return;
    cursor_ = hz;
    // The foreground is drawn from the view's cache otherwise.
    resetCachedContent();
    viewport()->update();
}

QSize HoverView::sizeHint() const { return {400, minimumHeight()}; }

void HoverView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (chart()->plotArea().contains(at))
        on_hover_(chart()->mapToValue(at).x(), event->globalPosition().toPoint());
    else
        on_hover_(std::nullopt, {});
    QChartView::mouseMoveEvent(event);
}

void HoverView::leaveEvent(QEvent* event) {
    on_hover_(std::nullopt, {});
    QChartView::leaveEvent(event);
}

void HoverView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && on_key_ && on_key_(event->key())) {
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}

// The frequency axis runs from 1 Hz to 1 kHz in log f across the plot area.
void HoverView::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    if (!cursor_) return;
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const double x = area.left() + area.width() * std::log10(*cursor_) / 3;
    painter->save();
    QPen pen(QColor(40, 40, 40), 1, Qt::DashLine);
    painter->setPen(pen);
    painter->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    painter->restore();
}

}  // namespace vandrel::ui
