#pragma once
// A picture box that keeps what was drawn on it.

#include <QImage>
#include <QWidget>

namespace vandrel::ui {

/// Shows a retained image that is drawn into through a QtPictureSurface.
/// The picture stays while the box is hidden or covered and appears as it
/// was when the box is shown again; nothing is redrawn on painting.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    /// The image to draw into: as large as the box in logical pixels times
    /// the box's device pixel ratio. A new size or ratio starts a new,
    /// white image. Call update() after drawing.
    QImage& canvas();

    /// The image as last drawn (null before the first drawing).
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace vandrel::ui
