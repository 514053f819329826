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

// Qt's own options, which QApplication takes out of the arguments: those
// that take the next argument as their value, and those that take none.
// Either may be written with one dash or two, and a value also after "=".
const QStringList qt_options_with_value{
    QStringLiteral("platform"),   QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),     QStringLiteral("qwindowgeometry"),    QStringLiteral("geometry"),
    QStringLiteral("qwindowicon"), QStringLiteral("icon"),              QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),      QStringLiteral("session"),            QStringLiteral("display"),
    QStringLiteral("name"),       QStringLiteral("style"),              QStringLiteral("stylesheet"),
    QStringLiteral("qmljsdebugger")};
const QStringList qt_flags{QStringLiteral("reverse"), QStringLiteral("nograb"), QStringLiteral("dograb"),
                           QStringLiteral("sync"), QStringLiteral("widgetcount")};

// The arguments without Qt's own options; `missing` names an option of Qt's
// that its value is missing from.
QStringList without_qt_options(const QStringList& arguments, QString& missing) {
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (i == 0 || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("--")) {
            out << arg;
            if (arg == QLatin1String("--")) out << arguments.mid(i + 1);
            if (arg == QLatin1String("--")) break;
            continue;
        }
        const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
        const bool has_value = arg.contains(QLatin1Char('='));
        if (qt_flags.contains(name) && !has_value) continue;
        if (qt_options_with_value.contains(name)) {
            if (!has_value && ++i == arguments.size()) missing = arg;
            continue;
        }
        out << arg;
    }
    return out;
}

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
    QString missing;
    const QStringList own = without_qt_options(arguments, missing);
    if (!missing.isEmpty()) return bad(QStringLiteral("Qt's option '%1' needs a value.").arg(missing));
    if (!p.parser.parse(own)) return bad(p.parser.errorText());
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
