// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing the window's picture: one page, on the default printer.

#include <QString>

#include <functional>

class QPixmap;
class QPrinter;

namespace vandrel::ui {

/// The name of every print job.
inline constexpr char print_job_name[] = "Vandrel";

/// Prints `image` on one page of the printer that `choose` sets up (false:
/// there is none), as large as the page allows without changing its shape,
/// at the top left of the printable area. Returns what went wrong, or "" when
/// the page went to the printer.
QString print_on_chosen_printer(const QPixmap& image, const std::function<bool(QPrinter&)>& choose);

/// Prints `image` as one page on the system's default printer with its
/// current settings, as a job named print_job_name. Returns what went wrong
/// (no printer, a printer that cannot start, a job the print system does not
/// accept), or "" once the print system has accepted the job.
QString print_on_default_printer(const QPixmap& image);

}  // namespace vandrel::ui
