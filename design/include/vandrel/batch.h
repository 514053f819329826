// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Solve without a window: the start state of the main window held in memory,
// for the command-line solver and for tests.

#include <map>
#include <string>
#include <vector>

#include "vandrel/module1.h"
#include "vandrel/solve.h"
#include "vandrel/window_model.h"

namespace vandrel {

/// What one Solve run left in the window and in the design.
struct BatchOutcome {
    SolveEnd end = SolveEnd::completed;
    std::vector<std::string> messages;           ///< message texts, in the order shown
    std::map<Field, std::string> fields;         ///< the six field texts after the run
    std::map<ResultLabel, std::string> labels;   ///< result captions after the run
    bool graph_drawn = false;                    ///< whether the run reached the graph
    bool gain_stage_shown = true;                ///< diagram with gain stage and R1 visible
    Module1 design;                              ///< the twelve design variables
};

/// A SolveWindow held in memory: fields, mode, labels, and a record of what
/// Solve did to them.
class BatchWindow : public SolveWindow {
public:
    /// The main window as created: design texts, design captions.
    explicit BatchWindow(Mode mode);

    std::string field_text(Field field) const override;
    void set_field_text(Field field, std::string_view text) override;
    bool mode_selected(Mode mode) const override { return mode == mode_; }
    void message(std::string_view text) override { outcome_.messages.emplace_back(text); }
    void set_result_caption(ResultLabel label, std::string_view caption) override {
        outcome_.labels[label] = std::string(caption);
    }
    void draw_graph() override { outcome_.graph_drawn = true; }

    /// What the window holds now.
    const BatchOutcome& outcome() const { return outcome_; }
    BatchOutcome& outcome() { return outcome_; }

private:
    Mode mode_;
    BatchOutcome outcome_;
};

/// Runs one Solve from the main window's start state with the given field
/// texts (a field not given keeps its design text) in the given mode. In the
/// Butterworth mode the Q field holds the Butterworth Q, as choosing that
/// mode in the window puts it there.
BatchOutcome solve_batch(Mode mode, const std::map<Field, std::string>& texts);

}  // namespace vandrel
