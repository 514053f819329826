// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/port.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "vandrel/speaker/system.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {

using texts::figure;

std::optional<PortFit> port_fit(const Box& box) {
    if (const std::vector<Issue> errors = box_errors(box); !errors.empty())
        throw std::invalid_argument(errors.front().text);
    if (box.type != Box::Type::vented || !box.port_diameter) return std::nullopt;
    constexpr double pi = std::numbers::pi;
    const double r = *box.port_diameter / 200;         // m
    const double area = pi * r * r;                    // m^2
    const double vb = box.vb * 1e-3;                   // m^3
    const double wb = 2 * pi * box.fb;
    const double c2 = sound_speed * sound_speed;
    PortFit out;
    out.length_cm = (c2 * area / (wb * wb * vb) - port_end_correction * r) * 100;
    out.volume_l = out.length_cm > 0 ? area * out.length_cm / 100 * 1e3 : 0;
    // L = 0 where c^2 pi r^2/(wb^2 Vb) = k r.
    out.narrowest_cm = port_end_correction * wb * wb * vb / (c2 * pi) * 200;
    out.box_side_cm = std::cbrt(vb) * 100;
    const std::string port = "the port of " + figure(*box.port_diameter, 4) + " cm";
    if (out.length_cm <= 0) {
        out.warnings.push_back({"port-diameter", port + " is too narrow to tune " + figure(box.vb, 4) + " L to " +
                                                     figure(box.fb, 4) + " Hz: its ends alone tune lower; it needs " +
                                                     "more than " + figure(out.narrowest_cm, 3) + " cm"});
        return out;
    }
    if (out.volume_l > port_volume_share_warning * box.vb)
        out.warnings.push_back({"port-diameter", port + " takes " + figure(out.volume_l, 3) + " L, " +
                                                     figure(out.volume_l / box.vb * 100, 3) +
                                                     " % of the box: the box must be that much larger inside " +
                                                     "than its net volume"});
    if (out.length_cm > out.box_side_cm)
        out.warnings.push_back({"port-diameter", port + " is " + figure(out.length_cm, 3) +
                                                     " cm long, longer than the inside of a cube of " +
                                                     figure(box.vb, 4) + " L (" + figure(out.box_side_cm, 3) +
                                                     " cm): it must bend or leave the box"});
    return out;
}

double port_diameter_for(double diameter_cm, double velocity, double limit) {
    return diameter_cm * std::sqrt(velocity / limit);
}

}  // namespace vandrel::speaker
