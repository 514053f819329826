// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's message boxes go. The running program shows real modal
// boxes; tests install a sink that records and answers without blocking.

#include <QString>

class QWidget;

namespace vandrel::ui {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    /// A modal box with one text, an OK button only, no icon and the caption
    /// "vandrel"; returns when it is closed.
    virtual void message(QWidget* parent, const QString& text) = 0;
    /// A modal Yes/No question with a question-mark icon, Yes the default;
    /// true when the answer is Yes.
    virtual bool ask_yes_no(QWidget* parent, const QString& title, const QString& prompt) = 0;
    /// A modal box saying that something could not be done, as the Parts
    /// window says it: the caption "Vandrel", a warning icon, an OK button
    /// only. A sink that only records takes it as message().
    virtual void warning(QWidget* parent, const QString& text) { message(parent, text); }
};

/// The sink in use: real message boxes unless a test installed its own.
MessageSink& message_sink();

/// Installs `sink` (nullptr: back to real message boxes). The caller keeps
/// ownership and must uninstall it before destroying it.
void set_message_sink(MessageSink* sink);

}  // namespace vandrel::ui
