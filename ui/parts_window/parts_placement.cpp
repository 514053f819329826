// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_placement.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace vandrel::ui {
namespace {

qint64 area(const QRect& r) { return r.isEmpty() ? 0 : qint64(r.width()) * r.height(); }
qint64 covered(const QRect& a, const QRect& b) { return area(a.intersected(b)); }

// The least client height of a window put clear of the main window's fields
// where not even the readable layout fits.
constexpr int squeezed_least_height = 200;

// `low` to `high - length`, with `wanted` put within it.
int within(int wanted, int low, int high, int length) { return std::clamp(wanted, low, std::max(low, high - length)); }

// The outer frame for a client area as large as `room` allows (up to
// `most`), if it holds the readable layout, at the position `at` gives.
std::optional<QRect> fitted(const PlaceRequest& r, const QRect& room, const std::function<QPoint(QSize)>& at) {
    const QSize client = room.size().shrunkBy(r.frame).boundedTo(r.most);
    if (client.width() < r.least_width || client.height() < r.least_height(client.width())) return std::nullopt;
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

QRect first_place(const PlaceRequest& r) {
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
    if (best) return best->marginsRemoved(r.frame);

    // Over the main window but clear of its fields and Solve: in the room
    // around them, in the corner of that room that covers least of it.
    qint64 least_covered = -1;
    for (const QRect& room : rooms(r.screen, r.keep_clear)) {
        for (const auto corner : {Qt::TopLeftCorner, Qt::TopRightCorner, Qt::BottomLeftCorner, Qt::BottomRightCorner}) {
            const auto place = fitted(r, room, [&](QSize outer) {
                const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
                const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
                return QPoint(right ? room.right() + 1 - outer.width() : room.left(),
                              bottom ? room.bottom() + 1 - outer.height() : room.top());
            });
            if (!place) continue;
            const qint64 c = covered(*place, main);
            if (least_covered < 0 || c < least_covered || (c == least_covered && area(*place) > area(*best))) {
                least_covered = c;
                best = place;
            }
        }
    }
    if (best) return best->marginsRemoved(r.frame);

    // Clear of them still, shorter than readable: the largest room around
    // them that is wide enough and not too short to use.
    for (const QRect& room : rooms(r.screen, r.keep_clear)) {
        const QSize client = room.size().shrunkBy(r.frame).boundedTo(r.most);
        if (client.width() < r.least_width || client.height() < squeezed_least_height) continue;
        const QRect place(room.topLeft(), client.grownBy(r.frame));
        if (!best || area(place) > area(*best)) best = place;
    }
    if (best) return best->marginsRemoved(r.frame);

    // No room anywhere: the smallest readable window, where it covers least
    // of the fields and Solve, then of the main window.
    const QSize client = QSize(r.least_width, r.least_height(r.least_width)).boundedTo(r.screen.size().shrunkBy(r.frame));
    const QSize outer = client.grownBy(r.frame);
    std::vector<QPoint> tries{r.screen.topLeft(), QPoint(r.screen.right() + 1 - outer.width(), r.screen.top()),
                              QPoint(r.screen.left(), r.screen.bottom() + 1 - outer.height()),
                              QPoint(r.screen.right() + 1 - outer.width(), r.screen.bottom() + 1 - outer.height())};
    QRect chosen;
    std::pair<qint64, qint64> least{-1, -1};
    for (const QPoint at : tries) {
        const QRect place(at, outer);
        const std::pair<qint64, qint64> c{covered(place, r.keep_clear), covered(place, main)};
        if (least.first < 0 || c < least) {
            least = c;
            chosen = place;
        }
    }
    return chosen.marginsRemoved(r.frame);
}

QRect pulled_onto(const QRect& frame, const QRect& screen, QSize least) {
    const QSize size = frame.size().boundedTo(screen.size()).expandedTo(least.boundedTo(screen.size()));
    return {QPoint(within(frame.left(), screen.left(), screen.right() + 1, size.width()),
                   within(frame.top(), screen.top(), screen.bottom() + 1, size.height())),
            size};
}

}  // namespace vandrel::ui
