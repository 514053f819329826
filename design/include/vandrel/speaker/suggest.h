// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A filter design for the main window that keeps the cone within Xmax at
// the given drive with the lowest bass corner.

#include <optional>
#include <string>

#include "vandrel/speaker/analysis.h"
#include "vandrel/window_model.h"

namespace vandrel::speaker {

/// A design the main window takes: its mode, frequency and Q, and what it
/// does to the system.
struct Design {
    Mode mode = Mode::butterworth;     ///< Mode::butterworth (Q 0.707) or Mode::sos
    double freq = 0;                   ///< design frequency, Hz, 1 to 1000 in steps of 0.1
    double q = 0;                      ///< 0.707, or 0.71 to 10 in steps of 0.01
    std::string freq_text;             ///< the frequency field's text, at most 6 characters ("23.4")
    std::string q_text;                ///< the Q field's text, at most 6 characters ("0.707", "1.05")
    std::optional<double> f3;          ///< the system's f3 with this filter, Hz (none: below 1 Hz)
    double peak_excursion_mm = 0;      ///< highest excursion from 1 Hz to 1 kHz with it, mm
    double peak_excursion_hz = 0;      ///< where, Hz
    std::optional<double> peak_port_velocity;  ///< highest port air velocity with it, m/s; none without a port
};

/// What the search found.
struct Suggestion {
    std::optional<Design> design;      ///< none when no design keeps the cone within Xmax
    std::optional<Design> butterworth; ///< the best Butterworth design, for comparison
    /// When the excursion exceeds Xmax in the pass band, where no high-pass
    /// may act: the drive at which it would not, V rms.
    std::optional<double> safe_volts;
    std::string note;                  ///< one or two sentences for people
};

/// Searches the designs the main window can take (Butterworth or SOS
/// User-specified, 1 to 1000 Hz, Q 0.707 to 10) for the one that keeps the
/// filtered excursion at or below Xmax from 1 Hz to 1 kHz with the lowest
/// filtered f3; never worse than the best Butterworth design at 0.1 Hz
/// steps. Each design replaces the section of `inputs.filter` (its
/// capacitors kept) with exact resistors; the rest of the path stays.
///
/// The pass band starts at the system's own f3: when the unfiltered
/// excursion exceeds Xmax there, no design is suggested and safe_volts
/// says how far to turn down. Throws std::invalid_argument as analyse does.
Suggestion suggest(const Inputs& inputs);

/// The filter path of `base` with its section set to f0 Hz and Q:
/// R3 = Xc/(2 Q), R4 = 2 Xc Q with Xc the reactance of C at f0. Throws
/// std::invalid_argument for f0, Q or C not finite and above 0.
as_built::PathParts with_section(as_built::PathParts base, double f0, double q);

}  // namespace vandrel::speaker
