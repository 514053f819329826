// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's settings file (vandrel/vandrel.ini under the user's
// configuration directory), and what every page of the Parts window keeps
// there alike: the window's place and size, the panes' splitters and the
// folder files were last saved in.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <Qt>

#include <memory>

namespace vandrel::ui {

/// The settings file, opened afresh: each caller reads or writes it and
/// lets it go, so that every change is kept at once.
std::unique_ptr<QSettings> user_settings();

/// The Parts window's geometry as QWidget::saveGeometry gives it; empty if none.
QByteArray load_geometry();
void save_geometry(const QByteArray& geometry);

/// The size of a page's first pane (`pane`: "report", "subwoofer") that the
/// user chose by dragging the splitter, in logical pixels: its width beside
/// the plot (Horizontal), its height above it (Vertical); 0 when none was
/// chosen.
int load_pane_size(const QString& pane, Qt::Orientation orientation);
void save_pane_size(const QString& pane, Qt::Orientation orientation, int size);

/// The directory files were last saved in; the home directory at first.
QString load_directory();
void save_directory(const QString& directory);

}  // namespace vandrel::ui
