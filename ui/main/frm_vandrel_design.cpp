// SPDX-License-Identifier: GPL-3.0-or-later
// What the Parts window reads and writes of the main window for a design
// file: the mode and the six fields, and Solve.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frm_vandrel.h"
#include "qtext.h"

using vandrel::Field;
using vandrel::Mode;

Mode frm_vandrel::mode_now() const {
    for (Mode mode : vandrel::all_modes)
        if (mode_selected(mode)) return mode;
    return Mode::butterworth;
}

std::string frm_vandrel::field_now(Field which) const { return field_text(which); }

// As the user would: the mode (whose handler puts the Butterworth Q), the
// texts, then Solve.
void frm_vandrel::solve_fields(Mode mode, const std::map<Field, std::string>& texts) {
    mode_option(mode)->setChecked(true);
    for (const auto& [which, text] : texts)
        if (mode != Mode::butterworth || which != Field::q) set_field_text(which, text);
    // The mode may have been chosen already, so its handler did not run.
    if (mode == Mode::butterworth) set_field_text(Field::q, vandrel::butterworth_q_text);
    Command1->click();
}
