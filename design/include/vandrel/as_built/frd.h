// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter's response with its phase, and FRD files: "*" comment lines,
// then "frequency dB phase" lines, frequency rising, the form that
// measurement and box programs import.

#include <complex>
#include <span>
#include <string>
#include <string_view>

#include "vandrel/as_built/report.h"
#include "vandrel/module1.h"
#include "vandrel/window_model.h"

namespace vandrel::as_built {

/// The whole path's transfer function at f Hz, its pass-band gain included.
std::complex<double> path_transfer(const PathParts& parts, double hz);

/// The whole path's phase at f Hz, degrees, unwrapped: from +270 at the
/// lowest frequencies (the input coupling and the two-pole section each
/// lead) to 0 far above the pass band.
double path_phase_deg(const PathParts& parts, double hz);

/// The FRD grid: 1 Hz to 1 kHz, 200 points a decade, 601 points.
inline constexpr int frd_points = 601;
/// Frequency i of the grid, Hz: 10^(i/200).
double frd_hz(int i);

/// FRD lines for `hz`, `db` and `phase_deg` (one entry each a line), after
/// `comments` (each line given a leading "* "); numbers in their shortest
/// exact form. Throws std::invalid_argument unless the three have one size.
std::string frd_text(std::span<const std::string> comments, std::span<const double> hz, std::span<const double> db,
                     std::span<const double> phase_deg);

/// The filter as built, the whole path into its load, on the FRD grid:
/// levels relative to its pass-band gain (0 dB in the pass band), or with
/// the gain when `absolute`; phase in degrees, unwrapped.
std::string filter_frd(const Module1& design, Mode mode, const AsBuilt& built, bool absolute);

}  // namespace vandrel::as_built
