// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's suggestion put into the main window: "Suggest a
// filter" pressed from the keyboard leaves the focus on "Use this design",
// which solves the suggestion there (the capacitors kept), and "Back to the
// previous design" solves the design before it again.
//
// The figures are those vandrel-solve prints for the same systems, with
// exact parts.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "parts_test_case.h"
#include "recording_sink.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_test_helpers.h"

using vandrel::Mode;
using vandrel::ui::SubwooferPage;

class SubwooferDesignTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void useThisDesign_data();
    void useThisDesign();

private:
};

void SubwooferDesignTest::useThisDesign_data() {
    QTest::addColumn<QString>("system");      // settings key=value;...
    QTest::addColumn<QString>("suggestion");  // how the page says it
    QTest::addColumn<QString>("freq");        // the main window's fields after "Use this design"; "" if disabled
    QTest::addColumn<QString>("q");
    QTest::addColumn<QString>("label");       // the main window's f3 after

    // The amplifier at the drive: no design may peak.
    QTest::newRow("vented") << "" << "Butterworth, 23.2 Hz, Q 0.707: f3 27.81 Hz, peak excursion 11.47 mm at "
                                     "17.86 Hz\nButterworth at 23.2 Hz keeps the cone within Xmax"
                            << "23.2" << "0.707" << "f3 =  23.2hz";
    const QString ten_inch = QStringLiteral("fs=32;qes=0.55;qms=4;vas=40;re=6.2;sd=330;xmax=9;le=0.8;box=sealed;vb=30;ql=10");
    QTest::newRow("sealed") << ten_inch + QStringLiteral(";volts=30")
                            << "Butterworth, 23.3 Hz, Q 0.707: f3 50.2 Hz, peak excursion 8.797 mm at"
                            << "23.3" << "0.707" << "f3 =  23.3hz";
    QTest::newRow("beyond Xmax in the pass band") << ten_inch + QStringLiteral(";volts=60")
                                                  << "No suggestion: No filter can help: the cone goes beyond Xmax (9 "
                                                     "mm) in the pass band"
                                                  << "" << "" << "f3 =  17hz";
}

void SubwooferDesignTest::useThisDesign() {
    QFETCH(QString, system);
    QFETCH(QString, freq);
    std::map<QString, QString> more{{"subwoofer/fs", "26"},  {"subwoofer/qes", "0.48"}, {"subwoofer/qms", "6.2"},
                                    {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"},   {"subwoofer/sd", "480"},
                                    {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}};
    for (const QString& entry : system.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        more[QStringLiteral("subwoofer/") + entry.section(QLatin1Char('='), 0, 0)] = entry.section(QLatin1Char('='), 1);
    keep(more);
    make_parts_window_here();
    frm_vandrel main;
    main.show();
    main.txt_cfilter->setText(QStringLiteral("2.2"));  // kept by "Use this design"
    main.Command1->click();
    main.mnu_parts->trigger();
    frm_parts* w = opened_parts_window();
    QVERIFY(w);
    w->pages->setCurrentWidget(w->subwoofer);
    SubwooferPage& page = *w->subwoofer;
    QVERIFY(!page.cmd_use->isEnabled());
    QVERIFY(!page.cmd_back->isEnabled());
    // Pressed with its underlined letter from the name field: the focus
    // goes on to "Use this design" once there is one to use, else to
    // "Suggest a filter".
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    page.txt_name->setFocus(Qt::TabFocusReason);
    QTest::keyClick(page.txt_name, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(page.suggestion().has_value(), 5000);
    QCOMPARE(QApplication::focusWidget(), freq.isEmpty() ? page.cmd_suggest : page.cmd_use);
    // Passing through the name field, which changes nothing, keeps it.
    QTest::keyClick(page.txt_name, Qt::Key_Return);
    QVERIFY(page.suggestion().has_value());
    QFETCH(QString, suggestion);
    QVERIFY2(page.lbl_suggestion->text().startsWith(suggestion), qPrintable(page.lbl_suggestion->text()));
    QCOMPARE(page.cmd_use->isEnabled(), !freq.isEmpty());

    page.cmd_use->click();
    if (!freq.isEmpty()) {
        QFETCH(QString, q);
        const Mode mode = q == QLatin1String("0.707") ? Mode::butterworth : Mode::sos;
        QCOMPARE(main.opt_sos->isChecked(), mode == Mode::sos);
        QCOMPARE(main.txt_freq->text(), freq);
        QTEST(main.txt_q->text(), "q");
        QCOMPARE(main.txt_cfilter->text(), QStringLiteral("2.2"));
        QCOMPARE(page.plot->beyond_xmax_stretches(), 0);
        QCOMPARE(cell(page, "system_unsafe").section(QStringLiteral(": "), 1), QStringLiteral("never"));
        QVERIFY2(page.lbl_suggestion->text().endsWith(QLatin1String("The main window has this design.")),
                 qPrintable(page.lbl_suggestion->text()));
        QCOMPARE(w->figures().mode, mode);
    }
    QTEST(main.lbl_f3->text(), "label");
    QCOMPARE(page.cmd_back->isEnabled(), !freq.isEmpty());

    // Back: the start design again, solved, and nothing more to go back to.
    page.cmd_back->click();
    QVERIFY(main.opt_butterworth->isChecked());
    QCOMPARE(main.txt_freq->text(), QStringLiteral("17"));
    QCOMPARE(main.txt_q->text(), QStringLiteral("0.707"));
    QCOMPARE(main.txt_cfilter->text(), QStringLiteral("2.2"));
    QCOMPARE(main.lbl_f3->text(), QStringLiteral("f3 =  17hz"));
    QCOMPARE(w->figures().mode, Mode::butterworth);
    QVERIFY(!page.cmd_back->isEnabled());
    QCOMPARE(sink_->messages, QStringList());
}

QTEST_MAIN(SubwooferDesignTest)
#include "subwoofer_design_test.moc"
