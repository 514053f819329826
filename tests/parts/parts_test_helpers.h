// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window's tests share: settings of their own, emptied
// before each test, and the window's texts.

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include "parts_window/frm_parts.h"
#include "parts_page/parts_report.h"
#include "vandrel/batch.h"

/// Keeps the settings in a folder of the test's own.
inline void use_own_settings(const QTemporaryDir& dir) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
}

/// Forgets every setting.
inline void clear_settings() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel")).clear();
}

/// The text of a report cell.
inline QString cell(const frm_parts& w, const char* name) { return w.report->cell(QLatin1String(name))->text(); }

/// The design Solve gives from the start state with `texts`.
inline vandrel::Module1 solved(vandrel::Mode mode, std::map<vandrel::Field, std::string> texts = {}) {
    return vandrel::solve_batch(mode, texts).design;
}
