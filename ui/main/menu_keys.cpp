// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>

namespace vandrel::ui {

void take_menu_bar_on_f10(QMenuBar* bar) {
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        // The menu bar enters and leaves its keyboard mode on Alt pressed and
        // released alone, which it watches for on its window: play it that.
        // (A key event of the Alt key itself reports Alt as the modifier it
        // changes, so it is made without one.)
        QKeyEvent alt_pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(bar->window(), &alt_pressed);
        QKeyEvent alt_released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(bar->window(), &alt_released);
    });
}

}  // namespace vandrel::ui
