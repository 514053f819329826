// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_link.h"

#include <string>

namespace vandrel::ui {

SpeakerFilter filter_of(const PartsFigures& f) {
    SpeakerFilter out{{}, "exact", f.design, f.mode, {}, {}};
    // The suggestion builds its designs as the first page builds this one.
    out.options.source = f.choices.source;
    out.options.combine = f.choices.combine;
    out.options.capacitor = f.choices.capacitor;
    out.options.load_kohm = f.choices.load_kohm;
    out.options.tolerance.r_pct = f.choices.r_pct;
    out.options.tolerance.c_pct = f.choices.c_pct;
    if (f.built) {
        out.path = f.built->path;
        out.parts = std::string(as_built::source_name(f.built->options.source));
    } else {
        try {
            out.path = as_built::exact_path(f.design, f.choices.load_kohm);
        } catch (const as_built::UnbuildableParts& e) {
            out.failure = e.what();
        }
    }
    return out;
}

}  // namespace vandrel::ui
