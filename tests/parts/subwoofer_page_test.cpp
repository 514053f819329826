// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's Subwoofer page: a driver typed or opened from a file
// (a bad one refused with its line, the inputs left as they were), the page
// following the main window's Solve and the parts chosen, a measurement
// opened and cleared, its inputs kept between runs, and its own files saved
// ("Use this design": subwoofer_design_test.cpp).
//
// The figures are those vandrel-solve prints for the same system (the
// README's 12-inch driver in a 70 L box tuned to 27 Hz with a 15 cm port at
// 30 V), with exact parts.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "file_dialogs.h"
#include "parts_test_case.h"
#include "parts_test_helpers.h"
#include "recording_sink.h"
#include "subwoofer_test_helpers.h"
#include "widgets/report_table.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/value_box.h"

using vandrel::Field;
using vandrel::Mode;
using vandrel::ui::SubwooferPage;


class SubwooferPageTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void driverTypedOrOpened_data();
    void driverTypedOrOpened();
    void noFilterWhereNothingCanBeMade();
    void followsSolveAndParts_data();
    void followsSolveAndParts();
    void measurementOpenedAndCleared();
    void inputsKept_data();
    void inputsKept();
    void savesItsOwnFiles_data();
    void savesItsOwnFiles();

private:
};

void SubwooferPageTest::driverTypedOrOpened_data() {
    QTest::addColumn<QString>("typed");     // field=text;... typed in turn; "" to open `file` instead
    QTest::addColumn<QByteArray>("file");   // its text; "folder" for a folder
    QTest::addColumn<QString>("message");   // the message box; "" for none
    QTest::addColumn<QString>("fs");        // the fs field after
    QTest::addColumn<QString>("problems");  // how the page's problems start; "" for none shown
    QTest::addColumn<QString>("note");      // the line under the fs field; "" for none shown
    QTest::addColumn<QString>("f3");        // with the filter; "" for no figures

    const QByteArray none;
    QTest::newRow("typed") << "spn_fs=26;spn_qes=0.48;spn_qms=6.2;spn_vas=68;spn_re=3.3;spn_sd=480;spn_xmax=12.5;spn_le=1.6"
                           << none << "" << "26" << "" << "" << "26.17 Hz";
    QTest::newRow("typed, Qts alone and no Le")
        << "spn_fs=26;spn_qts=0.4455;spn_vas=68;spn_re=3.3;spn_sd=480;spn_xmax=12.5" << none << "" << "26" << ""
        << "" << "26.22 Hz";
    QTest::newRow("typed, fs refused") << "spn_qes=0.48;spn_vas=68;spn_re=3.3;spn_sd=480;spn_xmax=12.5;spn_fs=2,6"
                                       << none << "" << "2,6" << ""
                                       << "fs: \u201c2,6\u201d is not a number. Type one from 0.1 to 20000 Hz, with "
                                          "\u201c.\u201d as the decimal point. The figures keep 31 Hz."
                                       << "30.76 Hz";
    QTest::newRow("typed, then Xmax taken away")
        << "spn_fs=26;spn_qes=0.48;spn_qms=6.2;spn_vas=68;spn_re=3.3;spn_sd=480;spn_xmax=12.5;spn_xmax=" << none << ""
        << "26" << "Give Xmax to see what the subwoofer does." << "" << "";
    QTest::newRow("typed, too few") << "spn_qes=0.48" << none << "" << "31"
                                    << "Give Vas, Re, Sd and Xmax to see what the subwoofer does." << "" << "";
    QTest::newRow("opened") << "" << QByteArray(twelve_inch) << "" << "26" << "" << "" << "26.17 Hz";
    QTest::newRow("opened, JSON") << "" << QByteArray(R"({"fs": 26, "qes": 0.48, "qms": 6.2, "vas": 68, "re": 3.3,
        "sd": 480, "xmax": 12.5, "le": 1.6})") << "" << "26" << "" << "" << "26.17 Hz";
    QTest::newRow("opened, Xmax missing") << "" << QByteArray("fs = 26\nqts = 0.45\nvas = 68\nre = 3.3\nsd = 480\n")
                                          << "" << "26" << "Give Xmax to see what the subwoofer does." << "" << "";
    QTest::newRow("not a number") << "" << QByteArray("# twelve\nfs = 2,6 Hz\n") << "d.txt cannot be used as a driver "
                                     "file: line 2: fs must be a number (in Hz), not \"2,6 Hz\". The driver's values "
                                     "are as they were." << "31" << "Give Qes (or Qts)" << "" << "";
    QTest::newRow("cannot exist") << "" << QByteArray("fs = 26\nvas = 68\nxmax = 2000\n")
                                  << "d.txt cannot be used as a driver file: line 3: Xmax of 2000 mm is too large for "
                                     "anything real (at most 1000 mm). The driver's values are as they were."
                                  << "31" << "Give Qes (or Qts)" << "" << "";
    QTest::newRow("Q values that do not fit") << "" << QByteArray("qes = 0.4\nqts = 0.5\nfs=26\nvas=68\nre=3.3\nsd=480\nxmax=9\n")
                                              << "d.txt cannot be used as a driver file: line 2: Qts 0.5 cannot be "
                                                 "above Qes 0.4. The driver's values are as they were."
                                              << "31" << "Give Qes (or Qts)" << "" << "";
    QTest::newRow("a folder") << "" << QByteArray("folder") << "d.txt cannot be used as a driver file: it is a folder. "
                                                              "The driver's values are as they were."
                              << "31" << "Give Qes (or Qts)" << "" << "";
    QTest::newRow("too large") << "" << QByteArray(70000, '#') << "d.txt cannot be used as a driver file: it is larger "
                                                                  "than 64 KiB. The driver's values are as they were."
                               << "31" << "Give Qes (or Qts)" << "" << "";
}

void SubwooferPageTest::driverTypedOrOpened() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    keep();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.txt"));
    if (file == "folder")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("d.txt")));
    else if (typed.isEmpty())
        write(dir, QStringLiteral("d.txt"), file);
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;

    if (typed.isEmpty()) page.cmd_open_driver->click();
    for (const QString& entry : typed.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList pair = entry.split(QLatin1Char('='));
        type(page.findChild<QWidget*>(pair[0]), pair[1]);
    }
    QCOMPARE(sink_->messages.join(QLatin1Char('|')), message);
    QTEST(page.spn_fs->findChild<QLineEdit*>()->text(), "fs");
    QFETCH(QString, problems);
    QVERIFY2(problems.isEmpty() ? page.lbl_problems->isHidden() : page.lbl_problems->text().startsWith(problems),
             qPrintable(page.lbl_problems->text()));
    QFETCH(QString, note);
    QCOMPARE(page.note_of(page.spn_fs)->text(), note);
    QCOMPARE(page.note_of(page.spn_fs)->isVisibleTo(&page), !note.isEmpty());
    QFETCH(QString, f3);
    QCOMPARE(page.table->isVisibleTo(&page), !f3.isEmpty());
    // Hidden, the figures say nothing (a screen reader would read them).
    QCOMPARE(cell(page, "system_f3_with"), f3);
}

// A design that Solve completes but no parts can make, not even exact ones:
// the page says why there are no figures.
void SubwooferPageTest::noFilterWhereNothingCanBeMade() {
    keep();
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("twelve.txt"), twelve_inch);
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    const auto design = vandrel::solve_batch(Mode::sos, {{Field::cfilter, "1E-300"}, {Field::freq, "1"}}).design;
    auto w = on_subwoofer_page(design, Mode::sos);
    SubwooferPage& page = *w->subwoofer;
    page.cmd_open_driver->click();
    QVERIFY2(page.lbl_problems->text().startsWith(
                 QStringLiteral("No filter to put ahead of the subwoofer: C would be 1e-300 uF, outside the 1 pF")),
             qPrintable(page.lbl_problems->text()));
    QVERIFY(!page.table->isVisibleTo(&page));
}

void SubwooferPageTest::followsSolveAndParts_data() {
    QTest::addColumn<QString>("freq");       // solved in the main window, Butterworth
    QTest::addColumn<QString>("series");     // then chosen on the first page
    QTest::addColumn<bool>("shown");         // the Subwoofer page shown during the Solve
    QTest::addColumn<QString>("f3");         // with the filter
    QTest::addColumn<QString>("spl20");      // with the filter
    QTest::addColumn<QString>("unsafe");

    QTest::newRow("start design") << "17" << "exact" << true << "26.17 Hz" << "98.84 dB (1.95 dB lost)"
                                  << "Beyond Xmax (12.5 mm) with the filter: up to 21.44 Hz";
    QTest::newRow("30 Hz") << "30" << "exact" << true << "30.67 Hz" << "92.84 dB (7.95 dB lost)"
                           << "Beyond Xmax (12.5 mm) with the filter: never";
    QTest::newRow("30 Hz, page hidden") << "30" << "exact" << false << "30.67 Hz" << "92.84 dB (7.95 dB lost)"
                                        << "Beyond Xmax (12.5 mm) with the filter: never";
    QTest::newRow("E24 parts") << "17" << "E24" << true << "26.33 Hz" << "98.68 dB (2.11 dB lost)"
                               << "Beyond Xmax (12.5 mm) with the filter: up to 21.31 Hz";
}

void SubwooferPageTest::followsSolveAndParts() {
    QFETCH(QString, freq);
    QFETCH(bool, shown);
    QFETCH(QString, series);
    keep();
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("twelve.txt"), twelve_inch);
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    make_parts_window_here();
    frm_vandrel main;
    main.show();
    main.mnu_parts->trigger();
    frm_parts* w = opened_parts_window();
    QVERIFY(w);
    w->pages->setCurrentWidget(w->subwoofer);
    w->subwoofer->cmd_open_driver->click();
    if (!shown) w->pages->setCurrentWidget(w->parts_page);

    main.txt_freq->setText(freq);
    main.Command1->click();
    w->cbo_series->setCurrentText(series);
    w->pages->setCurrentWidget(w->subwoofer);
    const SubwooferPage& page = *w->subwoofer;
    QTEST(cell(page, "system_f3_with"), "f3");
    QTEST(cell(page, "system_spl20_with"), "spl20");
    QTEST(cell(page, "system_unsafe"), "unsafe");
    QCOMPARE(cell(page, "system_f3_without"), QStringLiteral("25.17 Hz"));
    QCOMPARE(page.plot->beyond_xmax_stretches(), cell(page, "system_unsafe").endsWith(QLatin1String("never")) ? 0 : 1);
}

void SubwooferPageTest::measurementOpenedAndCleared() {
    keep({{"subwoofer/qes", "0.48"}, {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"}, {"subwoofer/sd", "480"},
          {"subwoofer/xmax", "12.5"}});
    QTemporaryDir dir;
    QString path;
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    const struct {
        const char* name;
        QByteArray file;       // "" to press "Clear" instead
        const char* label;     // the measurement's line after
        const char* message;   // "" for none
        int measured;          // points of the table with a measured level
    } steps[] = {
        {"m.frd", "* FRD\n10 80 0\n20 90 -10\n100 95 -40\n", "m.frd: 3 points from 10 to 100 Hz", "", 201},
        {"bad.frd", "10 80\n20 90\n15 95\n", "m.frd: 3 points from 10 to 100 Hz",
         "bad.frd cannot be used as a measurement: line 3: the frequency 15 Hz does not rise above 20 Hz on line 2. The "
         "measurement shown is as it was.", 201},
        {"", "", "None. An FRD file or a measurement program's text export is drawn without and with the filter.", "", 0},
    };
    for (const auto& step : steps) {
        sink_->messages.clear();
        if (step.file.isEmpty()) {
            page.cmd_clear_measurement->click();
        } else {
            path = write(dir, QLatin1String(step.name), step.file);
            page.cmd_open_measurement->click();
        }
        QCOMPARE(page.lbl_measurement->text(), QString::fromUtf8(step.label));
        QCOMPARE(sink_->messages.join(QLatin1Char('|')), QString::fromUtf8(step.message));
        const auto& measured = page.figures().analysis->measured_db;
        QCOMPARE(std::count_if(measured.begin(), measured.end(), [](const auto& v) { return v.has_value(); }),
                 step.measured);
        // The next run reads the same file again.
        QCOMPARE(SubwooferPage(nullptr).lbl_measurement->text(), QString::fromUtf8(step.label));
    }
}

void SubwooferPageTest::inputsKept_data() {
    QTest::addColumn<QString>("kept");    // settings key=value;... as a run left them
    QTest::addColumn<QString>("fields");  // object name=text;... the next run shows
    QTest::addColumn<QString>("options"); // the options chosen

    QTest::newRow("nothing kept") << "" << "txt_name=;spn_fs=;spn_ql=7;spn_volts=2.83;spn_watts=" << "opt_vented opt_volts";
    QTest::newRow("a sealed box driven in watts")
        << "name=Ten;fs=32;qts=0.4;box=sealed;vb=30;ql=;drive=watts;watts=100"
        << "txt_name=Ten;spn_fs=32;spn_qts=0.4;spn_qes=;spn_vb=30;spn_ql=;spn_watts=100" << "opt_sealed opt_watts";
    QTest::newRow("damaged") << "name=a\x01" "b;fs=abc;qes=-1;vb=1e999;ql=nan;box=cube;drive=amps;volts=0"
                             << "txt_name=;spn_fs=;spn_qes=;spn_vb=;spn_ql=7;spn_volts=2.83" << "opt_vented opt_volts";
    // Ql follows the box unless it was typed; without being told which, a
    // value other than the box's default was typed.
    QTest::newRow("Ql typed, sealed") << "box=sealed;ql=12;ql_typed=true" << "spn_ql=12" << "opt_sealed opt_volts";
    QTest::newRow("Ql following, sealed") << "box=sealed;ql=7;ql_typed=false" << "spn_ql=" << "opt_sealed opt_volts";
    QTest::newRow("Ql 7 from before, sealed") << "box=sealed;ql=7" << "spn_ql=7" << "opt_sealed opt_volts";
    QTest::newRow("Ql none from before, vented") << "box=vented;ql=" << "spn_ql=" << "opt_vented opt_volts";
    QTest::newRow("name with a hash") << "name=Test#1;fs=25" << "txt_name=Test#1;spn_fs=25" << "opt_vented opt_volts";
}

void SubwooferPageTest::inputsKept() {
    QFETCH(QString, kept);
    QFETCH(QString, fields);
    QFETCH(QString, options);
    {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel"));
        for (const QString& entry : kept.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            s.setValue(QStringLiteral("subwoofer/") + entry.section(QLatin1Char('='), 0, 0),
                       entry.section(QLatin1Char('='), 1));
    }
    // Read by a page, changed in it, and read again by the next.
    for (int run = 0; run < 2; ++run) {
        SubwooferPage page(nullptr);
        for (const QString& entry : fields.split(QLatin1Char(';'))) {
            const QString name = entry.section(QLatin1Char('='), 0, 0);
            auto* field = page.findChild<QWidget*>(name);
            QVERIFY2(field, qPrintable(name));
            auto* edit = qobject_cast<QLineEdit*>(field) ? qobject_cast<QLineEdit*>(field) : field->findChild<QLineEdit*>();
            QCOMPARE(edit->text(), entry.section(QLatin1Char('='), 1));
        }
        for (const QString& option : options.split(QLatin1Char(' ')))
            QVERIFY2(page.findChild<QRadioButton*>(option)->isChecked(), qPrintable(option));
        if (run == 0) {
            // A change is kept at once; the next page shows it.
            type(page.spn_xmax, QStringLiteral("9.5"));
            fields += QStringLiteral(";spn_xmax=9.5");
        }
    }
}

void SubwooferPageTest::savesItsOwnFiles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("start");  // how the file starts
    QTest::addColumn<QByteArray>("holds");

    QTest::newRow("system response") << "cmd_csv" << "s.csv"
                                     << QByteArray("hz,spl_db,spl_filtered_db,excursion_mm,excursion_filtered_mm,"
                                                   "port_velocity_ms,port_velocity_filtered_ms,max_spl_db,max_spl_limit,"
                                                   "max_spl_filtered_db,max_spl_filtered_limit,amplifier_v_filtered\n1,")
                                     << QByteArray("\n1000,");
    QTest::newRow("plots, SVG") << "cmd_plot" << "s.svg" << QByteArray("<?xml")
                                << QByteArray("Vandrel 1.01: Example 12-inch in a 70 L vented box tuned to 27 Hz, 30 V; "
                                              "filter Butterworth, f0 17 Hz, Q 0.707, exact parts");
    QTest::newRow("plots, PNG") << "cmd_plot" << "s.png" << QByteArray("\x89PNG") << QByteArray();
    QTest::newRow("build sheet, two pages") << "cmd_sheet" << "s.pdf" << QByteArray("%PDF-") << QByteArray("/Count 2");
    QTest::newRow("driver") << "cmd_save_driver" << "d.txt" << QByteArray(twelve_inch) << QByteArray();
}

void SubwooferPageTest::savesItsOwnFiles() {
    QFETCH(QString, command);
    QFETCH(QString, name);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, holds);
    keep({{"subwoofer/name", "Example 12-inch"}, {"subwoofer/fs", "26"}, {"subwoofer/qes", "0.48"},
          {"subwoofer/qms", "6.2"}, {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"}, {"subwoofer/sd", "480"},
          {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}});
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    vandrel::ui::set_save_dialog([&path](QWidget*, const vandrel::ui::SaveRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    QPushButton* button = w->findChild<QPushButton*>(command);
    QVERIFY(button->isEnabled());
    button->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(written.left(start.size()), start);
    QVERIFY2(written.contains(holds), written.left(300).constData());
    QCOMPARE(sink_->messages, QStringList());
}

QTEST_MAIN(SubwooferPageTest)
#include "subwoofer_page_test.moc"
