// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window knows of the Parts window. The window lives in a
// module of its own (vandrel_parts), loaded on the first "Parts", so that
// neither it nor Qt Charts costs the main window anything at start-up.

#include <map>
#include <string>
#include <string_view>

#include "vandrel/module1.h"
#include "vandrel/window_model.h"

class QWidget;

namespace vandrel::ui {

/// What the Parts window may do in the main window: take a design the
/// Subwoofer page suggests, and go back to the one before it; and read and
/// write the whole design of a design file.
class MainWindowDesign {
public:
    virtual ~MainWindowDesign() = default;
    /// Chooses `mode`, writes the design frequency (Hz) and, but for the
    /// Butterworth mode, the Q into the main window's fields as given
    /// (UTF-8, at most 6 characters each), leaves the capacitor and the gain
    /// as they are, and presses Solve.
    virtual void solve_design(Mode mode, std::string_view freq_text, std::string_view q_text) = 0;
    /// Whether the main window still shows a design solve_design put there,
    /// and so can go back to the one before it.
    virtual bool has_previous_design() const = 0;
    /// Puts back the mode and the fields that solve_design replaced, and
    /// presses Solve; does nothing without a previous design.
    virtual void back_to_previous_design() = 0;

    /// The mode chosen now.
    virtual Mode mode_now() const = 0;
    /// A field's text as it is now (UTF-8): as typed, or as Solve left it.
    virtual std::string field_now(Field field) const = 0;
    /// Chooses `mode`, writes each text of `texts` into its field as given
    /// (but for the Butterworth mode's Q, which is that mode's), leaves the
    /// others as they are, and presses Solve.
    virtual void solve_fields(Mode mode, const std::map<Field, std::string>& texts) = 0;
};

/// The pages of the Parts window.
enum class WindowPage { parts, subwoofer };

/// The Parts window: the parts to buy for a design and what they do.
class PartsWindow {
public:
    virtual ~PartsWindow() = default;
    /// The window itself, a top-level window of its own.
    virtual QWidget* widget() = 0;
    /// Shows a design that Solve completed in `mode`.
    virtual void show_design(const Module1& design, Mode mode) = 0;
    /// Chooses the page shown.
    virtual void show_page(WindowPage page) = 0;
};

/// The module's entry point: makes the Parts window, hidden, which may put
/// designs into the main window through `design` (may be null). The caller
/// owns it; it closes when `main_window` closes.
using CreatePartsWindow = PartsWindow* (*)(QWidget* main_window, MainWindowDesign* design);

/// The entry point's name, and the module's name without prefix or suffix.
inline constexpr char create_parts_window_symbol[] = "vandrel_create_parts_window";
inline constexpr char parts_module_name[] = "vandrel_parts";

}  // namespace vandrel::ui
