// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_keys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace vandrel::ui {
namespace {

// Draws the entry the keyboard is on highlighted, as an open menu's is.
// Some styles (Fusion) highlight an entry only while its menu is open, and
// the entries here open none.
class KeyboardEntryStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
            QStyleOptionMenuItem chosen = *item;
            chosen.state |= State_Sunken;
            QProxyStyle::drawControl(element, &chosen, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

void take_menu_bar_on_f10(QMenuBar* bar) {
    auto* style = new KeyboardEntryStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(bar);
    bar->setStyle(style);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        // The menu bar enters and leaves its keyboard mode on Alt pressed and
        // released alone, which it watches for on its window: play it that.
        // (A key event of the Alt key itself reports Alt as the modifier it
        // changes, so it is made without one.)
        QKeyEvent alt_pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(bar->window(), &alt_pressed);
        QKeyEvent alt_released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(bar->window(), &alt_released);
    });
}

}  // namespace vandrel::ui
