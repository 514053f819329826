// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window's tests do around every test: settings of their
// own, emptied before each test; message boxes recorded instead of shown;
// the file dialogs and the window's maker put back afterwards.

#include <QObject>
#include <QTemporaryDir>

#include <memory>

#include "file_dialogs.h"
#include "parts_command.h"
#include "parts_test_helpers.h"
#include "recording_sink.h"

class PartsTestCase : public QObject {
    Q_OBJECT

protected:
    /// The message boxes the test's windows showed, in order.
    std::unique_ptr<RecordingSink> sink_;

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() {
        clear_settings();
        sink_ = std::make_unique<RecordingSink>();
    }
    void cleanup() {
        vandrel::ui::set_open_dialog({});
        vandrel::ui::set_save_dialog({});
        vandrel::ui::set_parts_factory({});
        sink_.reset();
    }

private:
    QTemporaryDir settings_dir_;
};
