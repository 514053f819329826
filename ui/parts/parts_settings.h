// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Parts window remembers between runs: the user's choices and its
// place and size, in the user's settings file (vandrel/vandrel.ini under the
// user's configuration directory).

#include <QByteArray>
#include <QString>
#include <Qt>

#include "parts_model.h"

namespace vandrel::ui {

/// The choices as last saved; the defaults (E24, single, capacitors as
/// typed, 1 %, 5 %, 10 kOhm) where nothing usable is saved.
PartsChoices load_choices();
void save_choices(const PartsChoices& choices);

/// The window's geometry as QWidget::saveGeometry gives it; empty if none.
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
