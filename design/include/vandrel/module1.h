// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design variables: the state that one Solve leaves behind.

namespace vandrel {

/// The twelve design variables, all 0 until the first Solve. Only Solve
/// writes them; the response graph reads f0 and q.
struct Module1 {
    double gain = 0;        ///< buffer-stage gain after clamping to at most 20, dB
    double cfilter = 0;     ///< value of each filter capacitor, uF
    double f0 = 0;          ///< natural (design) frequency, Hz
    double q = 0;           ///< filter Q
    double freq_peak = 0;   ///< frequency of the response peak, Hz
    double peakmag = 0;     ///< height of the response peak, dB
    double r_feedback = 0;  ///< feedback resistor of the buffer, kOhm (always 15 once set)
    double r1 = 0;          ///< gain-setting resistor of the buffer, kOhm
    double r3 = 0;          ///< capacitor junction to op-amp output, kOhm
    double r4 = 0;          ///< non-inverting input to ground, kOhm
    double xc = 0;          ///< reactance of one capacitor at f0, kOhm (unrounded)
    double f3 = 0;          ///< -3 dB frequency, Hz

    friend bool operator==(const Module1&, const Module1&) = default;
};

}  // namespace vandrel
