// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Print" and "About" commands, on a stand-in client area.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "fakes.h"
#include "frmAbout.h"
#include "menu_commands.h"

using namespace vandrel::ui;
using namespace vandrel::ui::testing;

namespace {

/// Pages in a PDF file that Qt wrote (its page objects are not compressed).
int pdf_pages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    static const QRegularExpression page(QStringLiteral(R"(/Type\s*/Page(?![s\w]))"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // First: once loaded, the module stays.
    void print_without_its_module();
    void print_data();
    void print();
    void print_without_any_printer();

    void about_is_modal_and_comes_back_as_left();
    void about_closed_with_its_close_box_loads_anew();

private:
    RecordingSink sink;
    QWidget main_window;
    QLabel* client_area = nullptr;
};

void MenuCommandsTest::init() {
    // "Print" loads its module from beside the program.
    set_print_module_directories({QStringLiteral(VANDREL_PRINT_MODULE_DIR)});
    set_message_sink(&sink);
    sink.messages.clear();
    sink.questions.clear();
    main_window.resize(300, 150);
    client_area = new QLabel(QStringLiteral("client area"), &main_window);
    client_area->setGeometry(0, 20, 300, 130);
}

void MenuCommandsTest::cleanup() {
    set_printer_choice({});
    set_message_sink(nullptr);
    delete client_area;
    if (frmAbout::loaded())
        delete &frmAbout::instance();
}

// A program whose print module is missing says so and prints nothing.
void MenuCommandsTest::print_without_its_module() {
    const QTemporaryDir empty;
    set_print_module_directories({empty.path()});
    int chosen = 0;
    set_printer_choice([&](QPrinter&) { return ++chosen, true; });
    sink.answer = true;
    print_client_area(&main_window, client_area);
    QCOMPARE(chosen, 0);
    QCOMPARE(sink.messages.size(), std::size_t{1});
    QCOMPARE(sink.messages[0].second, QStringLiteral("Printing could not be loaded: vandrel_print.so was not found in ") +
                                          QDir::toNativeSeparators(empty.path()) + QStringLiteral("."));
}

void MenuCommandsTest::print_data() {
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("output");   // where the printer writes, relative to a fresh folder
    QTest::addColumn<int>("pages");        // -1: no file
    QTest::addColumn<QString>("message");  // "" for none

    QTest::newRow("No prints nothing") << false << "page.pdf" << -1 << QString();
    QTest::newRow("Yes prints one page") << true << "page.pdf" << 1 << QString();
    QTest::newRow("printer that cannot start")
        << true << "missing/folder/page.pdf" << -1 << "Printing failed: the printer could not be started.";
}

void MenuCommandsTest::print() {
    QFETCH(bool, answer);
    QFETCH(QString, output);
    QFETCH(int, pages);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString path = dir.filePath(output);
    int chosen = 0;
    QString job_name;
    set_printer_choice([&](QPrinter& printer) {
        ++chosen;
        job_name = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
    sink.answer = answer;
    if (!message.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    main_window.show();
    print_client_area(&main_window, client_area);

    QCOMPARE(sink.questions.size(), std::size_t{1});
    QCOMPARE(sink.questions[0].first, &main_window);
    QCOMPARE(sink.questions[0].second,
             QStringLiteral("Would you like me to ...|Print this form using current printer settings?"));
    QCOMPARE(chosen, answer ? 1 : 0);
    QCOMPARE(job_name, answer ? QStringLiteral("Vandrel") : QString());
    QCOMPARE(pdf_pages(path), pages);
    if (message.isEmpty()) {
        QVERIFY(sink.messages.empty());
    } else {
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QCOMPARE(sink.messages[0].first, &main_window);
        QCOMPARE(sink.messages[0].second, message);
    }
}

void MenuCommandsTest::print_without_any_printer() {
    // Both the choice that finds nothing and, on a machine with no printer
    // queue, the system's default printer.
    QList<bool> system_default{false};
    if (QPrinterInfo::defaultPrinter().isNull())
        system_default.push_back(true);
    for (const bool use_system : system_default) {
        sink.messages.clear();
        set_printer_choice(use_system ? PrinterChoice{} : [](QPrinter&) { return false; });
        print_client_area(&main_window, client_area);
        QCOMPARE(sink.messages.size(), std::size_t{1});
        QCOMPARE(sink.messages[0].second, QStringLiteral("Printing failed: no printer is installed."));
    }
}

void MenuCommandsTest::about_is_modal_and_comes_back_as_left() {
    main_window.show();
    QPointer<QWidget> seen_modal;
    QPoint moved_to(21, 34);
    // While the window is open: note the modal window, move it, press Esc.
    QTimer::singleShot(0, this, [&] {
        seen_modal = QApplication::activeModalWidget();
        if (seen_modal) {
            seen_modal->move(moved_to);
            QTest::keyClick(seen_modal, Qt::Key_Escape);
        }
    });
    show_about(&main_window);
    QVERIFY(frmAbout::loaded());
    frmAbout* about = &frmAbout::instance();
    QCOMPARE(seen_modal.data(), about);
    QVERIFY(!about->isVisible());
    QCOMPARE(about->parentWidget(), &main_window);

    // The second time: the same window, where it was left.
    QPoint seen_at;
    QTimer::singleShot(0, this, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen_at = modal->pos();
            QTest::mouseClick(modal->findChild<QWidget*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        }
    });
    show_about(&main_window);
    QCOMPARE(&frmAbout::instance(), about);
    QCOMPARE(seen_at, moved_to);
}

void MenuCommandsTest::about_closed_with_its_close_box_loads_anew() {
    main_window.show();
    QTimer::singleShot(0, this, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    show_about(&main_window);
    QVERIFY(!frmAbout::loaded());
}

QTEST_MAIN(MenuCommandsTest)
#include "menu_commands_test.moc"
