// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where an output's name leads: through its links to a file, or to one of
// the program's standard streams; and one spelling for each file, so that
// two names of one file are known as one.

#include <filesystem>
#include <string>

#include "vandrel/files/output.h"

namespace vandrel::files::paths {

namespace fs = std::filesystem;

/// Where a name leads.
struct Resolved {
    Destination to = Destination::file;
    fs::path target;      ///< for a file: the name with every link followed
    std::string problem;  ///< why nothing may be written there; "" when it may
};

/// Follows the links of `given` to the file at their end, which need not
/// exist yet. A name of this program's descriptor 1 or 2 on the way
/// (/dev/stdout, /proc/self/fd/2, /dev/fd/1, /proc/PID/fd/1) is that
/// stream; one of any other descriptor is a problem.
Resolved resolve(const fs::path& given);

/// One spelling of the file `target` (links followed already) whether it
/// exists or not: absolute, lexically normal ("sub/../x" is "x"), with
/// the links of the folders on the way resolved.
fs::path identity(const fs::path& target);

}  // namespace vandrel::files::paths
