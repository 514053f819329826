// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A design file as the windows hold it: the main window's mode and fields,
// the parts chosen, the subwoofer's inputs and the measurement shown.
// Plain C++; the Parts window's "Open design…" and "Save design…" only
// gather and spread it.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "parts_page/parts_model.h"
#include "subwoofer_page/speaker_model.h"
#include "vandrel/project/design_file.h"
#include "vandrel/window_model.h"

namespace vandrel::ui {

/// Every input of a design, as the windows hold it.
struct WindowDesign {
    Mode mode = Mode::butterworth;
    std::map<Field, std::string> fields;  ///< the main window's six texts (UTF-8)
    PartsChoices choices;
    SpeakerInputs speaker;  ///< with the driver's Pe
    std::filesystem::path measurement;  ///< the measurement shown; empty for none
};

/// The design file of `window`, to be written in `folder`: every field's
/// text; the box's tuning and port only for a vented box, the drive and the
/// amplifier's most as they are chosen, the port air limit only with a
/// port, Ql "none" for no leakage; the measurement relative to
/// `folder` where it lies there or below.
project::Design design_of(const WindowDesign& window, const std::filesystem::path& folder);

/// What the windows make of a design file.
struct WindowDesignRead {
    std::optional<WindowDesign> window;
    std::string problem;  ///< when there is none: what is wrong, naming the value ("parts.r_tol: ...")
};

/// The windows' inputs from `design`, read from a file in `folder`. Every
/// value is read as its field reads a typed one (units too), and one a
/// field refuses refuses the whole design. What the file leaves out is as
/// vandrel-solve takes it: the main window's fields and the mode as the
/// window starts (Butterworth), the parts choices' defaults (E24, single,
/// 1 %, 5 %, 10 kOhm, as typed, a 2 V source, +-15 V, no amplifier
/// sensitivity), no driver values, a vented box where fb is
/// given (else sealed) with Ql 7 (sealed: none), 2.83 V, the amplifier's
/// most the drive, a port air limit of 17 m/s, no measurement. A
/// relative measurement path is taken from `folder`.
WindowDesignRead window_design(const project::Design& design, const std::filesystem::path& folder);

/// A path from UTF-8, and back.
std::filesystem::path path_of_utf8(const std::string& utf8);
std::string utf8_of(const std::filesystem::path& path);

}  // namespace vandrel::ui
