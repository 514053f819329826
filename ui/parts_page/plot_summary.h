// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window's two plots in words, for screen readers: the key
// figures of each trace. Plain C++, like the figures it reads.

#include <string>
#include <vector>

#include "parts_model.h"

namespace vandrel::ui {

/// The magnitude plot: the f3 of the exact design, of the section as built
/// and of the whole path as built, and the tolerance band at the path's f3.
/// Without parts that can be built, the exact design's f3 alone.
std::string magnitude_summary(const PartsFigures& figures);

/// The group delay plot: the path's delay at 20, 30 and 40 Hz and its
/// largest from 1 Hz to 1 kHz, with where it lies.
std::string delay_summary(const PartsFigures& figures);

/// The band's levels at `hz`, straight in dB over log f between its points,
/// its first or last point's outside them.
as_built::Band band_at(const std::vector<double>& band_hz, const std::vector<as_built::Band>& band, double hz);

}  // namespace vandrel::ui
