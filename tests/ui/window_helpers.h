#pragma once
// The main window shown for a test, and the graph it should show.

#include <QApplication>
#include <QImage>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
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
