// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What vandrel-solve knows of the build sheet. The sheet is drawn with Qt
// Gui, in a module of its own (vandrel_sheet) that vandrel-solve loads only
// when a sheet is asked for, so that its other runs start without loading
// Qt at all.

#include <map>
#include <string>

#include "vandrel/as_built/levels.h"
#include "vandrel/as_built/report.h"
#include "vandrel/window_model.h"

namespace vandrel::sheet {

/// The module's entry point: draws the sheet of `built`, the field texts
/// `texts` solved in `mode`, with the filter's `levels` at full scale where
/// given (may be null), as PDF into `pdf`; false when it could not be
/// drawn. It starts Qt Gui on the "offscreen" platform for the time it
/// takes, so no display is needed, and stops it again.
using WriteSheet = bool (*)(Mode mode, const std::map<Field, std::string>& texts, const as_built::AsBuilt& built,
                            const as_built::Levels* levels, std::string& pdf);

/// The entry point's name, and the module's name without prefix or suffix.
inline constexpr char write_sheet_symbol[] = "vandrel_write_sheet";
inline constexpr char sheet_module_name[] = "vandrel_sheet";

}  // namespace vandrel::sheet
