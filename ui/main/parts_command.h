// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's "Parts": the one Parts window, loaded from its module on
// first use and kept up to date with every Solve that completes.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "parts_module.h"

class QWidget;

namespace vandrel::ui {

/// Makes the Parts window for `main_window`, which takes designs through
/// `design`, owned by the caller; nullptr, with the reason in `failure`,
/// when it cannot.
using PartsFactory = std::function<PartsWindow*(QWidget* main_window, MainWindowDesign* design, QString* failure)>;

/// How "Parts" makes its window: the program loads the module; tests make
/// the window directly. An empty factory restores the module.
void set_parts_factory(PartsFactory factory);

/// Loads the module from the first of `directories` that holds it and makes
/// the window; nullptr, with the reason, when it cannot.
PartsWindow* load_parts_window(QWidget* main_window, MainWindowDesign* design, const QStringList& directories,
                               QString* failure);

/// The directories the program looks in for the module: its own, then the
/// installed layout's.
QStringList parts_module_directories();

class PartsCommand {
public:
    PartsCommand() = default;
    ~PartsCommand();
    PartsCommand(const PartsCommand&) = delete;
    PartsCommand& operator=(const PartsCommand&) = delete;

    /// Notes a design that Solve completed in `mode`, and shows it in the
    /// window if there is one.
    void solved(const Module1& design, Mode mode);
    /// Brings the window up on `page`, making it first if need be, for
    /// `main_window` that takes designs through `design`; says why when it
    /// cannot be made.
    void open(QWidget* main_window, MainWindowDesign* design, WindowPage page);

private:
    PartsWindow* window_ = nullptr;
    std::optional<std::pair<Module1, Mode>> solved_;
};

}  // namespace vandrel::ui
