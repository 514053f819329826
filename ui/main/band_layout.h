// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the picture band and the controls panel go, and how large the
// main window's client area is.

#include <QPoint>
#include <QSize>

namespace vandrel::ui {

struct BandLayout {
    QSize client;          ///< client area below the menu bar
    QPoint panel;          ///< top-left of the controls panel
    QPoint picture;        ///< top-left of the circuit picture
    QSize graph;           ///< the graph covers the band over the full width, from 0, 0
};

/// The picture band (the circuit picture, centred) over the controls panel;
/// the window is as wide as the wider of the two, and the narrower one is
/// centred.
inline BandLayout band_layout(QSize panel, QSize picture) {
    BandLayout layout;
    int width = 0;
    if (panel.width() < picture.width()) {
        width = picture.width();
        layout.picture.setX(0);
        layout.panel.setX((picture.width() - panel.width()) / 2);
    } else {
        width = panel.width();
        layout.panel.setX(0);
        layout.picture.setX((panel.width() - picture.width()) / 2);
    }
    layout.picture.setY(0);
    layout.panel.setY(picture.height());
    layout.client = QSize(width, panel.height() + picture.height());
    layout.graph = QSize(width, picture.height());
    return layout;
}

}  // namespace vandrel::ui
