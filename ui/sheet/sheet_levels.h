// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The build sheet's block of the filter's levels at full scale: the
// highest level at each op-amp's output against their swing, and the level
// into the amplifier.

#include <QtGlobal>

#include "vandrel/as_built/levels.h"

namespace vandrel::sheet {

class Cursor;

/// Writes the levels `levels` at the cursor, `width` points wide: a row a
/// stage and one for the amplifier, then the source, the rails and the
/// matching gain in a line (their warnings are the window's and the command
/// line's, not the sheet's).
void levels_block(Cursor& cursor, const as_built::Levels& levels, qreal width);

}  // namespace vandrel::sheet
