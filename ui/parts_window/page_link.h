// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the page of parts hands the Subwoofer page: the filter its parts
// make, ahead of the amplifier.

#include "parts_page/parts_model.h"
#include "subwoofer_page/speaker_model.h"

namespace vandrel::ui {

/// The filter of the first page's figures: its parts as built, or the exact
/// design into the load where they cannot be built, or the reason why that
/// cannot be built either.
SpeakerFilter filter_of(const PartsFigures& figures);

}  // namespace vandrel::ui
