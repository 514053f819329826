// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's menu commands, "Print" and "About".

#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace vandrel::ui {

/// Asks whether to print and, on Yes, prints `client_area` as it is shown
/// on the default printer, one page, scaled to fit. `parent` owns the
/// question box and any message about a failed printout.
void print_client_area(QWidget* parent, QWidget* client_area);

/// Points a printer at the device to print on; false when there is none.
using PrinterChoice = std::function<bool(QPrinter&)>;

/// How "Print" picks its printer. The program uses the system's default
/// printer with its current settings; tests print into a file instead. An
/// empty choice restores the default printer.
void set_printer_choice(PrinterChoice choice);

/// Where "Print" looks for its module (print_module.h); until this is
/// called, where the Parts window's module is looked for.
void set_print_module_directories(const QStringList& directories);

/// Shows the program-wide About window modally; returns when it is hidden
/// or closed.
void show_about(QWidget* parent);

}  // namespace vandrel::ui
