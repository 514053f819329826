// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter's levels at full scale in words, as the windows and the build
// sheet write them. UTF-8.

#include <string>

#include "vandrel/as_built/levels.h"

namespace vandrel::as_built {

/// How full scale meets the amplifier's sensitivity: "overdriven by 2.1 dB",
/// "short by 3 dB" or "matched"; "" without a sensitivity.
std::string amplifier_match_text(const Levels& levels);

/// The levels' inputs and swing in a sentence, and the matching gain where
/// there is a sensitivity: "2 V rms from the source; the op-amps on ±15 V
/// swing 9.546 V rms. A buffer gain of 3.5 dB matches the amplifier's 1 V
/// best."
std::string levels_summary(const Levels& levels);

/// A stage's headroom: "6.02 dB", or "clips by 2.5 dB" below 0.
std::string headroom_text(double db);

}  // namespace vandrel::as_built
