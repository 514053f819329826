// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace vandrel::ui {
namespace {

// The role a widget is to have, set by make_picture and make_window.
constexpr char role_property[] = "vandrel_accessible_role";

// A picture: its role, name and description, and nothing inside it (a chart
// view's viewport and scroll bars say nothing to a listener).
class PictureInterface final : public QAccessibleWidget {
public:
    PictureInterface(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

// A combo box named as any other control is (its accessible name or its
// buddy's text), its current item as its value, the list it drops down as
// its part, and the same actions as Qt's own.
class ComboBoxInterface final : public QAccessibleWidget {
public:
    explicit ComboBoxInterface(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return current();
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) text = current();
        return text;
    }
    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable()) return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == box()->view()) return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit()) return 1;
        return -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(object()); }
    QString current() const { return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText(); }
};

QAccessibleInterface* interface_for(const QString& class_name, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (const QVariant role = widget->property(role_property); role.isValid()) {
        const auto r = static_cast<QAccessible::Role>(role.toInt());
        if (r == QAccessible::Window) return new QAccessibleWidget(widget, r);
        return new PictureInterface(widget, r);
    }
    if (class_name == QLatin1String("QComboBox")) return new ComboBoxInterface(static_cast<QComboBox*>(widget));
    return nullptr;
}

}  // namespace

void install_accessible_interfaces() {
    // Qt asks the factory installed last first, and keeps each one once.
    QAccessible::installFactory(interface_for);
}

void name_combo_box(QComboBox* box, const QString& name) {
    install_accessible_interfaces();
    box->setAccessibleName(name);
    box->view()->setAccessibleName(name);
}

void make_picture(QWidget* widget, QAccessible::Role role, const QString& name, const QString& description) {
    install_accessible_interfaces();
    widget->setProperty(role_property, static_cast<int>(role));
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

void make_window(QWidget* widget) {
    install_accessible_interfaces();
    widget->setProperty(role_property, static_cast<int>(QAccessible::Window));
}

void set_spoken_text(QLabel* label, const QString& caption, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text.isEmpty()   ? caption
                             : caption.isEmpty() ? text
                                                 : caption + QStringLiteral(": ") + text);
}

}  // namespace vandrel::ui
