// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The driver in its box as an acoustic circuit (pressure as voltage, volume
// velocity as current), and what it does at one frequency.
//
// The source e Bl/(Ze Sd), Ze = Re + j w Le, drives in series Rae =
// Bl^2/(Ze Sd^2), Mas = Mms/Sd^2, Cas = Cms Sd^2, Ras = Rms/Sd^2 and the
// box: Cab = Vb/(rho0 c^2), with a port mass and a leakage resistance
// across it. The radiated volume velocity is the current in Cab.

#include <complex>

#include "vandrel/speaker/inputs.h"

namespace vandrel::speaker {

/// Density of air, kg/m^3.
inline constexpr double air_density = 1.18;
/// Speed of sound, m/s.
inline constexpr double sound_speed = 345;
/// Reference of sound pressure level, Pa.
inline constexpr double spl_reference = 20e-6;

/// The driver's mechanical and motor figures worked out from its
/// Thiele-Small parameters.
struct Mechanics {
    double cms = 0;  ///< suspension compliance Vas/(rho0 c^2 Sd^2), m/N
    double mms = 0;  ///< moving mass 1/((2 pi fs)^2 Cms), kg
    double rms = 0;  ///< mechanical resistance 2 pi fs Mms/Qms, N s/m (0 without Qms)
    double bl = 0;   ///< force factor sqrt(2 pi fs Mms Re/Qes), T m
};

/// Mechanics of a driver (throws std::invalid_argument for one with errors).
Mechanics mechanics_of(const Driver& driver);

/// A sealed box's resonance fs sqrt(1 + Vas/Vb), Hz, and Q, Qts sqrt(1 + Vas/Vb)
/// (throw std::invalid_argument for a driver with errors or a Vb that cannot be).
double sealed_fc(const Driver& driver, double vb_litres);
double sealed_qtc(const Driver& driver, double vb_litres);

/// Volume velocities at one frequency for a drive of 1 V rms, m^3/s rms.
struct Flows {
    std::complex<double> cone;       ///< through the cone branch
    std::complex<double> radiated;   ///< the current in Cab
    std::complex<double> port;       ///< through the port mass (0 for a sealed box)
};

/// One driver in one box, worked out once for many frequencies.
class System {
public:
    /// Throws std::invalid_argument when the driver or box has errors.
    System(const Driver& driver, const Box& box);

    /// Volume velocities at f Hz (finite, above 0) for 1 V rms.
    Flows flows(double hz) const;

    /// Sound pressure at 1 m in half space for 1 V, Pa rms: rho0 w |U0|/(2 pi).
    double pressure(double hz, const Flows& flows) const;
    /// Cone excursion for 1 V, mm peak: sqrt(2) |Ud|/(Sd w).
    double excursion_mm(double hz, const Flows& flows) const;
    /// Air speed in the port for 1 V, m/s peak: sqrt(2) |Up|/Sp; 0 without a port.
    double port_velocity(const Flows& flows) const;

    /// The pass-band pressure for 1 V, Pa: the high-frequency limit with Le
    /// = 0, rho0 Bl Sd/(2 pi Re Mms).
    double passband_pressure() const { return passband_pressure_; }

    bool has_port() const { return port_area_ > 0; }
    const Mechanics& mechanics() const { return mech_; }

private:
    Mechanics mech_;
    double re_, le_;             // ohms, henries
    double bl_sd_;               // Bl/Sd, N/(m^2 A)
    double mas_, cas_, ras_;     // acoustic mass, compliance, resistance of the driver
    double cab_;                 // box compliance, m^5/N
    double map_;                 // port mass, kg/m^4 (0: none)
    double gal_;                 // leakage conductance 1/Ral (0: none)
    double sd_;                  // m^2
    double port_area_;           // m^2 (0: none)
    double passband_pressure_;   // Pa for 1 V
};

/// Sound pressure level of `pascal` rms (finite, at least 0), dB re 20 uPa.
double spl_db(double pascal);

}  // namespace vandrel::speaker
