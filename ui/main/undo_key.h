// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl+Z in the main window: the text of the focused field goes back while
// the field has typing to undo; beyond that, the window's own undo.

#include <QObject>

#include <functional>
#include <initializer_list>

class QLineEdit;
class QWidget;

namespace vandrel::ui {

/// Makes the Undo key (Ctrl+Z) of `window` call `undo` when `can_undo`
/// says so, also from one of `fields` that has no typing of its own to
/// undo; a field that has some undoes that first, as fields do.
void take_undo_key(QWidget* window, std::initializer_list<QLineEdit*> fields, std::function<bool()> can_undo,
                   std::function<void()> undo);

}  // namespace vandrel::ui
