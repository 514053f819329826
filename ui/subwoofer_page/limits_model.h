// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Subwoofer page says of the limits: the loudest safe level
// without and with the filter and what sets it, the limits in use, and the
// port's length. Plain C++, as speaker_model.h.

#include <span>
#include <string>
#include <vector>

#include "speaker_model.h"

namespace vandrel::ui {

/// A limit as the page names it: "full scale", "amplifier", "Pe", "Xmax",
/// "port air".
std::string limit_label(speaker::Limit limit);

/// The figures table's rows of the loudest safe level at 20, 30 and 40 Hz
/// ("loud20", "loud30", "loud40"): "118.2 dB (Xmax)" without the filter,
/// "112.1 dB (full scale), 6.1 dB lost" with it.
std::vector<FigureRow> loudest_rows(const speaker::Analysis& analysis);

/// The limits the analysis keeps: "Limits: amplifier 30 V, Xmax 12.5 mm,
/// Pe 500 W (40.62 V), port air 17 m/s".
std::string limits_text(const speaker::Analysis& analysis);

/// The port's length for its diameter and the tuning, its end corrections
/// said: "Port 15 cm across: 60.24 cm long (10.65 L), with end corrections
/// of 0.85 r (flanged) and 0.613 r (free), 1.463 r in all". Empty
/// without a port.
std::string port_length_text(const speaker::Inputs& system, const speaker::Analysis& analysis);

/// The stretches of `limits` on `hz` in words: "Xmax 1 to 35.48 Hz,
/// amplifier 35.91 to 1000 Hz".
std::string stretches_text(std::span<const double> hz, std::span<const speaker::Limit> limits);

/// The loudest-level plot in words, for screen readers.
std::string max_spl_summary(const SpeakerFigures& figures);

}  // namespace vandrel::ui
