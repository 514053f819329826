// SPDX-License-Identifier: GPL-3.0-or-later
// The system's response as a table for spreadsheets and plotting programs.
#include "numbers.h"
#include "vandrel/speaker/analysis.h"

namespace vandrel::speaker {

std::string system_response_csv(const Analysis& a) {
    const bool port = !a.port_velocity.empty();
    const bool measured = !a.measured_db.empty();
    std::string out = "hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm";
    if (port) out += ",port_velocity_ms,port_velocity_filtered_ms";
    if (measured) out += ",measured_db,measured_filtered_db";
    out += '\n';
    const auto optional = [](const std::optional<double>& v) { return v ? numbers::shortest(*v) : std::string(); };
    for (std::size_t i = 0; i < a.hz.size(); ++i) {
        out += numbers::shortest(a.hz[i]);
        for (double v : {a.spl_db[i], a.spl_filtered_db[i], a.excursion_mm[i], a.excursion_filtered_mm[i]})
            out += "," + numbers::shortest(v);
        if (port)
            out += "," + numbers::shortest(a.port_velocity[i]) + "," + numbers::shortest(a.port_velocity_filtered[i]);
        if (measured) out += "," + optional(a.measured_db[i]) + "," + optional(a.measured_filtered_db[i]);
        out += '\n';
    }
    return out;
}

}  // namespace vandrel::speaker
