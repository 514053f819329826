// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/corners.h"

namespace vandrel::as_built {

std::array<PathParts, 8> tolerance_corners(const PathParts& nominal, double r_pct, double c_pct) {
    // The signs of C, R3 and R4; f0 goes as 1/(C sqrt(R3 R4)), Q as sqrt(R4/R3).
    struct Signs {
        int c, r3, r4;
    };
    static constexpr std::array<Signs, 8> signs{{
        {+1, +1, +1},  // f0 lowest
        {+1, -1, +1},  // Q highest, f0 low
        {-1, -1, +1},  // Q highest, f0 high
        {+1, +1, -1},  // Q lowest, f0 low
        {-1, +1, -1},  // Q lowest, f0 high
        {+1, -1, -1},  // f0 low
        {-1, +1, +1},  // f0 high
        {-1, -1, -1},  // f0 highest
    }};
    const double r = r_pct / 100, c = c_pct / 100;
    std::array<PathParts, 8> out;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        PathParts p = nominal;
        p.c1 *= 1 + signs[i].c * c;
        p.c2 *= 1 + signs[i].c * c;
        p.r3 *= 1 + signs[i].r3 * r;
        p.r4 *= 1 + signs[i].r4 * r;
        out[i] = p;
    }
    return out;
}

}  // namespace vandrel::as_built
