// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Subwoofer page remembers between runs, beside the Parts
// window's choices: its inputs and the last driver and measurement files.

#include <QString>

#include "speaker_model.h"

namespace vandrel::ui {

/// The inputs as last saved; each value that is missing, unreadable or
/// beyond its field's range is the default (none; vented, 2.83 V; Ql the
/// box's default unless one was typed).
SpeakerInputs load_speaker_inputs();
void save_speaker_inputs(const SpeakerInputs& inputs);

/// The driver file last opened or saved, and the measurement in use ("" for
/// none).
QString load_driver_path();
void save_driver_path(const QString& path);
QString load_measurement_path();
void save_measurement_path(const QString& path);

}  // namespace vandrel::ui
