// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window's build sheet: what the window shows, as one page of PDF.

#include <QByteArray>

#include "parts_page/parts_model.h"
#include "subwoofer_page/speaker_model.h"

namespace vandrel::ui {

/// The build sheet of `figures`, whose parts can be built, as PDF, with a
/// second page for the subwoofer behind them where `subwoofer` has an
/// analysis (and the suggestion, where the design is the one suggested);
/// empty when it could not be drawn.
///
/// The window is given the design Solve completed, not the texts of the
/// main window's fields. After a completed Solve each field holds the value
/// of its design variable, so the sheet shows each value in the form Solve
/// writes into a field: a capacitor typed as "1.0" is shown as "1".
QByteArray build_sheet(const PartsFigures& figures, const SpeakerFigures* subwoofer = nullptr,
                       const std::optional<speaker::Suggestion>& suggestion = std::nullopt);

}  // namespace vandrel::ui
