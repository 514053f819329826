// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the Parts window goes: plain geometry, in logical pixels, on the
// screen's global coordinates.

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>

namespace vandrel::ui {

/// What the first placement goes by. Rectangles are outer frames.
struct PlaceRequest {
    QRect screen;       ///< the available area of the main window's screen
    QRect main;         ///< the main window
    QRect keep_clear;   ///< the main window's fields and Solve
    QMargins frame;     ///< the Parts window's frame around its client area
    int least_width = 0;                            ///< client width the smallest readable layout needs
    std::function<int(int width)> least_height;     ///< client height it needs at a client width
    QSize most;                                     ///< the largest client size worth having
};

/// The client area of the Parts window when first shown: beside the main
/// window on the side (right, left, below, above) with the most room that
/// holds the smallest readable layout, filling that room up to `most`,
/// centred on the main window along it. Where no side has such room: the
/// place that covers least of the main window and none of `keep_clear`.
/// Where there is none either (a small screen, a large scale factor): the
/// largest room clear of `keep_clear` that is `least_width` wide and 200
/// high, the window shorter than readable; else the readable size where it
/// covers least of `keep_clear`, then of the main window.
QRect first_place(const PlaceRequest& request);

/// A saved outer frame pulled onto `screen` (its available area): made
/// smaller where it does not fit, never below `least` where the screen
/// holds that, and moved in.
QRect pulled_onto(const QRect& frame, const QRect& screen, QSize least);

}  // namespace vandrel::ui
