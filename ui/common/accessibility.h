// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows tell assistive technology (screen readers, through
// AT-SPI on Linux) beyond what Qt's own interfaces say: pictures that are
// pictures, windows that are windows, and combo boxes named by their
// captions.

#include <QAccessible>
#include <QString>

class QComboBox;
class QLabel;
class QWidget;

namespace vandrel::ui {

/// Installs the program's accessible interfaces; later calls do nothing.
/// Every function below installs them; a window that has combo boxes calls
/// this before it makes them.
///
/// A combo box is then named by its accessible name, else by its buddy
/// label, and only without either by its current item, which stays its
/// value. (Qt's own interface on Linux names it by its current item.)
void install_accessible_interfaces();

/// Names a combo box for screen readers, and the list it drops down after it.
void name_combo_box(QComboBox* box, const QString& name);

/// Makes `widget` a picture to assistive technology: `role` (Graphic for an
/// image, Chart for a plot), named `name`, described by `description`, and
/// with no parts of its own, so that nothing behind the picture shows.
/// Call it before the widget is first asked for its interface (before it is
/// shown); the name and description may change later.
void make_picture(QWidget* widget, QAccessible::Role role, const QString& name, const QString& description);

/// Makes a top-level widget a window (a frame, to AT-SPI) to assistive
/// technology, rather than a plain filler.
void make_window(QWidget* widget);

/// Shows `text` in `label` and names the label for screen readers by
/// `caption` and the text ("f3 without the filter: 25.17 Hz"): by the
/// caption alone while there is no text, by the text alone without a
/// caption. (A label's accessible name is all a screen reader says of it.)
void set_spoken_text(QLabel* label, const QString& caption, const QString& text);

}  // namespace vandrel::ui
