// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_sheet.h"

#include <algorithm>

#include "build_sheet.h"
#include "page_link.h"
#include "sheet_text.h"
#include "vandrel/number_text.h"

namespace vandrel::ui {

QByteArray build_sheet(const PartsFigures& figures, const SpeakerFigures* subwoofer,
                       const std::optional<speaker::Suggestion>& suggestion) {
    if (!figures.built) return {};
    const Module1& d = figures.design;
    // A gain at or below 0 leaves "0" in its field: the follower.
    const std::map<Field, std::string> texts{
        {Field::cfilter, number_to_field_text(d.cfilter)}, {Field::gain, number_to_field_text(std::max(d.gain, 0.0))},
        {Field::freq, number_to_field_text(d.f0)},         {Field::q, number_to_field_text(d.q)},
        {Field::freq_peak, number_to_field_text(d.freq_peak)}, {Field::peakmag, number_to_field_text(d.peakmag)},
    };
    const as_built::Levels* levels = figures.levels ? &*figures.levels : nullptr;
    if (!subwoofer || !subwoofer->analysis || !subwoofer->system)
        return sheet::build_sheet_pdf({figures.mode, texts}, *figures.built, levels);
    const std::string filter = std::string(mode_caption(figures.mode)) + ", f0 " + sheet::six_digits(d.f0) +
                               " Hz, Q " + sheet::six_digits(d.q);
    sheet::SubwooferSheet page{*subwoofer->system, *subwoofer->analysis, filter, subwoofer->filter_parts, {},
                               subwoofer->warnings};
    if (suggestion && suggestion->design && is_design(filter_of(figures), *suggestion->design))
        page.suggestion = suggestion->design;
    return sheet::build_sheet_pdf({figures.mode, texts}, *figures.built, levels, &page);
}

}  // namespace vandrel::ui
