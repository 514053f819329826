// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The signal levels inside the filter as built at a full-scale source: at
// the buffer's output and at the high-pass's output, against what the
// op-amps can swing on their rails, and into the amplifier against its
// input sensitivity.
//
// Levels are V rms of a sine; the op-amps are ideal but for their swing.

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "vandrel/as_built/circuit.h"

namespace vandrel::as_built {

/// A source's full scale when none is given, V rms: the usual line level.
inline constexpr double default_source_volts = 2;
/// The op-amps' rails when none are given, +- V, as the diagram shows.
inline constexpr double default_supply_volts = 15;
/// An op-amp's output swings to within this of each rail, V.
inline constexpr double rail_drop_volts = 1.5;
/// The amplifier overdriven by more than this is a warning, dB.
inline constexpr double overdrive_warning_db = 1;
/// The buffer gains the main window takes, dB.
inline constexpr double lowest_gain_db = 0, highest_gain_db = 20;

/// What the levels start from.
struct LevelInputs {
    double source_v = default_source_volts;   ///< the source's full scale, V rms
    double supply_v = default_supply_volts;   ///< the op-amps' rails, +- V
    std::optional<double> amp_sensitivity_v;   ///< the amplifier's input for its full output, V rms
};

/// Something wrong or unusual about a level input, or about the levels.
struct LevelIssue {
    std::string parameter;  ///< the option's name: "source-volts", "supply", "amp-sensitivity"; "levels"
    std::string text;       ///< one sentence for people (about an input: starting with its name)
};

/// The range of one level input, in V: `lo` to `hi` can exist, `usual_lo`
/// to `usual_hi` is usual.
struct LevelRange {
    const char* name;
    double lo, hi, usual_lo, usual_hi;
};

inline constexpr LevelRange source_volts_range{"source-volts", 0.001, 100, 0.1, 12};
/// The rails must be above rail_drop_volts, or nothing swings.
inline constexpr LevelRange supply_range{"supply", rail_drop_volts, 100, 5, 18};
inline constexpr LevelRange amp_sensitivity_range{"amp-sensitivity", 0.001, 100, 0.1, 5};

/// Errors (what cannot exist) and warnings (what is unusual) of the inputs.
struct LevelCheck {
    std::vector<LevelIssue> errors;
    std::vector<LevelIssue> warnings;
};
LevelCheck check_level_inputs(const LevelInputs& inputs);

/// The levels of one path at full scale.
struct Levels {
    LevelInputs inputs;
    double swing_v_rms = 0;          ///< the most an op-amp gives, (supply - 1.5)/sqrt(2), V rms
    double buffer_peak_v = 0;        ///< the highest level at the buffer's output, 1 Hz to 1 kHz, V rms
    double buffer_peak_hz = 0;       ///< where it is, Hz
    double section_peak_v = 0;       ///< the highest level at the high-pass's output, V rms
    double section_peak_hz = 0;      ///< where it is, Hz
    double buffer_headroom_db = 0;   ///< 20 log10(swing / buffer peak); below 0 it clips
    double section_headroom_db = 0;  ///< the same at the high-pass
    double amp_input_v = 0;          ///< into the amplifier in the pass band: source times the path's gain, V rms
    /// With a sensitivity: 20 log10(amp input / sensitivity), dB; above 0
    /// full scale drives the amplifier past its full output, below 0 it
    /// leaves it short.
    std::optional<double> amp_overdrive_db;
    /// With a sensitivity: the buffer gain from 0 to 20 dB, to 0.1 dB, that
    /// brings the amplifier's input closest to it.
    std::optional<double> matching_gain_db;
    std::vector<LevelIssue> warnings;  ///< an op-amp clips; the amplifier is overdriven by more than 1 dB

    bool buffer_clips() const { return buffer_headroom_db < 0; }
    bool section_clips() const { return section_headroom_db < 0; }
};

/// The levels of `path` (parts finite and above 0) for `inputs` (without
/// errors); throws std::invalid_argument otherwise.
Levels filter_levels(const PathParts& path, const LevelInputs& inputs);

/// The path's stages one at a time, per volt at their input.
class Stages {
public:
    explicit Stages(const PathParts& path);
    /// |buffer output / source| at f Hz: the input coupling and the buffer.
    double buffer(double hz) const;
    /// |high-pass output / its input| at f Hz.
    double section(double hz) const { return section_at(omega_sq(hz)); }
    /// The same at w^2, (rad/ms)^2: w^2 / sqrt((w0^2 - w^2)^2 + w^2 a^2).
    double section_at(double w_sq) const { return std::sqrt(section_sq_at(w_sq)); }
    /// Its square, w^4 / ((w0^2 - w^2)^2 + w^2 a^2).
    double section_sq_at(double w_sq) const {
        const double d = w0_sq_ - w_sq;
        return w_sq * w_sq / (d * d + w_sq * a_ * a_);
    }
    /// (2 pi f / 1000)^2, (rad/ms)^2: the unit kOhm times uF calls for.
    static double omega_sq(double hz);
    /// The buffer's gain in the pass band, 1 + R_feedback/R1 (1 for a follower).
    double buffer_gain() const { return gain_; }
    /// The output resistor into the load, a ratio.
    double divider() const { return divider_; }

private:
    double tau_in_, gain_, tau_f_, w0_sq_, a_, divider_;
};

}  // namespace vandrel::as_built
