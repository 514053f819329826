// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What exported files say about themselves: the design, the parts and the
// choices they were made from, as a one-line caption for pictures and as
// comment lines at the head of a response table.

#include <span>
#include <string>

#include "vandrel/as_built/report.h"
#include "vandrel/module1.h"
#include "vandrel/window_model.h"

namespace vandrel::as_built {

/// The design as solved, for people: "SOS User-specified, C 1 µF, buffer
/// gain 6 dB, f0 20 Hz, Q 2, f3 13.47 Hz".
std::string design_text(const Module1& design, Mode mode);

/// The parts bought: "R1 15 kΩ, R3 2 kΩ, R4 30 kΩ + 1.8 kΩ, C 1 µF twice"
/// (R1 "follower" when the buffer has none).
std::string parts_bought_text(const AsBuilt& built);

/// The choices behind the parts: "E24, one part or two in series;
/// capacitors as typed; resistors ±1 %, capacitors ±5 %; into 10 kΩ".
std::string choices_text(const AsBuilt& built);

/// One short line over a plot: "Vandrel 1.01: SOS User-specified, C 1 µF,
/// gain 6 dB, f0 20 Hz, Q 2. R1 15 kΩ, R3 2 kΩ, R4 30 kΩ + 1.8 kΩ, C 1 µF
/// twice; E24 in pairs in series, ±1 % and ±5 %, into 10 kΩ".
std::string export_caption(const Module1& design, Mode mode, const AsBuilt& built);

/// The response table with its context: "# " comment lines naming the
/// program, the design, the parts and the choices; then response_csv's
/// header and rows with two more columns, path_p5_db and path_p95_db, the
/// tolerance band of the path's level at each row's frequency, taken from
/// `band_runs` of the runs. Throws std::invalid_argument unless `band` has
/// one entry a row.
std::string described_response_csv(const Module1& design, Mode mode, const AsBuilt& built,
                                   std::span<const ResponseRow> rows, std::span<const Band> band,
                                   std::size_t band_runs);

}  // namespace vandrel::as_built
