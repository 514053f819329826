// SPDX-License-Identifier: GPL-3.0-or-later
// vandrel's own command line, read before QApplication exists.

#include <QtTest>

#include "command_line.h"

using vandrel::ui::CommandLine;
using Request = CommandLine::Request;
Q_DECLARE_METATYPE(Request)

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void reads_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Request>("request");
        QTest::addColumn<QString>("text_starts");
        QTest::newRow("nothing") << QStringList{} << Request::run << QString();
        QTest::newRow("--version") << QStringList{"--version"} << Request::version << "1.01\n";
        QTest::newRow("-v") << QStringList{"-v"} << Request::version << "1.01\n";
        QTest::newRow("--help") << QStringList{"--help"} << Request::help << "Usage: vandrel [options]\n";
        QTest::newRow("-h wins over -v") << QStringList{"-v", "-h"} << Request::help << "Usage: vandrel";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << Request::bad << "Unknown option 'bogus'.\n\nUsage:";
        QTest::newRow("a file") << QStringList{"design.txt"} << Request::bad
                                << "Unexpected argument 'design.txt': vandrel opens no files.\n\nUsage:";
        // Qt's own options are left to QApplication, with their values.
        QTest::newRow("Qt options") << QStringList{"-platform", "offscreen", "--style=Fusion", "-reverse"}
                                    << Request::run << QString();
        QTest::newRow("Qt option then a file") << QStringList{"-style", "x", "y"} << Request::bad
                                               << "Unexpected argument 'y'";
        QTest::newRow("Qt option without its value") << QStringList{"-platform"} << Request::bad
                                                     << "Qt's option '-platform' needs a value.\n\nUsage:";
    }

    void reads() {
        QFETCH(QStringList, arguments);
        QFETCH(Request, request);
        QFETCH(QString, text_starts);
        arguments.prepend(QStringLiteral("/usr/bin/vandrel"));
        const CommandLine line = vandrel::ui::read_command_line(arguments);
        QCOMPARE(line.request, request);
        QVERIFY2(line.text.startsWith(text_starts), qPrintable(line.text));
        if (request == Request::help || request == Request::bad)
            QVERIFY2(line.text.contains(QLatin1String("  -v, --version")), qPrintable(line.text));
    }
};

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
