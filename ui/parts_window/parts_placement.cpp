// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_placement.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vandrel::ui {
namespace {

qint64 area(const QRect& r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); }

// `low` to `high - length`, with `wanted` put within it.
int within(int wanted, int low, int high, int length) { return std::clamp(wanted, low, std::max(low, high - length)); }

// The outer frame for a client area as large as `room` allows (up to
// `most`), if it holds the readable layout at a usable width, at the
// position `at` gives.
std::optional<QRect> fitted(const PlaceRequest& r, const QRect& room, const std::function<QPoint(QSize)>& at) {
    const QSize client = room.size().shrunkBy(r.frame).boundedTo(r.most);
    if (client.width() < std::max(r.least_width, r.usable_width) || client.height() < r.least_height(client.width()))
        return std::nullopt;
    const QSize outer = client.grownBy(r.frame);
    return QRect(at(outer), outer);
}

// The room on each side of `around`, within the screen.
std::array<QRect, 4> rooms(const QRect& screen, const QRect& around) {
    return {QRect(QPoint(around.right() + 1, screen.top()), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(around.left() - 1, screen.bottom())),
            QRect(QPoint(screen.left(), around.bottom() + 1), screen.bottomRight()),
            QRect(screen.topLeft(), QPoint(screen.right(), around.top() - 1))};
}

}  // namespace

FirstPlace first_place(const PlaceRequest& r) {
    const QRect& main = r.main;
    // Beside the main window, centred on it along that side.
    std::optional<QRect> best;
    const std::array<QRect, 4> sides = rooms(r.screen, main);
    for (std::size_t side = 0; side < sides.size(); ++side) {
        const QRect& room = sides[side];
        const auto place = fitted(r, room, [&](QSize outer) {
            const int x = side == 0 ? room.left() : side == 1 ? room.right() + 1 - outer.width()
                                                             : within(main.center().x() - outer.width() / 2,
                                                                      room.left(), room.right() + 1, outer.width());
            const int y = side == 2 ? room.top() : side == 3 ? room.bottom() + 1 - outer.height()
                                                             : within(main.center().y() - outer.height() / 2,
                                                                      room.top(), room.bottom() + 1, outer.height());
            return QPoint(x, y);
        });
        // Right, left, below, above: a later side only with clearly more
        // room, not the odd pixel that centring the main window leaves.
        if (place && (!best || area(*place) > area(*best) * 51 / 50)) best = place;
    }
    if (best) return {best->marginsRemoved(r.frame), true};

    // In front of the main window, as large as is worth having: a strip
    // beside it, or a window squeezed around its fields, is no use.
    const QSize outer = r.screen.size().shrunkBy(r.frame).boundedTo(r.most).grownBy(r.frame);
    const QPoint centre = main.isEmpty() ? r.screen.center() : main.center();
    const QPoint at(within(centre.x() - outer.width() / 2, r.screen.left(), r.screen.right() + 1, outer.width()),
                    within(centre.y() - outer.height() / 2, r.screen.top(), r.screen.bottom() + 1, outer.height()));
    return {QRect(at, outer).marginsRemoved(r.frame), false};
}

QRect pulled_onto(const QRect& frame, const QRect& screen, QSize least) {
    const QSize size = frame.size().boundedTo(screen.size()).expandedTo(least.boundedTo(screen.size()));
    return {QPoint(within(frame.left(), screen.left(), screen.right() + 1, size.width()),
                   within(frame.top(), screen.top(), screen.bottom() + 1, size.height())),
            size};
}

}  // namespace vandrel::ui
