// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window knows of printing. Qt Print Support and the code
// that uses it are a module of their own (vandrel_print), loaded when
// "Print" is first pressed, so that the window starts without them.

#include <QString>
#include <QStringList>

#include <functional>

class QPixmap;
class QPrinter;

namespace vandrel::ui {

/// The module's entry point: prints `image` on one page of the printer that
/// `choose` sets up, or with no `choose` on the system's default printer;
/// puts what went wrong in `failure` ("" once the page went to the printer).
using PrintPicture = void (*)(const QPixmap& image, const std::function<bool(QPrinter&)>* choose, QString& failure);

/// The entry point's name, and the module's name without its suffix.
inline constexpr char print_picture_symbol[] = "vandrel_print_picture";
inline constexpr char print_module_name[] = "vandrel_print";

/// The entry point from the module in the first of `directories` that
/// holds one; null, with the reason in `failure`, when it cannot be loaded.
PrintPicture load_print_module(const QStringList& directories, QString* failure);

}  // namespace vandrel::ui
