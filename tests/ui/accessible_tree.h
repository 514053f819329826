// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's accessibility tree as a screen reader walks it, for widget
// tests that need no AT-SPI.

#include <QAccessible>
#include <QStringList>
#include <QWidget>

/// Walks the tree below `iface`: `visit` sees each node.
template <class Visit>
void walk_accessible(QAccessibleInterface* iface, const Visit& visit) {
    if (!iface) return;
    visit(iface);
    for (int i = 0; i < iface->childCount(); ++i) walk_accessible(iface->child(i), visit);
}

/// Whether a node is a picture: an image or a chart.
inline bool is_picture(const QAccessibleInterface* iface) {
    return iface->role() == QAccessible::Graphic || iface->role() == QAccessible::Chart;
}

/// The nodes of a window that a screen reader would meet without a name,
/// shown or not: controls the keyboard can reach and pictures; pictures
/// without a description too. Each as "role object-name".
inline QStringList unnamed_in(QWidget* window) {
    QStringList unnamed;
    walk_accessible(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* iface) {
        const bool picture = is_picture(iface);
        if (!picture && !iface->state().focusable) return;
        if (iface->text(QAccessible::Name).isEmpty() || (picture && iface->text(QAccessible::Description).isEmpty()))
            unnamed << QString::number(iface->role(), 16) + QLatin1Char(' ') +
                           (iface->object() ? iface->object()->objectName() : QString());
    });
    return unnamed;
}
