// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's loader of the print module.
#include "print_module.h"

#include "module_entry.h"

namespace vandrel::ui {

PrintPicture load_print_module(const QStringList& directories, QString* failure) {
    return reinterpret_cast<PrintPicture>(
        module_entry(print_module_name, print_picture_symbol, directories, QStringLiteral("Printing"), failure));
}

}  // namespace vandrel::ui
