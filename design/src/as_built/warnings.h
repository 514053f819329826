// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What is unusual about a build that still works.

#include <vector>

#include "vandrel/as_built/report.h"

namespace vandrel::as_built {

/// Parts outside the values where they are common, then the fixed corners
/// of the path (input coupling, feedback capacitor) where they move the
/// path's f3 by more than 5 % or leave it none.
std::vector<Warning> build_warnings(const AsBuilt& built);

}  // namespace vandrel::as_built
