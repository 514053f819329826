// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The round port a builder cuts for a vented box: its length from its
// diameter and the tuning, and whether it fits the box.
//
// A port of area Sp and physical length L, with end corrections k r at its
// two ends, has the acoustic mass rho0 (L + k r)/Sp; tuned with Cab =
// Vb/(rho0 c^2) to fb, L = c^2 Sp/(wb^2 Vb) - k r. The port is taken with
// one end flanged (flush with the baffle, 0.85 r) and one free (inside the
// box, 0.613 r): k = 1.463, the usual 0.732 times the diameter.

#include <optional>
#include <vector>

#include "vandrel/speaker/inputs.h"

namespace vandrel::speaker {

/// The ends' correction, times the port's radius: 0.85 flanged plus 0.613 free.
inline constexpr double port_end_correction = 1.463;

/// Above this share of Vb a port's own volume is worth a warning: the box
/// must be that much larger than its net volume.
inline constexpr double port_volume_share_warning = 0.10;

/// A port's length and what it takes of the box.
struct PortFit {
    double length_cm = 0;       ///< physical length, cm; 0 or below: it cannot be cut
    double volume_l = 0;        ///< the tube's inside, litres (0 when it cannot be cut)
    double narrowest_cm = 0;    ///< the narrowest port that can be cut for this tuning, cm
    double box_side_cm = 0;     ///< the inside of a cube of Vb, cm: the cube root of Vb
    std::vector<Issue> warnings;  ///< it cannot be cut, it takes much of the box, it is longer than the box
};

/// The port of a vented box with a port diameter; none otherwise. Throws
/// std::invalid_argument for a box with errors.
std::optional<PortFit> port_fit(const Box& box);

/// The diameter at which a port's air, `velocity` m/s in a port of
/// `diameter_cm`, comes down to `limit` m/s: the flow stays as the tuning
/// sets it, so the velocity goes as 1/D^2. cm.
double port_diameter_for(double diameter_cm, double velocity, double limit);

}  // namespace vandrel::speaker
