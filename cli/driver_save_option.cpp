// SPDX-License-Identifier: GPL-3.0-or-later
#include "driver_save_option.h"

#include "vandrel/speaker/driver_file.h"

namespace vandrel::cli {

void add_save_driver_option(CLI::App& app, std::optional<std::string>& file, const std::string& group) {
    app.add_option("--save-driver", file,
                   "Write the driver (as given, Q values completed) to FILE: WinISD .wdr when FILE ends in .wdr, "
                   "else name = value lines; without box options nothing else about the subwoofer is done")
        ->type_name("FILE")
        ->group(group);
}

speaker::DriverValues saved_values(const speaker::Driver& d) {
    return {d.name, d.fs, d.qes, d.qms, d.qts(), d.vas, d.re, d.sd, d.xmax, d.le, d.pe};
}

files::Output driver_output(const std::string& file, const speaker::Driver& driver) {
    return {file, speaker::driver_file_text(saved_values(driver), speaker::driver_format_for(file))};
}

}  // namespace vandrel::cli
