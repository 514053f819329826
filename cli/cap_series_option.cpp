// SPDX-License-Identifier: GPL-3.0-or-later
#include "cap_series_option.h"

#include <string>

namespace vandrel::cli {

void add_cap_series_option(CLI::App& app, as_built::CapSeries& choice, CLI::Option* parts) {
    app.add_option_function<std::string>(
           "--cap-series", [&choice](const std::string& name) { choice = *as_built::cap_series_from_name(name); },
           "The capacitors bought: typed (the value typed, the default), or the nearest E6 or E12 value; R3 and "
           "R4 are chosen for them")
        ->type_name("FROM")
        ->check([](const std::string& name) {
            return as_built::cap_series_from_name(name) ? std::string()
                                                        : "--cap-series must be typed, E6 or E12, not " + name;
        })
        ->needs(parts);
}

}  // namespace vandrel::cli
