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
    QMargins frame;     ///< the Parts window's frame around its client area
    int least_width = 0;                            ///< client width the smallest readable layout needs
    int usable_width = 0;                           ///< client width a page is usable at beside the main window
    std::function<int(int width)> least_height;     ///< client height it needs at a client width
    QSize most;                                     ///< the largest client size worth having
};

/// Where the Parts window first goes.
struct FirstPlace {
    QRect client;         ///< its client area
    bool beside = false;  ///< beside the main window (else in front of it)
};

/// The client area of the Parts window when first shown: beside the main
/// window on the side (right, left, below, above) with the most room that
/// holds the smallest readable layout at least `usable_width` wide, filling
/// that room up to `most`, centred on the main window along it. Where no
/// side has such room (a small screen, a large scale factor), in front of
/// the main window: as large as the screen allows up to `most`, centred on
/// the main window and wholly on the screen (the window then says how to
/// bring the main window back).
FirstPlace first_place(const PlaceRequest& request);

/// A saved outer frame pulled onto `screen` (its available area): made
/// smaller where it does not fit, never below `least` where the screen
/// holds that, and moved in.
QRect pulled_onto(const QRect& frame, const QRect& screen, QSize least);

}  // namespace vandrel::ui
