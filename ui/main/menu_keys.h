// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reaching the menu bar from the keyboard.

class QMenuBar;

namespace vandrel::ui {

/// F10 takes the keyboard to `bar` as a press and release of Alt alone does
/// (where the style offers that), the first entry highlighted: Left and
/// Right choose an entry, Enter or Space acts on it, Esc or F10 again gives
/// the keyboard back to the control that had it.
void take_menu_bar_on_f10(QMenuBar* bar);

}  // namespace vandrel::ui
