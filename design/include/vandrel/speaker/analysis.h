// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the subwoofer does without and with the filter ahead of its
// amplifier: SPL, cone excursion and port air velocity from 1 Hz to 1 kHz,
// and the figures a builder needs from them.
//
// Without the filter the amplifier gives V at every frequency; with it,
// V |H(f)| / G, where H is the whole signal path into its load and G its
// pass-band gain, so that the amplifier is set for V in the pass band.
//
// The loudest safe level at each frequency is the SPL at the largest
// amplifier voltage that keeps every limit (limits.h); with the filter the
// full-scale signal through it, V h(f) with h = |H|/G, caps it too.

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "vandrel/as_built/circuit.h"
#include "vandrel/speaker/inputs.h"
#include "vandrel/speaker/limits.h"
#include "vandrel/speaker/measurement.h"
#include "vandrel/speaker/port.h"

namespace vandrel::speaker {

/// Number of frequencies of every table: 1 Hz to 1 kHz, 200 a decade, the
/// frequencies of vandrel-solve --response.
inline constexpr int grid_points = 601;

/// The table frequencies, Hz: 10^(i/200) for i = 0 to 600.
std::span<const double> grid_hz();

/// Frequencies at which the SPL is reported, Hz.
inline constexpr std::array<double, 3> level_hz{20, 30, 40};

/// Port air velocity above which a port is heard, m/s peak.
inline constexpr double audible_port_velocity = default_port_limit;

/// Everything the analysis starts from.
struct Inputs {
    Driver driver;
    Box box;
    double volts = default_volts;     ///< drive in the pass band, V rms
    as_built::PathParts filter;       ///< the signal path ahead of the amplifier
    std::optional<double> amp_volts{};  ///< the amplifier's most output, V rms; none: the drive
    double port_limit = default_port_limit;  ///< port air velocity not to exceed, m/s peak (with a port diameter)
};

/// The amplifier's most output of `inputs`, V rms: as given, or the drive.
double amplifier_volts(const Inputs& inputs);

/// The limits an analysis keeps, as used.
struct LimitValues {
    double amp_v = 0;                      ///< V rms
    std::optional<double> pe_w;            ///< W rms into Re; none when the driver's Pe is not known
    std::optional<double> thermal_v;       ///< sqrt(Pe Re), V rms
    double xmax_mm = 0;                    ///< mm
    std::optional<double> port_limit_ms;   ///< m/s peak; none without a port diameter
};

/// The limits of `inputs`.
LimitValues limit_values(const Inputs& inputs);

/// The loudest safe levels at 20, 30 and 40 Hz (level_hz).
struct MaxSplFigures {
    std::array<double, 3> db_at{};            ///< without the filter, dB at 1 m
    std::array<Limit, 3> limit_at{};          ///< what limits it
    std::array<double, 3> filtered_db_at{};   ///< with the filter at full scale, dB
    std::array<Limit, 3> filtered_limit_at{};
    std::array<double, 3> lost_db_at{};       ///< db_at less filtered_db_at, dB: the bass protection costs
};

/// A run of neighbouring table frequencies that one limit caps.
struct LimitStretch {
    double from_hz = 0;  ///< its first table frequency
    double to_hz = 0;    ///< its last
    Limit limit = Limit::drive;
};

/// The stretches of `limits` on the table frequencies `hz`, low to high.
std::vector<LimitStretch> limit_stretches(std::span<const double> hz, std::span<const Limit> limits);

/// What the system does at one drive.
struct DriveFigures {
    /// The bass corner, Hz: the highest frequency up to 1 kHz at which the
    /// SPL, rising, crosses 3 dB below the pass band; none when it never does.
    std::optional<double> f3;
    std::array<double, 3> spl_db_at{};          ///< SPL at 20, 30 and 40 Hz, dB
    double peak_excursion_mm = 0;               ///< highest from 1 Hz to 1 kHz, mm peak
    double peak_excursion_hz = 0;               ///< where it is, Hz
    std::optional<double> peak_port_velocity;   ///< m/s peak; none without a port
    std::optional<double> peak_port_hz;         ///< where it is, Hz
};

/// The response on the table frequencies and its figures.
struct Analysis {
    std::vector<double> hz;                        ///< grid_hz()
    std::vector<double> spl_db;                    ///< without the filter, dB at 1 m
    std::vector<double> spl_filtered_db;           ///< with it
    std::vector<double> excursion_mm;              ///< without the filter, mm peak
    std::vector<double> excursion_filtered_mm;
    std::vector<double> port_velocity;             ///< m/s peak; empty without a port
    std::vector<double> port_velocity_filtered;
    std::vector<std::optional<double>> measured_db;           ///< empty without a measurement
    std::vector<std::optional<double>> measured_filtered_db;  ///< the measurement plus the filter's relative level
    std::vector<double> max_spl_db;                ///< the loudest safe level without the filter, dB
    std::vector<Limit> max_spl_limit;              ///< what limits it
    std::vector<double> max_spl_filtered_db;       ///< the loudest safe level with the filter at full scale, dB
    std::vector<Limit> max_spl_filtered_limit;     ///< what limits it: Limit::drive where full scale keeps every limit
    std::vector<double> amplifier_v_filtered;      ///< V h(f), what full scale asks of the amplifier, V rms, uncapped
    std::vector<bool> full_scale_beyond;           ///< full scale through the filter goes past a limit

    double volts = 0;                  ///< V rms
    double passband_spl_db = 0;        ///< high-frequency limit with Le = 0, dB
    DriveFigures without_filter;
    DriveFigures with_filter;
    /// The highest frequency at which the filtered excursion exceeds Xmax,
    /// Hz; none when it never does.
    std::optional<double> unsafe_below_hz;
    LimitValues limits;
    MaxSplFigures max_spl;
    std::optional<PortFit> port;       ///< the port's length; none without a port diameter
    std::vector<Issue> warnings;       ///< port air velocity, excursion beyond Xmax, the port's fit
};

/// Analyses a system at one drive (both drives, 601 frequencies). Throws
/// std::invalid_argument for a driver or box with errors, a drive that is
/// not a finite number above 0, or a filter whose response is not finite.
Analysis analyse(const Inputs& inputs, const Measurement* measurement = nullptr);

/// The rows of an analysis as CSV: hz, spl_db, spl_filtered_db,
/// excursion_mm, excursion_filtered_mm, then port_velocity_ms,
/// port_velocity_filtered_ms with a port, then measured_db,
/// measured_filtered_db with a measurement (empty outside its range), then
/// max_spl_db, max_spl_limit, max_spl_filtered_db, max_spl_filtered_limit
/// (limit_name) and amplifier_v_filtered. Numbers in their shortest exact
/// form.
std::string system_response_csv(const Analysis& analysis);

}  // namespace vandrel::speaker
