// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/batch.h"

namespace vandrel {

BatchWindow::BatchWindow(Mode mode) : mode_(mode) {
    for (Field f : all_fields) outcome_.fields[f] = std::string(design_text(f));
    for (ResultLabel l : all_result_labels) outcome_.labels[l] = std::string(design_caption(l));
    outcome_.gain_stage_shown = gain_stage_shown(outcome_.fields[Field::gain]);
}

std::string BatchWindow::field_text(Field field) const { return outcome_.fields.at(field); }

void BatchWindow::set_field_text(Field field, std::string_view text) {
    outcome_.fields[field] = std::string(text);
    if (field == Field::gain) outcome_.gain_stage_shown = gain_stage_shown(text);
}

BatchOutcome solve_batch(Mode mode, const std::map<Field, std::string>& texts) {
    BatchWindow window(mode);
    for (const auto& [field, text] : texts) window.set_field_text(field, text);
    if (mode == Mode::butterworth) window.set_field_text(Field::q, butterworth_q_text);
    window.outcome().end = solve(window, window.outcome().design);
    return window.outcome();
}

}  // namespace vandrel
