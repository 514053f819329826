// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "command_line.h"
#include "frm_vandrel.h"

int main(int argc, char* argv[]) {
    // --help and --version are answered before the window system is opened,
    // so they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    vandrel::ui::CommandLine line = vandrel::ui::read_command_line(arguments);
    if (line.request != vandrel::ui::CommandLine::Request::run && line.request != vandrel::ui::CommandLine::Request::bad)
        return vandrel::ui::answer(line);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(VANDREL_APP_ID));
    // What was unknown may have been Qt's own options, which QApplication
    // has now taken out of the arguments.
    if (line.request == vandrel::ui::CommandLine::Request::bad) {
        line = vandrel::ui::read_command_line(QCoreApplication::arguments());
        if (line.request != vandrel::ui::CommandLine::Request::run) return vandrel::ui::answer(line);
    }
    frm_vandrel window;
    window.show();
    return QApplication::exec();
}
