#pragma once
// A picture box that keeps what was drawn on it.

#include <QImage>
#include <QWidget>

#include <functional>

namespace vandrel::ui {

/// Shows a retained image that is drawn into through a QtPictureSurface.
/// The picture stays while the box is hidden or covered and appears as it
/// was when the box is shown again; nothing is redrawn on painting, except
/// at a new device pixel ratio.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    /// Paints a whole picture into a canvas: an image as large as the box in
    /// logical pixels times its device pixel ratio, white to begin with.
    using Painter = std::function<void(QImage& canvas)>;

    explicit PictureBox(QWidget* parent = nullptr);

    /// Paints the box's picture with `painter` now, and again whenever the
    /// box's device pixel ratio changes (the window moves to a screen of
    /// another scale, or the scale changes), so that it stays sharp.
    void draw(Painter painter);

    /// The image as last drawn (null before the first drawing).
    const QImage& image() const { return image_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage& canvas();
    void draw_again_if_ratio_changed();

    QImage image_;
    Painter painter_;
};

}  // namespace vandrel::ui
