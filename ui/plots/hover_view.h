// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart view of the Parts window's plots: it reports the frequency under
// the mouse, hands the keys it is given to its plot, and marks the plot's
// cursor with a line across the plot area.

#include <QChartView>

#include <functional>
#include <optional>

namespace vandrel::ui {

/// A chart view that reports the frequency under the mouse (Hz, and where
/// on the screen), or none when the mouse is outside the plot area.
class HoverView final : public QChartView {
public:
    HoverView(QChart* chart, QWidget* parent, std::function<void(std::optional<double>, QPoint)> on_hover);

    /// Marks `hz` with a line across the plot area; none: no line.
    void set_cursor(std::optional<double> hz);
    std::optional<double> cursor() const { return cursor_; }
    /// Gives each key pressed in the view to `on_key`, which says whether it
    /// took it; the keys it leaves do what they do in any chart view.
    void set_key_handler(std::function<bool(int key)> on_key) { on_key_ = std::move(on_key); }

    /// As high as its least height: a column of charts shares out what
    /// room there is by their stretch, and scrolls only when they are
    /// squeezed below their least heights.
    QSize sizeHint() const override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    std::function<void(std::optional<double>, QPoint)> on_hover_;
    std::function<bool(int)> on_key_;
    std::optional<double> cursor_;
};

}  // namespace vandrel::ui
