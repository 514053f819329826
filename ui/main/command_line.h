// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// vandrel's command line: --help and --version; the program takes nothing else
// of its own. Qt's options (-platform, -style, ...) are left for QApplication.

#include <QString>
#include <QStringList>

namespace vandrel::ui {

struct CommandLine {
    enum class Request { run, help, version, bad };
    Request request = Request::run;
    /// The usage text for help, the version for version, the reason for bad.
    QString text;
};

/// Reads the arguments, the program's name first, before QApplication
/// exists: Qt's own options are passed over, anything else unknown is bad.
CommandLine read_command_line(const QStringList& arguments);

/// Prints the answer to help or version on standard output (0), or the
/// reason and the usage for a bad command line on standard error (2).
int answer(const CommandLine& line);

}  // namespace vandrel::ui
