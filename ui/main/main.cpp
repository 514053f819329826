// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "command_line.h"
#include "frm_vandrel.h"

int main(int argc, char* argv[]) {
    // The whole command line is read before the window system is opened, so
    // --help, --version and a bad line are answered without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const vandrel::ui::CommandLine line = vandrel::ui::read_command_line(arguments);
    if (line.request != vandrel::ui::CommandLine::Request::run) return vandrel::ui::answer(line);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(VANDREL_APP_ID));
    frm_vandrel window;
    window.show();
    return QApplication::exec();
}
