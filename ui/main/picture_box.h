// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box that keeps what was drawn on it.

#include <QImage>
#include <QWidget>

#include <functional>

class QEvent;

namespace vandrel::ui {

/// Whether `event` may bring a widget a new device pixel ratio: a move to
/// another screen, or (Qt 6.6 on) a new ratio on the same one. Before Qt 6.6
/// a change of the scale shows only in the repaint it brings.
bool may_change_pixel_ratio(const QEvent* event);

/// Shows a retained image that is drawn into through a QtPictureSurface.
/// The picture stays while the box is hidden or covered and appears as it
/// was when the box is shown again; nothing is redrawn on painting, except
/// at a new device pixel ratio. A picture given while the box is hidden is
/// painted only when it is first needed, so a hidden box costs nothing.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    /// Paints a whole picture into a canvas: an image as large as the box in
    /// logical pixels times its device pixel ratio, white to begin with.
    using Painter = std::function<void(QImage& canvas)>;

    explicit PictureBox(QWidget* parent = nullptr);

    /// Makes `painter` paint the box's picture: when the box is next painted
    /// or its image asked for, and again whenever the box's device pixel
    /// ratio changes (the window moves to a screen of another scale, or the
    /// scale changes), so that it stays sharp.
    void draw(Painter painter);

    /// The picture as last drawn (null before the first drawing).
    const QImage& image();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage& canvas();
    void paint_if_due();

    QImage image_;
    Painter painter_;
    bool due_ = false;  // painter_ has not painted image_ yet
};

}  // namespace vandrel::ui
