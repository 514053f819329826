// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the Parts window opened by the real main window share:
// the window made in this process rather than loaded as a module, and
// found again once the main window has opened it.

#include <QApplication>

#include "parts_command.h"
#include "parts_window/frm_parts.h"

/// "Parts" and "Subwoofer" make the Parts window here, not from the module.
inline void make_parts_window_here() {
    vandrel::ui::set_parts_factory([](QWidget* main, vandrel::ui::MainWindowDesign* design, QString*) {
        return new frm_parts(main, design);
    });
}

/// The Parts window the main window opened; null while none is open.
inline frm_parts* opened_parts_window() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frm_parts*>(top)) return p;
    return nullptr;
}
