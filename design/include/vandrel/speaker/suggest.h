// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A filter design for the main window that keeps every limit of the
// subwoofer at the given drive, as built and at its tolerance corners, with
// the lowest bass corner.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/report.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/window_model.h"

namespace vandrel::speaker {

/// How the suggested designs are built: what "Use this design" does with
/// one. The main window's fields (its capacitor and gain kept, the design's
/// frequency and Q put in) are solved, and the parts are chosen as the
/// options say; the tolerance corners are those of the options'
/// tolerances.
struct Build {
    std::map<Field, std::string> fields;  ///< the main window's field texts
    as_built::Options options;            ///< source (exact: exact resistors), combine, capacitor, load, tolerance
};

/// A design the main window takes: its mode, frequency and Q, and what it
/// does to the system as built.
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

    std::string parts = "exact";       ///< the parts these figures are for: "exact", "shown" or the series ("E24")
    as_built::PathParts path;          ///< the signal path as built
    double filter_peak_db = 0;         ///< the path's highest level above its pass band, dB (0: none)
    std::optional<double> filter_peak_hz;  ///< where, Hz; none without a peak
    double peak_amplifier_v = 0;       ///< the most full scale asks of the amplifier through it, V rms
    /// The worst of the nominal parts and the tolerance corners.
    double corner_peak_excursion_mm = 0;
    std::optional<double> corner_peak_port_velocity;  ///< m/s; none without a port
    double corner_peak_amplifier_v = 0;               ///< V rms
    Limit binding = Limit::xmax;       ///< the limit it comes closest to, at its worst corner
    double binding_ratio = 0;          ///< how close: the level there over the limit, at most 1
};

/// What the search found.
struct Suggestion {
    std::optional<Design> design;      ///< none when no design keeps every limit
    std::optional<Design> butterworth; ///< the best Butterworth design, for comparison
    /// When a limit is broken in the pass band, where no high-pass may act,
    /// or by every design: the drive at which it would not be, V rms.
    std::optional<double> safe_volts;
    std::string note;                  ///< a few sentences for people

    std::vector<Limit> limits_kept;    ///< every design was held to these: xmax, amplifier, then thermal, port where given
    as_built::Tolerance tolerance;     ///< the corners' tolerances (r_pct, c_pct)
    std::string parts = "exact";       ///< the parts every design was built with
    /// No design: the limit that cannot be met, and what would meet it
    /// beside less drive.
    std::optional<Limit> unmet;
    std::optional<double> amp_volts_needed;      ///< an amplifier of this most, V rms (unmet amplifier)
    std::optional<double> port_diameter_needed;  ///< a port this wide, cm (unmet port)
};

/// Designs whose f3 is within this share of the lowest count as one, and
/// the one that peaks least (the lowest Q) is taken: 2 %, a third of a
/// semitone, is not worth a peak.
inline constexpr double f3_tie = 0.02;

/// Searches the designs the main window can take (Butterworth or SOS
/// User-specified, 1 to 1000 Hz, Q 0.707 to 10) for the one that keeps
/// every limit (the cone within Xmax, full scale through the filter within
/// the amplifier's most and the voice coil's sqrt(Pe Re), the port's air
/// within its limit) from 1 Hz to 1 kHz with the lowest filtered f3, among
/// f3 within f3_tie the lowest Q; never worse than the best Butterworth
/// design at 0.1 Hz steps. Each design keeps its limits at its nominal
/// parts and at the tolerance corners of its section
/// (as_built::tolerance_corners).
///
/// Without a Build each design replaces the section of `inputs.filter`
/// (its capacitors kept) with exact resistors, at the default tolerances
/// (1 % and 5 %). With one, the search's best is built as `build` says;
/// where the parts chosen or a corner break a limit, the design is stepped
/// up in frequency (and tried at nearby Q) until it holds as built, and the
/// figures are those of the design as built.
///
/// The pass band starts at the system's own f3: when a limit is broken
/// there without the filter, no design is suggested and safe_volts says
/// how far to turn down. Throws std::invalid_argument as analyse does.
Suggestion suggest(const Inputs& inputs);
Suggestion suggest(const Inputs& inputs, const Build& build);

/// The filter path of `base` with its section set to f0 Hz and Q:
/// R3 = Xc/(2 Q), R4 = 2 Xc Q with Xc the reactance of C at f0. Throws
/// std::invalid_argument for f0, Q or C not finite and above 0.
as_built::PathParts with_section(as_built::PathParts base, double f0, double q);

}  // namespace vandrel::speaker
