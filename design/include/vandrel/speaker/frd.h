// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subwoofer's SPL with the filter ahead of its amplifier as an FRD
// file, with its phase.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker {

/// The phase of the sound pressure with the filter, degrees, on the
/// analysis' frequencies: the filter's phase (as_built::path_phase_deg)
/// plus that of the pressure the cone and port radiate, j w rho0 U0/(2 pi),
/// followed from 1 kHz down, where it lies within +-180 degrees (the delay of
/// the path to the listener left out). Throws std::invalid_argument as
/// analyse does.
std::vector<double> system_phase_deg(const Inputs& inputs, std::span<const double> hz);

/// What a subwoofer's FRD says of where it came from: the driver, the box,
/// and the drive with `filter_parts` ("E24", "exact"), one line each.
std::vector<std::string> system_description(const Inputs& inputs, std::string_view filter_parts);

/// The SPL with the filter (analysis.spl_filtered_db, dB at 1 m) and its
/// phase on the 601 frequencies, as FRD text; `about` goes into the comment
/// lines (the driver, the box, the drive and the filter's parts).
std::string system_frd(const Inputs& inputs, const Analysis& analysis, const std::vector<std::string>& about);

}  // namespace vandrel::speaker
