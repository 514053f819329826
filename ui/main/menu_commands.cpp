// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_commands.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

#include "frmAbout.h"
#include "message_sink.h"
#include "parts_command.h"
#include "print_module.h"

namespace vandrel::ui {
namespace {

PrinterChoice printer_choice;
std::optional<QStringList> module_directories;

}  // namespace

void set_printer_choice(PrinterChoice choice) { printer_choice = std::move(choice); }

void set_print_module_directories(const QStringList& directories) { module_directories = directories; }

void print_client_area(QWidget* parent, QWidget* client_area) {
    if (!message_sink().ask_yes_no(parent, QStringLiteral("Would you like me to ..."),
                                   QStringLiteral("Print this form using current printer settings?")))
        return;

    // The client area as its widgets draw it now: inputs, results and the
    // view that is shown.
    const QPixmap image = client_area->grab();

    // Where the Parts window's module is, the print module is too.
    static PrintPicture print = nullptr;
    QString failure;
    if (!print) print = load_print_module(module_directories.value_or(parts_module_directories()), &failure);
    if (print) print(image, printer_choice ? &printer_choice : nullptr, failure);
    if (!failure.isEmpty())
        message_sink().message(parent, failure);
}

void show_about(QWidget* parent) {
    frmAbout& about = frmAbout::instance(parent);
    about.exec();
}

}  // namespace vandrel::ui
