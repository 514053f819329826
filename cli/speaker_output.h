// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel-solve's report of the subwoofer: a JSON object, a few lines for
// people.

#include <nlohmann/json.hpp>

#include <iosfwd>

#include "speaker_options.h"

namespace vandrel::cli {

/// The "speaker" object: driver, box, drive, both drives' figures, the
/// unsafe range, the suggestion and the warnings.
nlohmann::ordered_json speaker_json(const SpeakerReport& report);

/// The same for people.
void print_speaker(std::ostream& out, const SpeakerReport& report);

}  // namespace vandrel::cli
