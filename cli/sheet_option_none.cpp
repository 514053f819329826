// SPDX-License-Identifier: GPL-3.0-or-later
// --sheet without Qt: the sheet is drawn with Qt Gui, which this build does
// not have, so the option is refused with the reason.

#include "sheet_option.h"

#include <ostream>

namespace vandrel::cli {

CLI::Option* add_sheet_option(CLI::App& app, std::optional<std::string>&) {
    // Refused as soon as it is read, before anything is solved. A hidden
    // option has no name of its own in CLI11's messages, so the error names it.
    return app
        .add_option_function<std::string>("--sheet",
                                          [](const std::string&) {
                                              throw CLI::ValidationError(
                                                  "--sheet", "this vandrel-solve was built without Qt and cannot "
                                                             "draw build sheets");
                                          })
        ->type_name("FILE")
        ->group("");
}

bool add_sheet(std::vector<files::Output>&, const std::string&, Mode, const std::map<Field, std::string>&,
               const as_built::AsBuilt&, const as_built::Levels*, std::ostream& errors) {
    errors << "vandrel-solve: this vandrel-solve was built without Qt and cannot draw build sheets\n";
    return false;
}

}  // namespace vandrel::cli
