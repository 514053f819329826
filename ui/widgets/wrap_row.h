// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Widgets side by side, left to right, that wrap onto further rows where
// the width runs out: the Parts window's choices and commands, whatever
// its width.

#include <QWidget>

#include <vector>

namespace vandrel::ui {

class WrapRow final : public QWidget {
public:
    /// Items `spacing` pixels apart in a row, rows `row_spacing` apart.
    explicit WrapRow(int spacing, int row_spacing, QWidget* parent = nullptr);

    /// Adds an item, at its size hint, after the others.
    void add(QWidget* item);
    /// Each row centred (true) or from the left.
    void set_centred(bool centred) { centred_ = centred; }
    /// How high the rows are at `width`, in logical pixels.
    int height_for(int width) const;
    /// The widest item: the least width that shows every item whole.
    int widest() const;

    QSize sizeHint() const override;         ///< every item in one row
    QSize minimumSizeHint() const override;  ///< the widest item, as high as the current width needs
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return height_for(width); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Puts every shown item in its place for the current width.
    void place_items();
    /// Where each shown item goes at `width`; the height they take.
    int arrange(int width, std::vector<QRect>* places) const;

    std::vector<QWidget*> items_;
    int spacing_;
    int row_spacing_;
    int height_ = 0;
    bool centred_ = false;
};

}  // namespace vandrel::ui
