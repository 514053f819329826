// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What runs out first as the subwoofer plays louder: the amplifier's
// voltage, the voice coil's thermal power, the cone's excursion, the port's
// air, and with the filter the full-scale signal through it. The inputs
// that set them, each checked against what can exist.
//
// Units: V rms, W rms into Re, m/s peak.

#include <optional>
#include <string_view>

#include "vandrel/speaker/inputs.h"

namespace vandrel::speaker {

/// What caps the amplifier's voltage at one frequency.
enum class Limit {
    drive,      ///< the full-scale signal through the filter, V h(f)
    amplifier,  ///< the amplifier's most output
    thermal,    ///< the voice coil's thermal power Pe, sqrt(Pe Re)
    xmax,       ///< the cone's linear excursion
    port,       ///< the port's air velocity limit
};

/// "drive", "amplifier", "thermal", "xmax" or "port": the names of the
/// tables and of JSON.
std::string_view limit_name(Limit limit);

/// "full scale", "amplifier", "Pe", "Xmax" or "port air": a limit as the
/// window and the build sheet name it for people.
std::string_view limit_caption(Limit limit);

/// Port air velocity not to exceed when none is given, m/s peak: above it
/// ports are heard.
inline constexpr double default_port_limit = 17;

/// How far the filter may take the amplifier past its most before that
/// counts against a design, dB: a peak this small is not one.
inline constexpr double amplifier_tolerance_db = 0.05;

inline constexpr Limits amp_volts_limits{"amp-volts", "V", 1e-6, 10000, 1, 200};
inline constexpr Limits amp_watts_limits{"amp-watts", "W", 1e-9, 1e7, 1, 20000};
inline constexpr Limits port_limit_limits{"port-limit", "m/s", 0.1, 340, 5, 40};

/// Checks an amplifier's most output, V rms (finite, above 0, at most
/// 10 kV); below the drive is a warning, since full scale then clips it in
/// the pass band.
Checked<double> check_amp_volts(double volts, double drive_volts);

/// The amplifier's most output from watts into `re_ohm`, sqrt(W Re), V rms,
/// checked as check_amp_volts does.
Checked<double> amp_volts_from_watts(double watts, double re_ohm, double drive_volts);

/// Checks a port air velocity limit, m/s peak (finite, above 0, at most
/// 340 m/s, near the speed of sound).
Checked<double> check_port_limit(double metres_per_second);

/// The voltage that puts `pe_watts` into `re_ohm`: sqrt(Pe Re), V rms.
double thermal_volts(double pe_watts, double re_ohm);

}  // namespace vandrel::speaker
