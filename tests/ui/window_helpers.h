// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window shown for a test, and the graph it should show.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
#include "layout.h"
#include "picture_box.h"
#include "qt_picture_surface.h"
#include "vandrel/graph.h"

/// A main window, shown and exposed; nullptr when it never was.
inline std::unique_ptr<frm_vandrel> open_window() {
    auto window = std::make_unique<frm_vandrel>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}

/// A main window, shown and active, so that it has the keyboard; nullptr
/// when it never was.
inline std::unique_ptr<frm_vandrel> open_active_window() {
    auto window = open_window();
    if (!window) return nullptr;
    QApplication::setActiveWindow(window.get());
    if (!QTest::qWaitForWindowActive(window.get())) return nullptr;
    return window;
}

/// The graph as drawing it afresh for the window's design gives it, at the
/// size and pixel ratio of the window's picture.
inline QImage reference_graph(const frm_vandrel& window) {
    QImage image = window.picture_graph->image();
    image.fill(Qt::black);
    {
        vandrel::ui::QtPictureSurface surface(image, window.picture_graph->font());
        vandrel::draw_graph(surface, window.design().f0, window.design().q);
    }
    return image;
}

/// How a field looks: the user's input look, the program's output look,
/// hidden, or something between them.
enum class Look { input, output, hidden, mixed };

/// A field's look as the user sees it: hidden, or one of the two whole looks.
inline Look look_of(const QLineEdit* box) {
    if (box->isHidden()) return Look::hidden;
    const QColor base = box->palette().color(QPalette::Base);
    if (box->isEnabled() && box->hasFrame() && base == QColor(Qt::white)) return Look::input;
    if (!box->isEnabled() && !box->hasFrame() && base == vandrel::ui::panel_colour) return Look::output;
    return Look::mixed;
}

/// Whether two picture holders show the very same picture.
inline bool shows_same_picture(const QLabel* a, const QLabel* b) {
    return a->pixmap().cacheKey() == b->pixmap().cacheKey();
}
