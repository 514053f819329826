// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the page of parts remembers between runs: the user's choices, in the
// user's settings file (common/user_settings.h).

#include "parts_model.h"

namespace vandrel::ui {

/// The choices as last saved; the defaults (E24, single, capacitors as
/// typed, 1 %, 5 %, 10 kOhm, a 2 V source, +-15 V rails, no amplifier
/// sensitivity) where nothing usable is saved.
PartsChoices load_choices();
void save_choices(const PartsChoices& choices);

}  // namespace vandrel::ui
