// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_commands.h"

#include <QPixmap>
#include <QWidget>

#include "frmAbout.h"
#include "message_sink.h"
#include "printing.h"

namespace vandrel::ui {
namespace {

PrinterChoice printer_choice;

}  // namespace

void set_printer_choice(PrinterChoice choice) { printer_choice = std::move(choice); }

void print_client_area(QWidget* parent, QWidget* client_area) {
    if (!message_sink().ask_yes_no(parent, QStringLiteral("Would you like me to ..."),
                                   QStringLiteral("Print this form using current printer settings?")))
        return;

    // The client area as its widgets draw it now: inputs, results and the
    // view that is shown.
    const QPixmap image = client_area->grab();

    const QString failure =
        printer_choice ? print_on_chosen_printer(image, printer_choice) : print_on_default_printer(image);
    if (!failure.isEmpty())
        message_sink().message(parent, failure);
}

void show_about(QWidget* parent) {
    frmAbout& about = frmAbout::instance(parent);
    about.exec();
}

}  // namespace vandrel::ui
