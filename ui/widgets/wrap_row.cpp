// SPDX-License-Identifier: GPL-3.0-or-later
#include "wrap_row.h"

#include <QResizeEvent>

#include <algorithm>

namespace vandrel::ui {

WrapRow::WrapRow(int spacing, int row_spacing, QWidget* parent)
    : QWidget(parent), spacing_(spacing), row_spacing_(row_spacing) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrapRow::add(QWidget* item) {
    item->setParent(this);
    items_.push_back(item);
    // Shown or hidden, also while the row itself is hidden (which posts it
    // no layout request), an item moves the others.
    item->installEventFilter(this);
    updateGeometry();
}

int WrapRow::arrange(int width, std::vector<QRect>* places) const {
    const QMargins m = contentsMargins();
    width -= m.left() + m.right();
    int x = 0, y = m.top(), row_height = 0;
    std::vector<QRect> row;
    const auto end_row = [&] {
        const int shift = m.left() + (centred_ && !row.empty() ? std::max(0, (width - row.back().right() - 1) / 2) : 0);
        for (QRect& r : row) {
            r.moveTop(y + (row_height - r.height()) / 2);
            r.translate(shift, 0);
            if (places) places->push_back(r);
        }
        row.clear();
    };
    for (QWidget* item : items_) {
        if (item->isHidden()) continue;
        const QSize size = item->sizeHint().expandedTo(item->minimumSizeHint());
        if (!row.empty() && x + spacing_ + size.width() > width) {
            end_row();
            y += row_height + row_spacing_;
            x = 0;
            row_height = 0;
        }
        if (!row.empty()) x += spacing_;
        row.emplace_back(QPoint(x, 0), size);
        x += size.width();
        row_height = std::max(row_height, size.height());
    }
    end_row();
    return y + row_height + m.bottom();
}

int WrapRow::height_for(int width) const { return arrange(width, nullptr); }

int WrapRow::widest() const {
    int most = 0;
    for (const QWidget* item : items_)
        if (!item->isHidden()) most = std::max(most, item->sizeHint().expandedTo(item->minimumSizeHint()).width());
    return most + contentsMargins().left() + contentsMargins().right();
}

QSize WrapRow::sizeHint() const {
    const int one_row = arrange(QWIDGETSIZE_MAX, nullptr);
    int width = 0;
    for (const QWidget* item : items_)
        if (!item->isHidden()) width += (width ? spacing_ : 0) + item->sizeHint().width();
    return {width + contentsMargins().left() + contentsMargins().right(), one_row};
}

QSize WrapRow::minimumSizeHint() const { return {widest(), height_for(std::max(width(), widest()))}; }

void WrapRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_items();
}

void WrapRow::place_items() {
    std::vector<QRect> places;
    const int height = arrange(width(), &places);
    std::size_t i = 0;
    for (QWidget* item : items_)
        if (!item->isHidden()) item->setGeometry(places[i++]);
    // Rows gained or lost: ask the layout for the new height.
    if (height != height_) {
        height_ = height;
        updateGeometry();
    }
}

bool WrapRow::event(QEvent* event) {
    // An item shown, hidden or resized changes the rows.
    if (event->type() == QEvent::LayoutRequest) {
        height_ = -1;
        updateGeometry();
        place_items();
    }
    return QWidget::event(event);
}

bool WrapRow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        height_ = -1;
        updateGeometry();
        place_items();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vandrel::ui
