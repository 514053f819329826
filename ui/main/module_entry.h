// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's modules (the Parts window, printing), loaded when first
// needed: the entry point of one, from the first folder that holds it.

#include <QString>
#include <QStringList>

namespace vandrel::ui {

/// The entry point `symbol` of the module `name` (without its suffix:
/// ".so", ".dll" on Windows) in the first of `directories` that holds it,
/// never unloaded; null where it cannot be loaded, with the reason in
/// `failure`, which starts "`what` could not be loaded: ".
QFunctionPointer module_entry(const char* name, const char* symbol, const QStringList& directories,
                              const QString& what, QString* failure);

}  // namespace vandrel::ui
