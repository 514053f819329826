// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The response of the filter as built, from its parts, with ideal op-amps.
//
// Units: resistances in kOhm, capacitances in uF, frequencies in Hz, levels
// in dB, delays in ms (kOhm times uF is ms).

#include <array>
#include <optional>

namespace vandrel::as_built {

/// Every part of the signal path: the input coupling, the buffer, the
/// Sallen-Key high-pass section and the output resistor into its load.
struct PathParts {
    double c_in = 1.0;            ///< input coupling capacitor, uF
    double r_in = 47;             ///< input resistor to ground, kOhm
    std::optional<double> r1;     ///< buffer gain resistor, kOhm; none: the buffer is a follower
    double r_feedback = 15;       ///< buffer feedback resistor, kOhm
    double c_feedback = 0.01;     ///< capacitor across the feedback resistor, uF
    double c1 = 1;                ///< section capacitor from the buffer, uF
    double c2 = 1;                ///< section capacitor to the op-amp input, uF
    double r3 = 1;                ///< capacitors' junction to the section output, kOhm
    double r4 = 1;                ///< section op-amp input to ground, kOhm
    double r_out = 0.2;           ///< output resistor, kOhm
    double load = 10;             ///< load at the output, kOhm
};

/// Natural frequency and Q of a second-order high-pass section.
struct Section {
    double f0 = 0;  ///< Hz
    double q = 0;
};

/// The section that a path's c1, c2, r3 and r4 make.
Section section_of(const PathParts& parts);

/// What a high-pass section does: its -3 dB frequency and its peak.
struct SectionFigures {
    double f0 = 0;                   ///< natural frequency, Hz
    double q = 0;
    double f3 = 0;                   ///< -3 dB frequency, Hz
    std::optional<double> peak_hz;   ///< frequency of the peak; none when Q gives no peak
    double peak_db = 0;              ///< height of the peak above the pass band, dB (0 without one)
};

/// f3 and the peak of a section with natural frequency f0 (Hz) and Q (> 0).
SectionFigures section_figures(Section section);

/// Level of a section at f Hz, dB (0 dB in its pass band).
double section_level_db(Section section, double hz);

/// Gain of the whole path between its high-pass corner and the roll-off of
/// the buffer's feedback capacitor: the buffer gain 1 + r_feedback/r1 (1
/// for a follower) times the divider of r_out and the load.
double path_passband_gain(const PathParts& parts);

/// The whole path's transfer function, worked out once for many
/// frequencies.
class PathResponse {
public:
    explicit PathResponse(const PathParts& parts);
    /// |H|^2 at f Hz (a ratio, not dB).
    double power_gain(double hz) const;
    /// Group delay at f Hz, ms.
    double group_delay_ms(double hz) const;

private:
    double tau_in_;   // input coupling time constant, ms
    double gain_;     // buffer gain at low frequencies, 1 + r_feedback/r1
    double tau_f_;    // feedback time constant, ms
    double w0_sq_;    // section: natural frequency squared, (rad/ms)^2
    double a_;        // section: w0 / Q, rad/ms
    double divider_;  // output divider, ratio
};

/// |H|^2 of the whole path at f Hz (a ratio, not dB).
double path_power_gain(const PathParts& parts, double hz);
/// Level of the whole path at f Hz, dB (the pass-band gain included).
double path_level_db(const PathParts& parts, double hz);
/// Group delay of the whole path at f Hz, ms.
double path_group_delay_ms(const PathParts& parts, double hz);

/// Frequencies at which the path's group delay is reported, Hz.
inline constexpr std::array<double, 3> group_delay_hz{20, 30, 40};

/// What the whole path does.
struct PathFigures {
    double gain_db = 0;              ///< pass-band gain, dB
    std::optional<double> f3;        ///< lowest frequency 3 dB below the pass band, Hz; none if never
    std::optional<double> peak_hz;   ///< frequency of the highest level; none when it is not above the pass band
    double peak_db = 0;              ///< height of that level above the pass band, dB (0 without a peak)
    std::array<double, 3> group_delay_ms{};  ///< at 20, 30 and 40 Hz
};

PathFigures path_figures(const PathParts& parts);

/// The path's f3 alone (see PathFigures::f3), for repeated use.
std::optional<double> path_f3(const PathParts& parts);

}  // namespace vandrel::as_built
