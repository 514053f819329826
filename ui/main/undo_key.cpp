// SPDX-License-Identifier: GPL-3.0-or-later
#include "undo_key.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace vandrel::ui {
namespace {

// Lets the window's Undo through a field that has nothing to undo: a field
// takes the key whether or not it has typing to undo.
class FieldUndo final : public QObject {
public:
    FieldUndo(QObject* parent, std::function<bool()> can_undo) : QObject(parent), can_undo_(std::move(can_undo)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || !key->matches(QKeySequence::Undo) || field->isUndoAvailable() || !can_undo_())
            return false;
        key->ignore();
        return true;
    }

private:
    std::function<bool()> can_undo_;
};

}  // namespace

void take_undo_key(QWidget* window, std::initializer_list<QLineEdit*> fields, std::function<bool()> can_undo,
                   std::function<void()> undo) {
    auto* key = new QShortcut(QKeySequence::Undo, window);
    QObject::connect(key, &QShortcut::activated, window, [can_undo, undo] {
        if (can_undo()) undo();
    });
    auto* filter = new FieldUndo(window, std::move(can_undo));
    for (QLineEdit* field : fields) field->installEventFilter(filter);
}

}  // namespace vandrel::ui
