// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/system.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vandrel::speaker {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double rho_c2 = air_density * sound_speed * sound_speed;

void require_no_errors(const std::vector<Issue>& errors) {
    if (!errors.empty()) throw std::invalid_argument(errors.front().text);
}

double checked_hz(double hz) {
    if (!(hz > 0) || !std::isfinite(hz)) throw std::invalid_argument("a frequency must be a finite number above 0");
    return hz;
}

double checked_vb(const Driver& d, double vb) {
    require_no_errors(driver_errors(d));
    require_no_errors(box_errors({Box::Type::sealed, vb, 0, {}, {}}));
    return vb;
}

}  // namespace

Mechanics mechanics_of(const Driver& d) {
    require_no_errors(driver_errors(d));
    const double sd = d.sd * 1e-4;
    const double w_s = 2 * pi * d.fs;
    Mechanics m;
    m.cms = d.vas * 1e-3 / (rho_c2 * sd * sd);
    m.mms = 1 / (w_s * w_s * m.cms);
    m.rms = d.qms ? w_s * m.mms / *d.qms : 0;
    m.bl = std::sqrt(w_s * m.mms * d.re / d.qes);
    return m;
}

double sealed_fc(const Driver& d, double vb) { return d.fs * std::sqrt(1 + d.vas / checked_vb(d, vb)); }
double sealed_qtc(const Driver& d, double vb) { return d.qts() * std::sqrt(1 + d.vas / checked_vb(d, vb)); }

System::System(const Driver& d, const Box& box)
    : mech_(mechanics_of(d)), re_(d.re), le_(d.le * 1e-3), sd_(d.sd * 1e-4) {
    require_no_errors(box_errors(box));
    bl_sd_ = mech_.bl / sd_;
    mas_ = mech_.mms / (sd_ * sd_);
    cas_ = mech_.cms * sd_ * sd_;
    ras_ = mech_.rms / (sd_ * sd_);
    cab_ = box.vb * 1e-3 / rho_c2;
    map_ = 0;
    gal_ = 0;
    port_area_ = 0;
    if (box.type == Box::Type::vented) {
        const double w_b = 2 * pi * box.fb;
        map_ = 1 / (w_b * w_b * cab_);
        if (box.ql) gal_ = w_b * cab_ / *box.ql;
        if (box.port_diameter) {
            const double radius = *box.port_diameter / 200;
            port_area_ = pi * radius * radius;
        }
    } else if (box.ql) {
        gal_ = 2 * pi * d.fs * std::sqrt(1 + d.vas / box.vb) * cab_ / *box.ql;
    }
    passband_pressure_ = air_density * mech_.bl * sd_ / (2 * pi * re_ * mech_.mms);
}

Flows System::flows(double hz) const {
    checked_hz(hz);
    using C = std::complex<double>;
    const double w = 2 * pi * hz;
    const C ze(re_, w * le_);
    const C source = bl_sd_ / ze;                  // pressure for 1 V
    const C rae = bl_sd_ * bl_sd_ / ze;
    // The box node's admittance: Cab, then the port and the leak across it.
    const C y_cab(0, w * cab_);
    const C y_port = map_ > 0 ? C(0, -1 / (w * map_)) : C(0);
    const C y_box = y_cab + gal_ + y_port;
    // The box's pressure from the source through the driver's impedance
    // into the box's admittance, p = e / (1 + Zd Ybox): finite also where
    // a lossless box's admittance is 0 at its tuning (its impedance is
    // infinite there, the cone's flow 0 and the port's |e| w Cab).
    const C z_driver = rae + C(ras_, w * mas_ - 1 / (w * cas_));
    const C p_box = source / (1.0 + z_driver * y_box);
    Flows f;
    f.cone = p_box * y_box;
    f.radiated = p_box * y_cab;
    f.port = p_box * y_port;
    return f;
}

double System::pressure(double hz, const Flows& f) const {
    return air_density * checked_hz(hz) * std::abs(f.radiated);
}

double System::excursion_mm(double hz, const Flows& f) const {
    return std::sqrt(2.0) * std::abs(f.cone) / (sd_ * 2 * pi * checked_hz(hz)) * 1e3;
}

double System::port_velocity(const Flows& f) const {
    return port_area_ > 0 ? std::sqrt(2.0) * std::abs(f.port) / port_area_ : 0;
}

double spl_db(double pascal) {
    if (!(pascal >= 0) || !std::isfinite(pascal))
        throw std::invalid_argument("a pressure must be a finite number, at least 0");
    return 20 * std::log10(pascal / spl_reference);
}

}  // namespace vandrel::speaker
