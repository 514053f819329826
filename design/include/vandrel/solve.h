// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Solve: turns the six input fields into a filter design.

#include <string>
#include <string_view>

#include "vandrel/module1.h"
#include "vandrel/window_model.h"

namespace vandrel {

/// The operations of the main window that Solve needs, and nothing more.
class SolveWindow {
public:
    virtual ~SolveWindow() = default;

    /// Current text of a field (UTF-8).
    virtual std::string field_text(Field field) const = 0;
    /// Replaces a field's text. Setting the gain field runs its change
    /// handler before this returns, as typing into it would.
    virtual void set_field_text(Field field, std::string_view text) = 0;
    /// Whether a mode option is selected; exactly one is.
    virtual bool mode_selected(Mode mode) const = 0;
    /// Shows a modal message (OK only, caption "vandrel") and returns when
    /// the user has closed it.
    virtual void message(std::string_view text) = 0;
    /// Sets the caption of a result label.
    virtual void set_result_caption(ResultLabel label, std::string_view caption) = 0;
    /// Redraws the response graph from the design's f0 and q.
    virtual void draw_graph() = 0;
};

/// How a Solve run ended.
enum class SolveEnd {
    completed,     ///< every step ran and the graph was redrawn
    too_long,      ///< a field longer than 6 characters stopped the run
    no_design,     ///< the inputs admit no finite design; the user was told why
};

/// Longest field text Solve accepts, in characters.
inline constexpr std::size_t max_field_length = 6;

/// Runs one Solve against `window`, writing the design variables into
/// `design` in the order of the run. Out-of-range inputs are corrected in
/// their fields with a message and the run goes on; an over-long field ends
/// it at once, leaving every change made before it in place.
SolveEnd solve(SolveWindow& window, Module1& design);

}  // namespace vandrel
