// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "accessibility.h"
#include "layout.h"
#include "picture_texts.h"
#include "pictures.h"
#include "qtext.h"

namespace vandrel::ui::controls {

namespace {

const QColor disabled_text{109, 109, 109};

}  // namespace

void set_colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QFrame* frame(QWidget* parent, const char* name, const QRect& rect, int shape) {
    auto* f = place(new QFrame(parent), name, rect);
    f->setFrameStyle(shape);
    return f;
}

// Text boxes: bold, black, centred, single line, any length.
QLineEdit* text_box(QWidget* parent, vandrel::Field field, const QRect& rect) {
    auto* box = place(new QLineEdit(to_qstring(vandrel::design_text(field)), parent),
                      vandrel::control_name(field).data(), rect);
    box->setFont(dialog_font(true));
    box->setAlignment(Qt::AlignCenter);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Active, QPalette::Text, Qt::black);
    palette.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    // Read-only fields carry results: a grey that stays legible on the panel.
    palette.setColor(QPalette::Disabled, QPalette::Text, disabled_text);
    box->setPalette(palette);
    return box;
}

QLabel* caption_label(QWidget* parent, const char* name, const char* text, const QRect& rect, QWidget* buddy) {
    auto* label = place(new QLabel(QString::fromLatin1(text), parent), name, rect);
    label->setBuddy(buddy);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    set_colour(label, QPalette::WindowText, Qt::black);
    return label;
}

QLabel* result_label(QWidget* parent, vandrel::ResultLabel which, const QRect& rect) {
    auto* label = place(new QLabel(to_qstring(vandrel::design_caption(which)), parent),
                        vandrel::control_name(which).data(), rect);
    label->setFont(dialog_font(true));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    set_colour(label, QPalette::WindowText, result_colour);
    return label;
}

QRadioButton* option(QWidget* parent, const char* name, const QString& caption, const QRect& rect) {
    auto* button = place(new QRadioButton(caption, parent), name, rect);
    set_colour(button, QPalette::WindowText, Qt::black);
    return button;
}

QRadioButton* mode_option(QWidget* parent, vandrel::Mode mode, const QRect& rect) {
    return option(parent, vandrel::control_name(mode).data(), to_qstring(vandrel::mode_caption(mode)), rect);
}

QLabel* picture(QWidget* parent, const char* name, vandrel::pictures::Diagram shows, QPoint at) {
    auto* holder = place(new QLabel(parent), name, QRect(at, vandrel::pictures::diagram_size));
    const PictureText text = diagram_text(shows);
    make_picture(holder, QAccessible::Graphic, text.name, text.description);
    return holder;
}

void show_diagram(QLabel* holder, vandrel::pictures::Diagram which, const QPixmap& pixmap) {
    holder->setPixmap(pixmap);
    const PictureText text = diagram_text(which);
    holder->setAccessibleName(text.name);
    holder->setAccessibleDescription(text.description);
}

// The two looks of a field: one the user types into, one the program fills.
void set_base(QLineEdit* box, const QColor& colour) { set_colour(box, QPalette::Base, colour); }

void input_look(QLineEdit* box) {
    box->setEnabled(true);
    box->setFrame(true);
    set_base(box, Qt::white);
}

void output_look(QLineEdit* box) {
    box->setEnabled(false);
    box->setFrame(false);
    set_base(box, panel_colour);
}

// Tab reaches a group of options at its selected one; the arrow keys move
// within the group.
void tab_to_selected_only(QButtonGroup* group) {
    const auto update = [group] {
        for (QAbstractButton* button : group->buttons())
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    update();
    QObject::connect(group, &QButtonGroup::buttonToggled, group, update);
}


}  // namespace vandrel::ui::controls
