// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving from the Parts window and opening files in it: the file dialogs,
// which tests replace so that nothing waits for a person, and writing a file
// whole or not at all.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>

class QWidget;

namespace vandrel::ui {

/// What a save dialog asks for.
struct SaveRequest {
    QString caption;      ///< "Save SPICE netlist"
    QString suggested;    ///< the path offered at first
    QStringList filters;  ///< "SPICE netlist (*.cir)", ...; the chosen one's suffix is added to a bare name
    /// Where the filter is given and taken, if the caller asks which the
    /// user chose: on the way in the filter selected at first ("" for the
    /// first), on the way out the one chosen.
    QString* chosen_filter = nullptr;
};

/// Asks where to save; returns the path, or "" when the user cancels.
using SaveDialog = std::function<QString(QWidget* parent, const SaveRequest& request)>;

/// Replaces the file dialog (an empty one restores Qt's file dialog).
void set_save_dialog(SaveDialog dialog);

/// Asks through the dialog in use.
QString ask_save_path(QWidget* parent, const SaveRequest& request);

/// What an open dialog asks for.
struct OpenRequest {
    QString caption;      ///< "Open driver file"
    QString start;        ///< the file or folder shown at first
    QStringList filters;  ///< "Driver files (*.txt *.json)", ...
};

/// Asks which file to open; returns its path, or "" when the user cancels.
using OpenDialog = std::function<QString(QWidget* parent, const OpenRequest& request)>;

/// Replaces the open dialog (an empty one restores Qt's file dialog).
void set_open_dialog(OpenDialog dialog);

/// Asks through the open dialog in use.
QString ask_open_path(QWidget* parent, const OpenRequest& request);

/// A path from the file dialogs as the engine's readers take it.
std::filesystem::path native_path(const QString& path);

/// Writes `bytes` to `path` through a temporary file that replaces it only
/// once it is complete, so a failure leaves any earlier file as it was and
/// nothing half-written. Returns "" on success, else the message for the
/// user.
QString write_whole(const QString& path, const QByteArray& bytes);

}  // namespace vandrel::ui
