// SPDX-License-Identifier: GPL-3.0-or-later
#include "parts_command.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

#include "message_sink.h"
#include "module_entry.h"

namespace vandrel::ui {
namespace {

PartsFactory installed;

PartsWindow* from_module(QWidget* main_window, MainWindowDesign* design, QString* failure) {
    return load_parts_window(main_window, design, parts_module_directories(), failure);
}

}  // namespace

void set_parts_factory(PartsFactory factory) { installed = std::move(factory); }

QStringList parts_module_directories() {
    const QString own = QCoreApplication::applicationDirPath();
    QStringList directories{own, QDir::cleanPath(own + QLatin1Char('/') + QStringLiteral(VANDREL_PARTS_MODULE_DIR))};
    directories.removeDuplicates();  // one and the same where the module is installed beside the program
    return directories;
}

PartsWindow* load_parts_window(QWidget* main_window, MainWindowDesign* design, const QStringList& directories,
                               QString* failure) {
    const auto create = reinterpret_cast<CreatePartsWindow>(module_entry(
        parts_module_name, create_parts_window_symbol, directories, QStringLiteral("The Parts window"), failure));
    return create ? create(main_window, design) : nullptr;
}

PartsCommand::~PartsCommand() { delete window_; }

void PartsCommand::solved(const Module1& design, Mode mode) {
    solved_ = {design, mode};
    if (window_) window_->show_design(design, mode);
}

void PartsCommand::open(QWidget* main_window, MainWindowDesign* design, WindowPage page) {
    if (!window_) {
        QString failure;
        window_ = installed ? installed(main_window, design, &failure) : from_module(main_window, design, &failure);
        if (!window_) {
            message_sink().message(main_window, failure);
            return;
        }
        if (solved_) window_->show_design(solved_->first, solved_->second);
    }
    window_->show_page(page);
    QWidget* window = window_->widget();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace vandrel::ui
