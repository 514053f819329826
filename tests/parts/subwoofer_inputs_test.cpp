// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's inputs from the user's side: a driver file that
// leaves values out says which fields it emptied; a refused text is said
// under its field, in view, whatever the scroll position; Ql follows the
// box until a value is typed, and a sealed box shows its fc and Qtc.
//
// The figures are those vandrel-solve prints for the README's 12-inch
// driver in a 70 L box at 30 V with exact parts (vented: tuned to 27 Hz, a
// 15 cm port).

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

#include "file_dialogs.h"
#include "parts_test_case.h"
#include "recording_sink.h"
#include "subwoofer_test_helpers.h"
#include "widgets/parts_panes.h"
#include "widgets/report_table.h"

using vandrel::Mode;
using vandrel::ui::SubwooferPage;

namespace {

// The README's driver, in the settings.
std::map<QString, QString> twelve_inch_kept() {
    return {{"subwoofer/name", "Example 12-inch"}, {"subwoofer/fs", "26"},  {"subwoofer/qes", "0.48"},
            {"subwoofer/qms", "6.2"},              {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"},
            {"subwoofer/sd", "480"},               {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}};
}

QString field_text(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field)) return edit->text();
    return field->findChild<QLineEdit*>()->text();
}

}  // namespace

class SubwooferInputsTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void driverFileSaysWhatItEmptied_data();
    void driverFileSaysWhatItEmptied();
    void refusalSaidUnderTheField_data();
    void refusalSaidUnderTheField();
    void qlFollowsTheBox_data();
    void qlFollowsTheBox();
    void nameTakesWhatAFileKeeps_data();
    void nameTakesWhatAFileKeeps();

private:
};

void SubwooferInputsTest::driverFileSaysWhatItEmptied_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("note");    // the driver note after; "" for none shown
    QTest::addColumn<QString>("fields");  // object name=text,... after

    QTest::newRow("fs and Vas") << QByteArray("fs = 25\nvas = 50\n")
                                << "d.txt gave fs and Vas; the name, Qes, Qms, Re, Sd, Xmax and Le are empty now."
                                << "txt_name=,spn_fs=25,spn_qes=,spn_vas=50,spn_le=";
    // The name as the engine reads it; the fields it emptied either way.
    QTest::newRow("a name with a hash, and fs")
        << QByteArray("name = Test#1\nfs = 25\n")
        << "d.txt gave the name and fs; Qes, Qms, Vas, Re, Sd, Xmax and Le are empty now."
        << "spn_fs=25,spn_qms=,spn_xmax=";
    QTest::newRow("all but Le") << QByteArray("name = B\nfs = 20\nqts = 0.4\nvas = 60\nre = 3.5\nsd = 500\nxmax = 10\n")
                                << "d.txt gave the name, fs, Qts, Vas, Re, Sd and Xmax; Qes, Qms and Le are empty now."
                                << "txt_name=B,spn_fs=20,spn_qts=0.4,spn_qes=,spn_le=";
    QTest::newRow("all of them: nothing said") << QByteArray(twelve_inch) << ""
                                               << "txt_name=Example 12-inch,spn_fs=26,spn_qes=0.48,spn_le=1.6";
    QTest::newRow("Pe too") << QByteArray(twelve_inch) + "pe = 300 W\n" << "" << "spn_pe=300,spn_le=1.6";
    QTest::newRow("none of them: refused, the fields kept") << QByteArray("name = Ten\n") << ""
                                                            << "txt_name=Example 12-inch,spn_fs=26,spn_qes=0.48";
}

void SubwooferInputsTest::driverFileSaysWhatItEmptied() {
    QFETCH(QByteArray, file);
    QFETCH(QString, fields);
    keep(twelve_inch_kept());
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("d.txt"), file);
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    page.cmd_open_driver->click();
    QTEST(page.lbl_driver_note->text(), "note");
    QCOMPARE(page.lbl_driver_note->isVisibleTo(&page), !page.lbl_driver_note->text().isEmpty());
    for (const QString& entry : fields.split(QLatin1Char(','))) {
        auto* field = page.findChild<QWidget*>(entry.section(QLatin1Char('='), 0, 0));
        QVERIFY2(field, qPrintable(entry));
        QCOMPARE(field_text(field), entry.section(QLatin1Char('='), 1));
    }
}

void SubwooferInputsTest::refusalSaidUnderTheField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note");      // the line under the field; "" for none shown
    QTest::addColumn<QString>("problems");  // the page's message at its top; "" for none shown

    QTest::newRow("Volts, not a number") << "spn_volts" << "abc"
                                         << "Volts: \u201cabc\u201d is not a number. Type one from 0.000001 to 10000 V, "
                                            "with \u201c.\u201d as the decimal point. The figures keep 30 V."
                                         << "";
    QTest::newRow("Vb, too small") << "spn_vb" << "-5"
                                   << "Vb: -5 is too small. Type a number from 0.01 to 100000 L. The figures keep 70 L."
                                   << "";
    QTest::newRow("Xmax, too large") << "spn_xmax" << "2000"
                                     << "Xmax: 2000 is too large. Type a number from 0.01 to 1000 mm. The figures keep "
                                        "12.5 mm."
                                     << "";
    QTest::newRow("port, with a comma") << "spn_port" << "1,5"
                                        << "Port diameter: \u201c1,5\u201d is not a number. Type one from 0.1 to 1000 "
                                           "cm, with \u201c.\u201d as the decimal point. The figures keep 15 cm."
                                        << "";
    QTest::newRow("Pe, below 0, none before") << "spn_pe" << "-3"
                                              << "Pe: -3 is too small. Type a number from 0.01 to 100000 W. The "
                                                 "figures take it as not given."
                                              << "";
    QTest::newRow("Ql, 0") << "spn_ql" << "0"
                           << "Ql: 0 is too small. Type a number from 0.1 to 1000000. The figures keep 7." << "";
    // Left empty it is taken as not given: what is missing is said above.
    QTest::newRow("fb, emptied") << "spn_fb" << "" << "" << "Give fb to see what the subwoofer does.";
}

// The window short, the inputs scrolled so that the field is the last one
// in view: the line under it is brought into view too.
void SubwooferInputsTest::refusalSaidUnderTheField() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    keep(twelve_inch_kept());
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    w->resize(900, 560);
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    SubwooferPage& page = *w->subwoofer;
    auto* box = page.findChild<vandrel::ui::ValueBox*>(field);
    auto* scroll = page.findChild<QScrollArea*>(QStringLiteral("subwoofer_scroll"));
    QVERIFY(box && scroll);
    if (page.panes->arrangement() == vandrel::ui::Arrangement::tabs) page.panes->tabs()->setCurrentIndex(0);
    QApplication::processEvents();
    const int bottom = box->mapTo(scroll->widget(), QPoint(0, box->height())).y();
    scroll->verticalScrollBar()->setValue(bottom - scroll->viewport()->height());

    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();

    QLabel* note = page.note_of(box);
    QTEST(note->text(), "note");
    QCOMPARE(note->isVisibleTo(&page), !note->text().isEmpty());
    if (!note->text().isEmpty()) {
        const QRect in_view(note->mapTo(scroll->viewport(), QPoint(0, 0)), note->size());
        QVERIFY2(scroll->viewport()->rect().contains(in_view),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(in_view.x()).arg(in_view.y()).arg(in_view.width()).arg(in_view.height())));
        // A screen reader reads it too.
        QCOMPARE(note->accessibleName(), note->text());
    }
    QFETCH(QString, problems);
    QCOMPARE(page.lbl_problems->isVisibleTo(&page), !problems.isEmpty());
    QCOMPARE(page.lbl_problems->text(), problems);
    QCOMPARE(page.table->isVisibleTo(&page), problems.isEmpty());
    // The suggestion stays in view below the inputs.
    QVERIFY(page.cmd_suggest->isVisibleTo(&page));
    QVERIFY(!page.cmd_suggest->visibleRegion().isEmpty());
}

void SubwooferInputsTest::qlFollowsTheBox_data() {
    QTest::addColumn<QString>("box");         // kept from the last run
    QTest::addColumn<QString>("steps");       // "sealed", "vented" chosen, "ql=text" typed; in turn
    QTest::addColumn<QString>("ql");          // the field after
    QTest::addColumn<QString>("note");        // the line under it; "" for none shown
    QTest::addColumn<QString>("f3");          // without the filter
    QTest::addColumn<QString>("excursion");   // peak, without the filter
    QTest::addColumn<QString>("sealed_box");  // the figures' line for a sealed box; "" for none shown

    const QString sealed_box = QStringLiteral("Sealed box: fc 36.51 Hz, Qtc 0.6255");
    QTest::newRow("sealed from the start") << "sealed" << "" << "" << "" << "41.07 Hz" << "19.39 mm at 1 Hz"
                                           << sealed_box;
    QTest::newRow("vented, then sealed") << "vented" << "sealed" << "" << "" << "41.07 Hz" << "19.39 mm at 1 Hz"
                                         << sealed_box;
    QTest::newRow("sealed, then vented") << "sealed" << "vented" << "7" << "" << "25.17 Hz" << "38.19 mm at 1 Hz"
                                         << "";
    QTest::newRow("12 typed, then sealed") << "vented" << "ql=12;sealed" << "12"
                                           << "Ql 12 as typed; the sealed box's default is none." << "42.02 Hz"
                                           << "33.08 mm at 1 Hz" << sealed_box;
    QTest::newRow("none typed, then sealed and vented")
        << "vented" << "ql=;sealed;vented" << "" << "Ql none as typed; the vented box's default is 7." << "23.12 Hz"
        << "38.19 mm at 1 Hz" << "";
    QTest::newRow("7 typed on sealed") << "sealed" << "ql=7" << "7" << "Ql 7 as typed; the sealed box's default is none."
                                       << "42.8 Hz" << "35.83 mm at 1 Hz" << sealed_box;
    QTest::newRow("the default typed back: it follows again")
        << "vented" << "ql=12;ql=7;sealed" << "" << "" << "41.07 Hz" << "19.39 mm at 1 Hz" << sealed_box;
}

void SubwooferInputsTest::qlFollowsTheBox() {
    QFETCH(QString, box);
    QFETCH(QString, steps);
    std::map<QString, QString> kept = twelve_inch_kept();
    kept[QStringLiteral("subwoofer/box")] = box;
    keep(kept);
    QFETCH(QString, ql);
    QFETCH(QString, note);
    // As the steps leave it, and as the next run reads it again.
    for (int run = 0; run < 2; ++run) {
        auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
        SubwooferPage& page = *w->subwoofer;
        if (run == 0)
            for (const QString& step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                if (step == QLatin1String("sealed")) page.opt_sealed->click();
                else if (step == QLatin1String("vented")) page.opt_vented->click();
                else type(page.spn_ql, step.section(QLatin1Char('='), 1));
            }
        QCOMPARE(field_text(page.spn_ql), ql);
        QCOMPARE(page.note_of(page.spn_ql)->text(), note);
        QCOMPARE(page.note_of(page.spn_ql)->isVisibleTo(&page), !note.isEmpty());
        QVERIFY2(page.spn_ql->toolTip().endsWith(note), qPrintable(page.spn_ql->toolTip()));
        QTEST(cell(page, "system_f3_without"), "f3");
        QTEST(cell(page, "system_excursion_without"), "excursion");
        QFETCH(QString, sealed_box);
        QCOMPARE(cell(page, "system_box"), sealed_box);
        QCOMPARE(page.cell(QStringLiteral("system_box"))->isVisibleTo(&page), !sealed_box.isEmpty());
    }
}

void SubwooferInputsTest::nameTakesWhatAFileKeeps_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");  // the field after

    QTest::newRow("a hash") << "Test#1" << "Test#1";
    QTest::newRow("200 bytes") << QString(200, QLatin1Char('x')) << QString(200, QLatin1Char('x'));
    QTest::newRow("201 bytes: the last key does nothing") << QString(201, QLatin1Char('x')) << QString(200, QLatin1Char('x'));
    QTest::newRow("two-byte letters, 100 of them") << QString(101, QChar(0xe9)) << QString(100, QChar(0xe9));
}

void SubwooferInputsTest::nameTakesWhatAFileKeeps() {
    QFETCH(QString, typed);
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    QLineEdit* field = w->subwoofer->txt_name;
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    // A key a letter, as a keyboard gives them; Qt Test types ASCII alone.
    for (const QChar c : typed) {
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(field, Qt::Key_Return);
    QFETCH(QString, name);
    QCOMPARE(w->subwoofer->txt_name->text(), name);
    QCOMPARE(QString::fromStdString(w->subwoofer->inputs().driver.name), name);
}

QTEST_MAIN(SubwooferInputsTest)
#include "subwoofer_inputs_test.moc"
