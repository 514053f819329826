// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <QCommandLineParser>

#include <cstdio>

#include "qtext.h"
#include "vandrel/window_model.h"

namespace vandrel::ui {
namespace {

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Designs the second-order active high-pass filter ahead of a subwoofer amplifier.\n"
                           "The window opens on the solved default design; vandrel-solve solves from the "
                           "command line."));
        parser.addOption(help);
        parser.addOption(version);
    }

    // The parser names the program by the path it was started with, or not
    // at all before QApplication exists: the usage line names it here.
    QString usage() const {
        const QString text = parser.helpText();
        return QStringLiteral("Usage: vandrel [options]") + text.mid(text.indexOf(QLatin1Char('\n')));
    }
};

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

}  // namespace

CommandLine read_command_line(const QStringList& arguments) {
    Parser p;
    const auto bad = [&p](const QString& reason) {
        return CommandLine{CommandLine::Request::bad, reason + QLatin1String("\n\n") + p.usage()};
    };
    if (!p.parser.parse(arguments)) return bad(p.parser.errorText());
    if (p.parser.isSet(p.help)) return {CommandLine::Request::help, p.usage()};
    if (p.parser.isSet(p.version)) return {CommandLine::Request::version, to_qstring(program_version) + QLatin1Char('\n')};
    if (!p.parser.positionalArguments().isEmpty())
        return bad(QStringLiteral("Unexpected argument '%1': vandrel opens no files.")
                       .arg(p.parser.positionalArguments().constFirst()));
    return {};
}

int answer(const CommandLine& line) {
    if (line.request == CommandLine::Request::bad) {
        print(stderr, QStringLiteral("vandrel: ") + line.text);
        return 2;
    }
    print(stdout, line.text);
    return 0;
}

}  // namespace vandrel::ui
