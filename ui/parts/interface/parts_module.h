// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window knows of the Parts window. The window lives in a
// module of its own (vandrel_parts), loaded on the first "Parts", so that
// neither it nor Qt Charts costs the main window anything at start-up.

#include "vandrel/module1.h"
#include "vandrel/window_model.h"

class QWidget;

namespace vandrel::ui {

/// The Parts window: the parts to buy for a design and what they do.
class PartsWindow {
public:
    virtual ~PartsWindow() = default;
    /// The window itself, a top-level window of its own.
    virtual QWidget* widget() = 0;
    /// Shows a design that Solve completed in `mode`.
    virtual void show_design(const Module1& design, Mode mode) = 0;
};

/// The module's entry point: makes the Parts window, hidden. The caller owns
/// it; it closes when `main_window` closes.
using CreatePartsWindow = PartsWindow* (*)(QWidget* main_window);

/// The entry point's name, and the module's name without prefix or suffix.
inline constexpr char create_parts_window_symbol[] = "vandrel_create_parts_window";
inline constexpr char parts_module_name[] = "vandrel_parts";

}  // namespace vandrel::ui
