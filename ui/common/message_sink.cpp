// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_sink.h"

#include <QMessageBox>

#include "qtext.h"
#include "vandrel/window_model.h"

namespace vandrel::ui {
namespace {

class ModalBoxes final : public MessageSink {
public:
    void message(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, to_qstring(app_title), text,
                        QMessageBox::Ok, parent);
        box.exec();
    }
    void warning(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Vandrel"), text, QMessageBox::Ok, parent);
        box.exec();
    }
    bool ask_yes_no(QWidget* parent, const QString& title, const QString& prompt) override {
        QMessageBox box(QMessageBox::Question, title, prompt, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }
};

ModalBoxes modal_boxes;
MessageSink* installed = nullptr;

}  // namespace

MessageSink& message_sink() { return installed ? *installed : modal_boxes; }

void set_message_sink(MessageSink* sink) { installed = sink; }

}  // namespace vandrel::ui
