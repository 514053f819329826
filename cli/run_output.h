// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where vandrel-solve writes what a run gives: its files and
// its report, all of them or none, and standard output checked.

#include <iosfwd>
#include <string>
#include <vector>

#include "vandrel/files/output.h"

namespace vandrel::cli {

/// What a run prints: text for people, or one JSON object for programs.
struct Report {
    std::string text;
    bool json = false;
};

/// Writes `outputs` and the report together, so that a failure of any of
/// them, standard output's too, leaves no file changed. The report goes to
/// standard output; when an output goes there itself ("-", /dev/stdout), a
/// report for people goes to standard error instead, once the files are
/// written, and a JSON report is refused (the two could not be read
/// apart). Returns `status` when all is written, else 2 after a message on
/// `errors`.
int write_run(std::vector<files::Output> outputs, const Report& report, int status, const files::Streams& streams,
              std::ostream& errors);

/// Writes `text` (the help, the version) to standard output: `status`, or
/// 2 after a message on `errors` when standard output does not take it.
int print(const std::string& text, int status, const files::Streams& streams, std::ostream& errors);

}  // namespace vandrel::cli
