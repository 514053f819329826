// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message sink that records every box instead of showing it.

#include <QString>
#include <QStringList>

#include <functional>

#include "message_sink.h"

class RecordingSink final : public vandrel::ui::MessageSink {
public:
    RecordingSink() { vandrel::ui::set_message_sink(this); }
    ~RecordingSink() override { vandrel::ui::set_message_sink(nullptr); }
    RecordingSink(const RecordingSink&) = delete;
    RecordingSink& operator=(const RecordingSink&) = delete;

    void message(QWidget*, const QString& text) override {
        messages << text;
        if (on_message) on_message(text);
    }
    bool ask_yes_no(QWidget*, const QString& title, const QString& prompt) override {
        questions << title + QLatin1Char('|') + prompt;
        return answer;
    }

    QStringList messages;
    QStringList questions;
    bool answer = false;
    /// Runs while a message box would be open, to look at the window then.
    std::function<void(const QString&)> on_message;
};
