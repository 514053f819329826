#pragma once
// The main window's menu commands, "Print" and "About".

class QWidget;

namespace vandrel::ui {

/// Asks whether to print and, on Yes, prints `client_area` as it is shown
/// on the default printer, one page, scaled to fit. `parent` owns the
/// question box.
void print_client_area(QWidget* parent, QWidget* client_area);

/// Shows the program-wide About window modally; returns when it is hidden
/// or closed.
void show_about(QWidget* parent);

}  // namespace vandrel::ui
