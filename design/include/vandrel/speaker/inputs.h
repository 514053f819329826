// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the subwoofer analysis starts from: the driver's Thiele-Small
// parameters, the box and the drive, each checked against what can exist.
//
// Units as on data sheets: Hz, litres, ohms, cm^2, mm, mH, watts, volts.

#include <optional>
#include <string>
#include <vector>

namespace vandrel::speaker {

/// Something wrong or unusual about one input value.
struct Issue {
    std::string parameter;  ///< the name the driver file and the options use: "fs", "vb", "volts"...
    std::string text;       ///< one sentence for people, starting with the parameter's name
};

/// A driver as given: any value may be missing. Qts alone means Qes = Qts
/// and no mechanical loss; any two of Qes, Qms and Qts give the third.
struct DriverValues {
    std::string name;                ///< the driver's name, for people; may be empty
    std::optional<double> fs{};        ///< free-air resonance, Hz
    std::optional<double> qes{};       ///< electrical Q
    std::optional<double> qms{};       ///< mechanical Q; none: no mechanical loss
    std::optional<double> qts{};       ///< total Q
    std::optional<double> vas{};       ///< equivalent air volume, litres
    std::optional<double> re{};        ///< voice-coil DC resistance, ohms
    std::optional<double> sd{};        ///< cone area, cm^2
    std::optional<double> xmax{};      ///< linear excursion, one way, mm
    std::optional<double> le{};        ///< voice-coil inductance, mH; none: 0
    std::optional<double> pe{};        ///< thermal power handling, W rms into Re; none: not known
};

/// A complete driver whose values can exist.
struct Driver {
    std::string name;
    double fs = 0;               ///< Hz
    double qes = 0;
    std::optional<double> qms{};   ///< none: no mechanical loss (Qms infinite)
    double vas = 0;              ///< litres
    double re = 0;               ///< ohms
    double sd = 0;               ///< cm^2
    double xmax = 0;             ///< mm
    double le = 0;               ///< mH
    std::optional<double> pe{};    ///< thermal power handling, W rms into Re; none: not known
    /// Total Q: Qes and Qms in parallel, Qes alone without Qms.
    double qts() const { return qms ? qes * *qms / (qes + *qms) : qes; }
};

/// The box behind the driver.
struct Box {
    enum class Type { sealed, vented };
    Type type = Type::sealed;
    double vb = 0;                        ///< net internal volume, litres
    double fb = 0;                        ///< tuning frequency, Hz (vented only)
    std::optional<double> ql{};             ///< leakage Q; none: no leakage
    std::optional<double> port_diameter{};  ///< one round port, cm (vented only); none: no port velocity
};

/// What a value may be (`lo` to `hi`; anything else cannot exist or is
/// absurd) and what it usually is for a subwoofer (`usual_lo` to
/// `usual_hi`), in the units above.
struct Limits {
    const char* name;  ///< as Issue::parameter: "fs", "vb", "port-diameter"
    const char* unit;  ///< as messages write it: "Hz", "litres"; "" for a ratio
    double lo, hi;
    double usual_lo, usual_hi;
    bool zero_allowed = false;  ///< 0 may be given too (Le)
};

inline constexpr Limits fs_limits{"fs", "Hz", 0.1, 20000, 10, 150};
inline constexpr Limits qes_limits{"qes", "", 0.01, 100, 0.15, 2};
inline constexpr Limits qms_limits{"qms", "", 0.1, 1000, 1, 30};
inline constexpr Limits qts_limits{"qts", "", 0.01, 100, 0.15, 1.5};
inline constexpr Limits vas_limits{"vas", "litres", 0.001, 100000, 5, 1000};
inline constexpr Limits re_limits{"re", "ohms", 0.01, 1000, 1, 16};
inline constexpr Limits sd_limits{"sd", "cm^2", 0.1, 100000, 100, 2500};
inline constexpr Limits xmax_limits{"xmax", "mm", 0.01, 1000, 2, 40};
inline constexpr Limits le_limits{"le", "mH", 0, 1000, 0, 10, true};
inline constexpr Limits pe_limits{"pe", "W", 0.01, 100000, 20, 5000};
inline constexpr Limits vb_limits{"vb", "litres", 0.01, 100000, 5, 1000};
inline constexpr Limits fb_limits{"fb", "Hz", 0.1, 20000, 10, 100};
inline constexpr Limits ql_limits{"ql", "", 0.1, 1e6, 3, 100};
inline constexpr Limits port_limits{"port-diameter", "cm", 0.1, 1000, 2, 40};
inline constexpr Limits volts_limits{"volts", "V", 1e-6, 10000, 0.01, 200};
inline constexpr Limits watts_limits{"watts", "W", 1e-9, 1e7, 1e-4, 5000};

/// Leakage Q of a vented box when none is given.
inline constexpr double default_vented_ql = 7;
/// Drive when none is given: 1 W into 8 ohms, V rms.
inline constexpr double default_volts = 2.83;

/// The result of checking inputs: the value when there are no errors.
template <class T>
struct Checked {
    std::optional<T> value;
    std::vector<Issue> errors;    ///< what cannot exist or is missing
    std::vector<Issue> warnings;  ///< what is unusual but works
};

/// Completes and checks a driver. Errors: a missing value (fs, Qes or Qts,
/// Vas, Re, Sd, Xmax), one that is not finite, not above 0 (Le: below 0) or
/// beyond any real driver, or Q values that do not fit together. Warnings:
/// values unusual for a subwoofer, and a Qts that disagrees with Qes and
/// Qms (which are used).
Checked<Driver> check_driver(const DriverValues& values);

/// Checks a box: Vb above 0, fb above 0 for a vented box, Ql above 0, the
/// port diameter above 0, all within what can be built. Warnings for
/// unusual values.
Checked<Box> check_box(const Box& box);

/// Checks a drive in volts rms (finite, above 0, at most 10 kV).
Checked<double> check_volts(double volts);

/// Volts rms that `watts` give into `re_ohm`: sqrt(W Re). Checks the watts
/// (finite, above 0, at most 10 MW) and the volts they give, as check_volts
/// does (at most 10 kV).
Checked<double> volts_from_watts(double watts, double re_ohm);

/// The errors of a complete driver or box, for functions that take one
/// (empty when it can be analysed).
std::vector<Issue> driver_errors(const Driver& driver);
std::vector<Issue> box_errors(const Box& box);

}  // namespace vandrel::speaker
