// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's kinds of control, each made at its place in the design,
// with its name and its look, and the two looks of an input field.

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "vandrel/window_model.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace vandrel::pictures {
enum class Diagram;
}

namespace vandrel::ui::controls {

/// Sets one colour of a widget's palette.
void set_colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

/// Names `widget` and puts it at `rect` (logical pixels) in its parent.
template <class W>
W* place(W* widget, const char* name, const QRect& rect) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    return widget;
}

/// A frame (panel) with the given QFrame style.
QFrame* frame(QWidget* parent, const char* name, const QRect& rect, int shape);
/// An input field with its design text: bold, black, centred, one line, any length.
QLineEdit* text_box(QWidget* parent, vandrel::Field field, const QRect& rect);
/// A caption label: black, left-aligned. It names `buddy` for screen
/// readers; its text has no mnemonic, so it looks as any other label.
QLabel* caption_label(QWidget* parent, const char* name, const char* text, const QRect& rect, QWidget* buddy);
/// A result label with its design caption: bold, centred, in the result colour.
QLabel* result_label(QWidget* parent, vandrel::ResultLabel which, const QRect& rect);
/// An option button with black text.
QRadioButton* option(QWidget* parent, const char* name, const QString& caption, const QRect& rect);
/// The option button of a design mode.
QRadioButton* mode_option(QWidget* parent, vandrel::Mode mode, const QRect& rect);
/// A picture holder of a circuit diagram's size at `at`, empty, named and
/// described for screen readers as the diagram `shows`.
QLabel* picture(QWidget* parent, const char* name, vandrel::pictures::Diagram shows, QPoint at);
/// Puts a diagram into a holder, with the diagram's name and description.
void show_diagram(QLabel* holder, vandrel::pictures::Diagram which, const QPixmap& pixmap);

/// The look of a field the user types into: enabled, bordered, white.
void input_look(QLineEdit* box);
/// The look of a field the program fills: disabled, no border, panel grey.
void output_look(QLineEdit* box);
/// Sets a field's background.
void set_base(QLineEdit* box, const QColor& colour);

/// Tab reaches a group of options at its selected one; the arrow keys move
/// within the group.
void tab_to_selected_only(QButtonGroup* group);

}  // namespace vandrel::ui::controls
