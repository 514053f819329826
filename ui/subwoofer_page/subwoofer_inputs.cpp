// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's inputs put in from outside (a design file), the
// measurement taken by its path, and what the page says of values typed in
// another unit.
#include <QLabel>

#include "speaker_settings.h"
#include "subwoofer_page.h"
#include "qtext.h"
#include "suggest_runner.h"
#include "vandrel/texts/figures.h"
#include "widgets/value_box.h"

namespace vandrel::ui {

void SubwooferPage::put_inputs(const SpeakerInputs& in) {
    set_inputs(in);
    lbl_driver_note->clear();
    lbl_driver_note->hide();
    input_Change();
}

bool SubwooferPage::use_measurement(const QString& path, QString* failure) {
    if (!load_measurement(path, failure)) {
        measurement_.reset();
        measurement_path_.clear();
        save_measurement_path({});
        lbl_measurement->setText(*failure);
        update_figures();
        return false;
    }
    save_measurement_path(path);
    update_figures();
    return true;
}

// "Vas 2.4 ft³ is 67.9604 L.", a line for each field that took a value so.
void SubwooferPage::show_conversions() {
    QStringList lines;
    for (const ValueBox* box : number_fields()) {
        const auto value = box->entry();
        if (box->converted_from().isEmpty() || !value) continue;
        lines << QStringLiteral("%1 %2 is %3 %4.")
                     .arg(to_qstring(box->range().name), box->converted_from(),
                          to_qstring(texts::figure(*value, 6)), to_qstring(box->range().unit));
    }
    lbl_units->setText(lines.join(QLatin1Char('\n')));
    lbl_units->setVisible(!lines.isEmpty());
}

}  // namespace vandrel::ui
