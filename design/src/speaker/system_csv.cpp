// SPDX-License-Identifier: GPL-3.0-or-later
// The system's response as a table for spreadsheets and plotting programs.
#include <cmath>

#include "vandrel/speaker/analysis.h"
#include "vandrel/texts/exact.h"

namespace vandrel::speaker {

std::string system_response_csv(const Analysis& a) {
    const bool port = !a.port_velocity.empty();
    const bool measured = !a.measured_db.empty();
    std::string out = "hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm";
    if (port) out += ",port_velocity_ms,port_velocity_filtered_ms";
    if (measured) out += ",measured_db,measured_filtered_db";
    out += ",max_spl_db,max_spl_limit,max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered\n";
    // Built by appending: a text put in front of another trips a false GCC 12 warning at -O3.
    const auto cell = [&](const std::optional<double>& v) {
        out += ',';
        // A value that is not finite is none: no program reads "nan" or "inf" alike.
        if (v && std::isfinite(*v)) out += texts::shortest(*v);
    };
    for (std::size_t i = 0; i < a.hz.size(); ++i) {
        out += texts::shortest(a.hz[i]);  // the table's own frequencies, always finite
        for (double v : {a.spl_db[i], a.spl_filtered_db[i], a.excursion_mm[i], a.excursion_filtered_mm[i]}) cell(v);
        if (port) {
            cell(a.port_velocity[i]);
            cell(a.port_velocity_filtered[i]);
        }
        if (measured) {
            cell(a.measured_db[i]);
            cell(a.measured_filtered_db[i]);
        }
        cell(a.max_spl_db[i]);
        out.append(1, ',').append(limit_name(a.max_spl_limit[i]));
        cell(a.max_spl_filtered_db[i]);
        out.append(1, ',').append(limit_name(a.max_spl_filtered_limit[i]));
        cell(a.amplifier_v_filtered[i]);
        out += '\n';
    }
    return out;
}

}  // namespace vandrel::speaker
