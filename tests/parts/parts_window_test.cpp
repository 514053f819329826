// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window: it follows the designs that the main window's Solve
// completes, is one window that closes with the main window, keeps the
// user's choices and its place between runs, writes files whole or says why
// not, says when parts cannot be built, and comes from its module.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "parts_window/frm_parts.h"
#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "file_dialogs.h"
#include "parts_page/parts_report.h"
#include "recording_sink.h"
#include "vandrel/texts/figures.h"
#include "widgets/value_box.h"
#include "vandrel/batch.h"

using vandrel::Field;
using vandrel::Mode;

Q_DECLARE_METATYPE(vandrel::Mode)

namespace {

// The one Parts window among the top-level windows, or nullptr.
frm_parts* parts_window() {
    frm_parts* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frm_parts*>(w)) {
            if (found) qFatal("more than one Parts window");
            found = p;
        }
    return found;
}

QString cell(const frm_parts* w, const char* name) { return w->report->cell(QLatin1String(name))->text(); }

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

}  // namespace

class PartsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void followsCompletedSolves_data();
    void followsCompletedSolves();
    void oneWindowThatClosesWithTheMainWindow();
    void choicesAndPlacePersist_data();
    void choicesAndPlacePersist();
    void savesFilesWholeOrSaysWhy_data();
    void savesFilesWholeOrSaysWhy();
    void savesThroughLinksNeverOverSpecialFiles();
    void failuresSaidInAWarningBox();
    void unbuildablePartsAreSaid();
    void spreadSaysOverHowManyBuilds();
    void buildSheetShowsTheWindowsParts();
    void comesFromItsModule_data();
    void comesFromItsModule();

private:
    QTemporaryDir settings_dir_;
    std::unique_ptr<RecordingSink> sink_;
};

void PartsWindowTest::initTestCase() {
    QVERIFY(settings_dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir_.path());
}

void PartsWindowTest::init() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel")).clear();
    sink_ = std::make_unique<RecordingSink>();
    // "Parts" makes the window directly; the module has its own test below.
    make_parts_window_here();
}

void PartsWindowTest::cleanup() {
    vandrel::ui::set_parts_factory({});
    vandrel::ui::set_save_dialog({});
    sink_.reset();
}

void PartsWindowTest::followsCompletedSolves_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("cfilter");
    QTest::addColumn<QString>("freq");
    QTest::addColumn<QString>("q");
    QTest::addColumn<bool>("closed");  // the Parts window is closed during the Solve
    QTest::addColumn<QString>("f0");  // of the section as built
    QTest::addColumn<QString>("r3");
    QTest::addColumn<Mode>("shown_mode");
    QTest::addColumn<int>("messages");

    const QString k = QStringLiteral(" k\u03a9");
    QTest::newRow("completed") << Mode::butterworth << "1.0" << "30" << "" << false << "29.43 Hz" << "3.9" + k
                               << Mode::butterworth << 0;
    QTest::newRow("completed while closed") << Mode::butterworth << "1.0" << "30" << "" << true << "29.43 Hz"
                                            << "3.9" + k << Mode::butterworth << 0;
    QTest::newRow("completed in another mode") << Mode::sos << "1.0" << "20" << "2" << false << "19.59 Hz" << "2" + k
                                               << Mode::sos << 0;
    // Solve has taken the new capacitor when the long field stops it.
    QTest::newRow("stopped: field too long") << Mode::butterworth << "2.2" << "1234567" << "" << false << "16.93 Hz"
                                             << "6.8" + k << Mode::butterworth << 1;
    QTest::newRow("stopped: no design") << Mode::sos << "1E-307" << "30" << "2" << false << "16.93 Hz" << "6.8" + k
                                        << Mode::butterworth << 1;
}

void PartsWindowTest::followsCompletedSolves() {
    QFETCH(Mode, mode);
    QFETCH(QString, cfilter);
    QFETCH(QString, freq);
    QFETCH(QString, q);
    QFETCH(bool, closed);

    frm_vandrel main;
    main.show();
    main.mnu_parts->trigger();
    frm_parts* parts = parts_window();
    QVERIFY(parts && parts->isVisible());
    QCOMPARE(cell(parts, "section_f0_built"), QStringLiteral("16.93 Hz"));
    QCOMPARE(cell(parts, "parts_r3_chosen"), QStringLiteral("6.8 k\u03a9"));

    if (closed) parts->close();
    main.mode_option(mode)->setChecked(true);
    main.txt_cfilter->setText(cfilter);
    main.txt_freq->setText(freq);
    if (!q.isEmpty()) main.txt_q->setText(q);
    main.Command1->click();
    if (closed) main.mnu_parts->trigger();

    QVERIFY(!parts->lbl_failure->isVisible());
    QTEST(cell(parts, "section_f0_built"), "f0");
    QTEST(cell(parts, "parts_r3_chosen"), "r3");
    QTEST(parts->figures().mode, "shown_mode");
    QTEST(static_cast<int>(sink_->messages.size()), "messages");
}

void PartsWindowTest::oneWindowThatClosesWithTheMainWindow() {
    frm_vandrel main;
    main.show();
    main.mnu_parts->trigger();
    frm_parts* first = parts_window();
    QVERIFY(first);
    main.mnu_parts->trigger();
    QCOMPARE(parts_window(), first);
    QCOMPARE(first->windowTitle(), QStringLiteral("Vandrel: parts and real response"));
    QVERIFY(!first->isModal());

    first->close();
    main.mnu_parts->trigger();
    QCOMPARE(parts_window(), first);
    QVERIFY(first->isVisible());

    main.close();
    QVERIFY(!first->isVisible());
}

void PartsWindowTest::choicesAndPlacePersist_data() {
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("combine");
    QTest::addColumn<double>("r_tol");
    QTest::addColumn<double>("c_tol");
    QTest::addColumn<double>("load");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("r4");  // the chosen R4, as the choices give it

    QTest::newRow("E96, two in parallel")
        << "E96" << "two in parallel" << 0.5 << 10.0 << 2.2 << QRect(40, 50, 700, 520) << "13.3 k\u03a9";
    QTest::newRow("as shown") << "as shown" << "single" << 0.0 << 20.0 << 0.6 << QRect(60, 30, 720, 560)
                              << "13.2 k\u03a9";
}

void PartsWindowTest::choicesAndPlacePersist() {
    QFETCH(QString, series);
    QFETCH(QRect, place);
    const vandrel::Module1 design = vandrel::solve_batch(Mode::butterworth, {}).design;
    {
        frm_parts w(nullptr);
        QCOMPARE(w.cbo_series->currentText(), QStringLiteral("E24"));  // nothing saved yet
        w.cbo_series->setCurrentText(series);
        QFETCH(QString, combine);
        w.cbo_combine->setCurrentText(combine);
        QFETCH(double, r_tol);
        QFETCH(double, c_tol);
        QFETCH(double, load);
        for (auto [box, value] : {std::pair{w.spn_r_tol, r_tol}, std::pair{w.spn_c_tol, c_tol}, std::pair{w.spn_load, load}}) {
            box->selectAll();
            QTest::keyClicks(box, QString::number(value));
            QTest::keyClick(box, Qt::Key_Return);
        }
        w.setGeometry(place);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    frm_parts again(nullptr);
    again.show_design(design, Mode::butterworth);
    again.show();
    QCOMPARE(again.cbo_series->currentText(), series);
    QTEST(again.cbo_combine->currentText(), "combine");
    QTEST(again.spn_r_tol->value(), "r_tol");
    QTEST(again.spn_c_tol->value(), "c_tol");
    QTEST(again.spn_load->value(), "load");
    QCOMPARE(again.geometry(), place);
    QTEST(cell(&again, "parts_r4_value"), "r4");
    QVERIFY(QFile::exists(settings_dir_.filePath(QStringLiteral("vandrel/vandrel.ini"))));
}

void PartsWindowTest::savesFilesWholeOrSaysWhy_data() {
    QTest::addColumn<QString>("command");  // object name of the button
    QTest::addColumn<QString>("name");     // path typed in the dialog, in a directory with "blocker" (a file) and "folder"
    QTest::addColumn<QByteArray>("start"); // how the file written starts; empty: nothing written
    QTest::addColumn<QByteArray>("holds"); // what else it holds
    QTest::addColumn<QString>("message");  // how the message box starts; "" for none

    const QByteArray none;
    const QString could_not = QStringLiteral("Could not save ");
    // The caption of the plot, and the context of the table.
    const QByteArray caption("Vandrel 1.01: Butterworth, C 1 \xc2\xb5" "F, gain 6 dB, f0 17 Hz, Q 0.707. R1 15 k\xce\xa9, "
                             "R3 6.8 k\xce\xa9, R4 13 k\xce\xa9, C 1 \xc2\xb5" "F twice; E24, \xc2\xb1" "1 % and");
    QTest::newRow("netlist") << "cmd_spice" << "out.cir" << QByteArray("* Vandrel 1.01: subsonic high-pass filter")
                             << QByteArray("\n* C1 = C2 = 1 uF, as typed\n") << "";
    QTest::newRow("CSV") << "cmd_csv" << "out.csv" << QByteArray("# Vandrel 1.01: response of the subsonic high-pass")
                         << QByteArray("\n# Parts: R1 15 k\xce\xa9, R3 6.8 k\xce\xa9, R4 13 k\xce\xa9, C 1 \xc2\xb5"
                                       "F twice\n# Choices: E24, single parts; capacitors as typed;")
                         << "";
    QTest::newRow("PNG") << "cmd_plot" << "out.png" << QByteArray("\x89PNG") << none << "";
    QTest::newRow("JPEG") << "cmd_plot" << "out.jpg" << QByteArray("\xff\xd8\xff") << none << "";
    QTest::newRow("JPEG, upper case") << "cmd_plot" << "out.JPEG" << QByteArray("\xff\xd8\xff") << none << "";
    QTest::newRow("SVG") << "cmd_plot" << "out.SVG" << QByteArray("<?xml") << caption << "";
    QTest::newRow("plot of another format") << "cmd_plot" << "out.bmp" << none << none
                                            << "The plot is saved as PNG (.png), JPEG (.jpg or .jpeg) or SVG (.svg)";
    QTest::newRow("plot without a suffix") << "cmd_plot" << "out" << none << none << "The plot is saved as PNG";
    QTest::newRow("build sheet") << "cmd_sheet" << "out.pdf" << QByteArray("%PDF-") << none << "";
    QTest::newRow("build sheet onto a directory") << "cmd_sheet" << "folder" << none << none << could_not;
    QTest::newRow("cancelled") << "cmd_spice" << "" << none << none << "";
    QTest::newRow("netlist below a file") << "cmd_spice" << "blocker/out.cir" << none << none << could_not;
    QTest::newRow("CSV onto a directory") << "cmd_csv" << "folder" << none << none << could_not;
    QTest::newRow("plot below a file") << "cmd_plot" << "blocker/out.svg" << none << none << could_not;
}

void PartsWindowTest::savesFilesWholeOrSaysWhy() {
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, holds);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir here(dir.path());
    QVERIFY(here.mkdir(QStringLiteral("folder")));
    QFile blocker(here.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly) && blocker.write("keep") == 4);
    blocker.close();
    const QString path = name.isEmpty() ? QString() : here.filePath(name);
    vandrel::ui::set_save_dialog([&path](QWidget*, const vandrel::ui::SaveRequest&) { return path; });

    frm_parts w(nullptr);
    w.show_design(vandrel::solve_batch(Mode::butterworth, {}).design, Mode::butterworth);
    w.show();
    w.findChild<QPushButton*>(command)->click();

    QStringList expected{QStringLiteral("blocker"), QStringLiteral("folder")};
    if (!start.isEmpty()) {
        expected << name;
        const QByteArray written = read_all(path);
        QCOMPARE(written.left(start.size()), start);
        QVERIFY2(written.contains(holds), written.left(2000).constData());
        // A picture under its caption, at twice the pixels.
        if (command == QLatin1String("cmd_plot") && start != "<?xml") {
            const QImage image = QImage::fromData(written);
            QCOMPARE(image.size(), QSize(2000, 1520));
            int dark = 0;
            for (int y = 0; y < 60; ++y)
                for (int x = 0; x < 400; ++x) dark += qGray(image.pixel(x, y)) < 100;
            QVERIFY2(dark > 200, "no caption");
        }
    }
    expected.sort();
    QCOMPARE(here.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), expected);
    QCOMPARE(read_all(blocker.fileName()), QByteArray("keep"));
    QCOMPARE(here.entryList(QStringList(QStringLiteral("folder")), QDir::Dirs).size(), 1);
    QCOMPARE(sink_->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) QVERIFY2(sink_->messages[0].startsWith(message), qPrintable(sink_->messages[0]));
}

// A save that fails says so in a box captioned "Vandrel" with a warning icon.
void PartsWindowTest::failuresSaidInAWarningBox() {
    sink_.reset();  // real message boxes
    QTemporaryDir dir;
    QFile blocker(QDir(dir.path()).filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = blocker.fileName() + QStringLiteral("/out.cir");
    vandrel::ui::set_save_dialog([&path](QWidget*, const vandrel::ui::SaveRequest&) { return path; });
    frm_parts w(nullptr);
    w.show_design(vandrel::solve_batch(Mode::butterworth, {}).design, Mode::butterworth);
    w.show();
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            icon = box->icon();
            box->accept();
        }
    });
    w.cmd_spice->click();
    QCOMPARE(title, QStringLiteral("Vandrel"));
    QCOMPARE(icon, QMessageBox::Warning);
}

void PartsWindowTest::savesThroughLinksNeverOverSpecialFiles() {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo")), link = dir.filePath(QStringLiteral("link.cir"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("target.cir"), link));  // leads to a file not there yet
    QString path;
    vandrel::ui::set_save_dialog([&path](QWidget*, const vandrel::ui::SaveRequest&) { return path; });
    frm_parts w(nullptr);
    w.show_design(vandrel::solve_batch(Mode::butterworth, {}).design, Mode::butterworth);
    w.show();

    path = fifo;
    w.findChild<QPushButton*>(QStringLiteral("cmd_spice"))->click();
    QCOMPARE(sink_->messages.size(), 1);
    QVERIFY2(sink_->messages[0].contains(QLatin1String("not a regular file")), qPrintable(sink_->messages[0]));
    struct stat st {};
    QVERIFY(::lstat(QFile::encodeName(fifo).constData(), &st) == 0 && S_ISFIFO(st.st_mode));

    path = link;
    w.findChild<QPushButton*>(QStringLiteral("cmd_spice"))->click();
    QCOMPARE(sink_->messages.size(), 1);
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(read_all(dir.filePath(QStringLiteral("target.cir"))).startsWith("* Vandrel 1.01"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name),
             QStringList({QStringLiteral("fifo"), QStringLiteral("link.cir"), QStringLiteral("target.cir")}));
#else
    QSKIP("links and FIFOs as POSIX has them");
#endif
}

void PartsWindowTest::spreadSaysOverHowManyBuilds() {
    // Near the feedback capacitor's corner only some builds' paths reach an f3.
    frm_parts w(nullptr);
    w.show_design(vandrel::solve_batch(Mode::butterworth, {{Field::freq, "700"}, {Field::gain, "12"}}).design,
                  Mode::butterworth);
    w.show();
    QVERIFY2(w.report->cell(QStringLiteral("tolerance_note"))->text().endsWith(
                 QStringLiteral("; the path's f3 over the 38 that reach one")),
             qPrintable(w.report->cell(QStringLiteral("tolerance_note"))->text()));
    QVERIFY(!w.report->cell(QStringLiteral("path_warning"))->text().isEmpty());
}

void PartsWindowTest::unbuildablePartsAreSaid() {
    // R3 is shown cut down to "0k" for this design.
    const auto outcome = vandrel::solve_batch(
        Mode::sos, {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "1"}});
    QCOMPARE(outcome.end, vandrel::SolveEnd::completed);
    frm_parts w(nullptr);
    w.cbo_series->setCurrentText(QStringLiteral("as shown"));
    w.show_design(outcome.design, Mode::sos);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.lbl_failure->isVisible());
    QCOMPARE(w.lbl_failure->text(), QStringLiteral("These parts cannot be built: R3 would be 0k: no filter can be "
                                                   "built from this value. Choose a series or \"exact\"."));
    QVERIFY(!w.report->isVisible());
    QVERIFY(!w.cmd_copy->isEnabled() && !w.cmd_spice->isEnabled());

    w.cbo_series->setCurrentText(QStringLiteral("E24"));
    QVERIFY(!w.lbl_failure->isVisible());
    QVERIFY(w.report->isVisible());
    w.cmd_copy->click();
    QVERIFY2(QApplication::clipboard()->text().startsWith(QStringLiteral("Parts (E24, single parts):\n  R1  15 k\u03a9  (exact")),
             qPrintable(QApplication::clipboard()->text()));
}

void PartsWindowTest::buildSheetShowsTheWindowsParts() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    vandrel::ui::SaveRequest asked;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& request) {
        asked = request;
        return path;
    });
    frm_parts w(nullptr);
    w.cbo_series->setCurrentText(QStringLiteral("E96"));
    w.cbo_combine->setCurrentText(QStringLiteral("two in series"));
    w.show_design(vandrel::solve_batch(Mode::sos, {{Field::freq, "20"}, {Field::q, "2"}}).design, Mode::sos);
    w.show();
    QCOMPARE(w.cmd_sheet->text(), QStringLiteral("Save &build sheet as PDF\u2026"));
    QCOMPARE(w.cmd_sheet->accessibleName(), QStringLiteral("Save build sheet as PDF"));
    w.cmd_sheet->click();
    QCOMPARE(asked.filters.value(0), QStringLiteral("PDF document (*.pdf)"));

    QProcess text;
    text.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(10000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    // The window's choices, its parts and its figures, with the design as
    // the fields hold it after Solve.
    for (const QString& expected :
         {QStringLiteral("parts from E96, one part or two in series, into 10 k\u03a9"),
          QStringLiteral("Mode: SOS User-specified"), QStringLiteral("Peak frequency 21.3 Hz"),
          w.report->cell(QStringLiteral("parts_r3_chosen"))->text(),
          QStringLiteral("Section f3 ") + QString::fromStdString(vandrel::texts::figure(w.figures().built->section.f3, 6)) +
              QStringLiteral(" Hz")})
        QVERIFY2(page.simplified().contains(expected), qPrintable(expected + QStringLiteral(" in:\n") + page));
}

void PartsWindowTest::comesFromItsModule_data() {
    QTest::addColumn<bool>("module_there");
    QTest::addColumn<QString>("failure");
    QTest::newRow("built module") << true << "";
    QTest::newRow("no module") << false << "The Parts window could not be loaded: vandrel_parts.so was not found in ";
}

void PartsWindowTest::comesFromItsModule() {
    QFETCH(bool, module_there);
    QFETCH(QString, failure);
    QTemporaryDir empty;
    const QString dir = module_there ? QFileInfo(QStringLiteral(VANDREL_PARTS_MODULE)).absolutePath() : empty.path();
    QString reason;
    std::unique_ptr<vandrel::ui::PartsWindow> window(vandrel::ui::load_parts_window(nullptr, nullptr, {dir}, &reason));
    QCOMPARE(window != nullptr, module_there);
    if (window) QCOMPARE(window->widget()->windowTitle(), QStringLiteral("Vandrel: parts and real response"));
    QVERIFY2(failure.isEmpty() ? reason.isEmpty() : reason.startsWith(failure), qPrintable(reason));

    // "Parts" in a program without its module says so and goes on.
    if (!module_there) {
        vandrel::ui::set_parts_factory({});
        frm_vandrel main;
        main.mnu_parts->trigger();
        QCOMPARE(sink_->messages.size(), 1);
        QVERIFY2(sink_->messages[0].startsWith(failure), qPrintable(sink_->messages[0]));
    }
}

QTEST_MAIN(PartsWindowTest)
#include "parts_window_test.moc"
