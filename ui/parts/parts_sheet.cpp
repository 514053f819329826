// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_sheet.h"

#include <algorithm>

#include "build_sheet.h"
#include "vandrel/number_text.h"

namespace vandrel::ui {

QByteArray build_sheet(const PartsFigures& figures) {
    if (!figures.built) return {};
    const Module1& d = figures.design;
    // A gain at or below 0 leaves "0" in its field: the follower.
    const std::map<Field, std::string> texts{
        {Field::cfilter, number_to_field_text(d.cfilter)}, {Field::gain, number_to_field_text(std::max(d.gain, 0.0))},
        {Field::freq, number_to_field_text(d.f0)},         {Field::q, number_to_field_text(d.q)},
        {Field::freq_peak, number_to_field_text(d.freq_peak)}, {Field::peakmag, number_to_field_text(d.peakmag)},
    };
    return sheet::build_sheet_pdf({figures.mode, texts}, *figures.built);
}

}  // namespace vandrel::ui
