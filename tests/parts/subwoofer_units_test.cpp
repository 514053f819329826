// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's number fields with units: every unit the engine
// reads, in any case, and the US units of data sheets converted and shown
// converted; its figures' words for a level gained and a count of points;
// and driver files: WinISD files opened and saved, the form chosen by the
// name or the dialog's filter, Pe kept though no field shows it.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>
#include <optional>

#include "file_dialogs.h"
#include "parts_test_helpers.h"
#include "recording_sink.h"
#include "subwoofer_page/speaker_model.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/entry_check.h"
#include "widgets/value_box.h"

using vandrel::Mode;
using vandrel::ui::SubwooferPage;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// The example's box and drive, and a driver given in full.
void keep_example() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel"));
    const std::map<QString, QString> values{
        {"parts/series", "E24"}, {"subwoofer/fs", "26"},     {"subwoofer/qes", "0.48"}, {"subwoofer/qms", "6.2"},
        {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"},    {"subwoofer/sd", "480"},   {"subwoofer/xmax", "12.5"},
        {"subwoofer/le", "1.6"}, {"subwoofer/box", "vented"}, {"subwoofer/vb", "70"},   {"subwoofer/fb", "27"},
        {"subwoofer/port", "15"}, {"subwoofer/drive", "volts"}, {"subwoofer/volts", "30"}};
    for (const auto& [key, value] : values) s.setValue(key, value);
}

void type(vandrel::ui::ValueBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

QString text_of(const vandrel::ui::ValueBox* box) { return box->findChild<QLineEdit*>()->text(); }

std::unique_ptr<frm_parts> on_subwoofer_page(const vandrel::Module1& design, Mode mode) {
    auto w = std::make_unique<frm_parts>(nullptr);
    w->show_design(design, mode);
    w->pages->setCurrentWidget(w->subwoofer);
    w->show();
    return w;
}

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

const vandrel::ui::EntryRange* range_named(const QString& name) {
    using namespace vandrel::ui;
    const std::map<QString, const EntryRange*> ranges{
        {"fs", &fs_entry},  {"qes", &qes_entry}, {"vas", &vas_entry},   {"re", &re_entry},
        {"sd", &sd_entry},  {"xmax", &xmax_entry}, {"le", &le_entry},   {"vb", &vb_entry},
        {"fb", &fb_entry},  {"port", &port_entry}, {"volts", &volts_entry}, {"watts", &watts_entry},
        {"load", &load_range}};
    return ranges.at(name);
}

}  // namespace

class SubwooferUnitsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() {
        clear_settings();
        sink_ = std::make_unique<RecordingSink>();
    }
    void cleanup() {
        vandrel::ui::set_open_dialog({});
        vandrel::ui::set_save_dialog({});
        sink_.reset();
    }

    void valuesReadWithTheirUnits_data();
    void valuesReadWithTheirUnits();
    void convertedValueShownInItsOwnUnit_data();
    void convertedValueShownInItsOwnUnit();
    void levelGainedSaidSo();
    void driverFormChosen_data();
    void driverFormChosen();
    void driverFilesInBothForms_data();
    void driverFilesInBothForms();
    void measurementNamedAsItIs_data();
    void measurementNamedAsItIs();
    void nameTypedAsAFileKeepsIt_data();
    void nameTypedAsAFileKeepsIt();

private:
    QTemporaryDir settings_dir_;
    std::unique_ptr<RecordingSink> sink_;
};

void SubwooferUnitsTest::valuesReadWithTheirUnits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::addColumn<QString>("from");     // what it was converted from; "" for none
    QTest::addColumn<QString>("problem");  // "" for none
    const std::optional<double> none;

    QTest::newRow("Re in ohm") << "re" << "3.5 ohm" << std::optional(3.5) << "" << "";
    QTest::newRow("Re in OHMS") << "re" << "3.5OHMS" << std::optional(3.5) << "" << "";
    QTest::newRow("Re in \u03a9") << "re" << "3.5 \u03a9" << std::optional(3.5) << "" << "";
    QTest::newRow("Sd in cm2") << "sd" << "500 cm2" << std::optional(500.0) << "" << "";
    QTest::newRow("Sd in CM^2") << "sd" << "500 CM^2" << std::optional(500.0) << "" << "";
    QTest::newRow("fs in hz") << "fs" << "25 hz" << std::optional(25.0) << "" << "";
    QTest::newRow("fb in HZ") << "fb" << "27HZ" << std::optional(27.0) << "" << "";
    QTest::newRow("Le in mh") << "le" << "1.6 mh" << std::optional(1.6) << "" << "";
    QTest::newRow("Vb in litres") << "vb" << "70 Litres" << std::optional(70.0) << "" << "";
    QTest::newRow("Volts in v") << "volts" << "30 v" << std::optional(30.0) << "" << "";
    QTest::newRow("Watts in w") << "watts" << "100 w" << std::optional(100.0) << "" << "";
    QTest::newRow("Vas in ft3") << "vas" << "2.4 ft3" << std::optional(67.9604318208) << "2.4 ft\u00b3" << "";
    QTest::newRow("Vas in cu ft") << "vas" << "2 CU FT" << std::optional(56.633693184) << "2 ft\u00b3" << "";
    QTest::newRow("Vb in ft\u00b3") << "vb" << "1.5 ft\u00b3" << std::optional(42.475269888) << "1.5 ft\u00b3" << "";
    QTest::newRow("Sd in in2") << "sd" << "80 in2" << std::optional(516.128) << "80 in\u00b2" << "";
    QTest::newRow("Sd in sq in") << "sd" << "80 sq in" << std::optional(516.128) << "80 in\u00b2" << "";
    QTest::newRow("Xmax in in") << "xmax" << "0.5 in" << std::optional(12.7) << "0.5 in" << "";
    QTest::newRow("Xmax in inches") << "xmax" << "0.5\"" << std::optional(12.7) << "0.5 in" << "";
    QTest::newRow("port in inches") << "port" << "4 IN" << std::optional(10.16) << "4 in" << "";
    QTest::newRow("no unit") << "vas" << "68" << std::optional(68.0) << "" << "";
    QTest::newRow("converted beyond the range")
        << "vas" << "4000 ft3" << none << ""
        << "Vas: 4000 ft3 (113267 L) is too large. Type a number from 0.001 to 100000 L.";
    QTest::newRow("a unit of another quantity")
        << "fs" << "25 kHz" << none << "" << "fs: \u201c25 kHz\u201d is not in a unit of fs. Type a number from 0.1 to 20000 Hz.";
    QTest::newRow("inches for Vas")
        << "vas" << "2 in" << none << ""
        << "Vas: \u201c2 in\u201d is not in a unit of Vas. Type a number from 0.001 to 100000 L, or in ft\u00b3.";
    QTest::newRow("a unit for a Q") << "qes" << "0.5 Hz" << none << ""
                                    << "Qes: \u201c0.5 Hz\u201d is not in a unit of Qes. Type a number from 0.01 to 100.";
    QTest::newRow("a decimal comma") << "fs" << "2,6" << none << ""
                                     << "fs: \u201c2,6\u201d is not a number. Type one from 0.1 to 20000 Hz, with "
                                        "\u201c.\u201d as the decimal point.";
    QTest::newRow("beyond a double, with its unit")
        << "fs" << "1e999 Hz" << none << "" << "fs: 1e999 Hz is too large. Type a number from 0.1 to 20000 Hz.";
    // The page of parts reads its own unit as before, and no other.
    QTest::newRow("load in k\u03a9") << "load" << "4.7 k\u03a9" << std::optional(4.7) << "" << "";
}

void SubwooferUnitsTest::valuesReadWithTheirUnits() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    const vandrel::ui::EntryCheck check = vandrel::ui::check_entry(text.toStdString(), *range_named(field));
    QFETCH(std::optional<double>, value);
    QCOMPARE(check.value.has_value(), value.has_value());
    if (value) QVERIFY2(std::abs(*check.value - *value) <= 1e-12 * *value, qPrintable(QString::number(*check.value, 'g', 17)));
    QTEST(QString::fromStdString(check.converted_from), "from");
    QTEST(QString::fromStdString(check.problem), "problem");
}

void SubwooferUnitsTest::convertedValueShownInItsOwnUnit_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");  // text;text... typed in turn
    QTest::addColumn<QString>("shown");  // the field's text after
    QTest::addColumn<double>("value");   // the value in effect
    QTest::addColumn<QString>("note");   // what the page says was converted; "" for nothing shown

    QTest::newRow("Vas in ft3") << "spn_vas" << "2.4 ft3" << "67.9604" << 67.9604318208 << "Vas 2.4 ft\u00b3 is 67.9604 L.";
    QTest::newRow("Xmax in inches") << "spn_xmax" << "0.5 in" << "12.7" << 12.7 << "Xmax 0.5 in is 12.7 mm.";
    QTest::newRow("port in inches") << "spn_port" << "6 in" << "15.24" << 15.24 << "Port diameter 6 in is 15.24 cm.";
    QTest::newRow("Sd in in2") << "spn_sd" << "75 in2" << "483.87" << 483.87 << "Sd 75 in\u00b2 is 483.87 cm\u00b2.";
    // The field's own unit is taken as typed, and nothing is said.
    QTest::newRow("Re in ohm") << "spn_re" << "3.5 OHM" << "3.5 OHM" << 3.5 << "";
    QTest::newRow("converted, then typed plainly") << "spn_vas" << "2.4 ft3;70" << "70" << 70.0 << "";
    // The same value converted again is still said.
    QTest::newRow("typed, then the same converted") << "spn_xmax" << "12.7;0.5 in" << "12.7" << 12.7
                                                    << "Xmax 0.5 in is 12.7 mm.";
}

void SubwooferUnitsTest::convertedValueShownInItsOwnUnit() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    keep_example();
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    auto* box = page.findChild<vandrel::ui::ValueBox*>(field);
    for (const QString& text : typed.split(QLatin1Char(';'))) type(box, text);
    // Enter again takes nothing new, and another field taking its value
    // leaves the note as it was.
    QTest::keyClick(box, Qt::Key_Return);
    if (box != page.spn_le) type(page.spn_le, QStringLiteral("1.5"));
    QTEST(text_of(box), "shown");
    QFETCH(double, value);
    QVERIFY2(std::abs(box->value() - value) <= 1e-12 * value, qPrintable(QString::number(box->value(), 'g', 17)));
    QFETCH(QString, note);
    QCOMPARE(page.lbl_units->isVisibleTo(&page), !note.isEmpty());
    if (!note.isEmpty()) QCOMPARE(page.lbl_units->text(), note);
    QVERIFY2(page.lbl_problems->isHidden(), qPrintable(page.lbl_problems->text()));
    // The figures follow the value in effect.
    QVERIFY(page.figures().analysis.has_value());
}

// Where a peaking filter lifts the level, the figures say so.
void SubwooferUnitsTest::levelGainedSaidSo() {
    keep_example();
    auto w = on_subwoofer_page(
        solved(Mode::peaking, {{vandrel::Field::freq_peak, "40"}, {vandrel::Field::peakmag, "3"}}), Mode::peaking);
    SubwooferPage& page = *w->subwoofer;
    QCOMPARE(page.cell(QStringLiteral("system_spl20_with"))->text(), QStringLiteral("93.27 dB (7.52 dB lost)"));
    QCOMPARE(page.cell(QStringLiteral("system_spl30_with"))->text(), QStringLiteral("110.5 dB (0.529 dB gained)"));
    QCOMPARE(page.cell(QStringLiteral("system_spl40_with"))->text(), QStringLiteral("114.1 dB (2.88 dB gained)"));
}

void SubwooferUnitsTest::driverFormChosen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("wdr_filter");
    QTest::addColumn<bool>("wdr");
    QTest::newRow(".wdr, text filter") << "d.wdr" << false << true;
    QTest::newRow(".WDR") << "d.WDR" << false << true;
    QTest::newRow(".txt, WinISD filter") << "d.txt" << true << false;
    QTest::newRow("another suffix, WinISD filter") << "d.dat" << true << true;
    QTest::newRow("another suffix, text filter") << "d.dat" << false << false;
    QTest::newRow("no suffix, WinISD filter") << "wdr" << true << true;
}

void SubwooferUnitsTest::driverFormChosen() {
    QFETCH(QString, name);
    QFETCH(bool, wdr_filter);
    QTEST(vandrel::ui::driver_save_format(name.toStdString(), wdr_filter) == vandrel::speaker::DriverFormat::wdr, "wdr");
}

void SubwooferUnitsTest::driverFilesInBothForms_data() {
    QTest::addColumn<QByteArray>("opened");  // the driver file opened first
    QTest::addColumn<QString>("name");       // the name the driver is saved under
    QTest::addColumn<bool>("wdr_filter");    // the WinISD filter chosen in the dialog
    QTest::addColumn<QByteArray>("saved");   // what is written

    const QByteArray wdr("[Driver]\nBrand=Acme\nModel=Twelve\nFs=26\nQes=0.48\nQms=6.2\nVas=0.068\nRe=3.3\nSd=0.048\n"
                         "Xmax=0.0125\nLe=0.0016\nPe=500\n");
    const QByteArray text("name = Acme Twelve\nfs = 26 Hz\nqes = 0.48\nqms = 6.2\nvas = 68 L\nre = 3.3 ohm\n"
                          "sd = 480 cm2\nxmax = 12.5 mm\nle = 1.6 mH\npe = 500 W\n");
    QTest::newRow("WinISD in, text out: Pe kept") << wdr << "d.txt" << false << text;
    QTest::newRow("text in, WinISD out by the name") << text << "d.wdr" << false << wdr;
    QTest::newRow("WinISD out by the filter") << text << "d.dat" << true << wdr;
    QTest::newRow("WinISD in and out") << wdr << "d.wdr" << true << wdr;
}

void SubwooferUnitsTest::driverFilesInBothForms() {
    QFETCH(QByteArray, opened);
    QFETCH(QString, name);
    QFETCH(bool, wdr_filter);
    keep_example();
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.drv")), out = dir.filePath(name);
    {
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(opened) == opened.size());
    }
    QStringList open_filters;
    vandrel::ui::set_open_dialog([&](QWidget*, const vandrel::ui::OpenRequest& r) {
        open_filters = r.filters;
        return in;
    });
    QStringList save_filters;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& r) {
        save_filters = r.filters;
        if (wdr_filter && r.chosen_filter) *r.chosen_filter = r.filters.value(1);
        return out;
    });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    page.cmd_open_driver->click();
    QCOMPARE(open_filters.value(0), QStringLiteral("Driver files (*.txt *.json *.wdr)"));
    QCOMPARE(text_of(page.spn_vas), QStringLiteral("68"));
    QCOMPARE(page.txt_name->text(), QStringLiteral("Acme Twelve"));
    page.cmd_save_driver->click();
    QCOMPARE(save_filters, QStringList({QStringLiteral("Driver file, name = value lines (*.txt)"),
                                        QStringLiteral("WinISD driver file (*.wdr)"), QStringLiteral("All files (*)")}));
    QTEST(read_all(out), "saved");
    QCOMPARE(sink_->messages, QStringList());
}

void SubwooferUnitsTest::measurementNamedAsItIs_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("label");
    QTest::newRow("three points") << "m.frd" << QByteArray("10 80\n20 90\n100 95\n")
                                  << "m.frd: 3 points from 10 to 100 Hz";
    QTest::newRow("two points") << "m.frd" << QByteArray("10 80\n20 90\n") << "m.frd: 2 points from 10 to 20 Hz";
    // A name with what looks like a placeholder is shown as it is.
    QTest::newRow("a percent sign and a digit") << "room%3 %1.frd" << QByteArray("10 80\n20 90\n100 95\n")
                                                << "room%3 %1.frd: 3 points from 10 to 100 Hz";
}

void SubwooferUnitsTest::measurementNamedAsItIs() {
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    keep_example();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
    }
    vandrel::ui::set_open_dialog([&](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    w->subwoofer->cmd_open_measurement->click();
    QTEST(w->subwoofer->lbl_measurement->text(), "label");
}

void SubwooferUnitsTest::nameTypedAsAFileKeepsIt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");     // the field's text after
    QTest::addColumn<QByteArray>("line");  // the name's line in the driver file saved
    QTest::newRow("with a hash") << "Sub #2" << "Sub #2" << QByteArray("name = \"Sub #2\"\n");
    QTest::newRow("a hash within a word") << "Test#1" << "Test#1" << QByteArray("name = \"Test#1\"\n");
    QTest::newRow("longer than 200 bytes: cut where typed")
        << QString(205, QLatin1Char('n')) << QString(200, QLatin1Char('n'))
        << QByteArray("name = ") + QByteArray(200, 'n') + "\n";
}

// A name as the driver file keeps it can be typed, and is saved so that it
// reads back the same.
void SubwooferUnitsTest::nameTypedAsAFileKeepsIt() {
    QFETCH(QString, typed);
    keep_example();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("d.txt"));
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest&) { return out; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    page.txt_name->setFocus();
    QTest::keyClicks(page.txt_name, typed);
    QTest::keyClick(page.txt_name, Qt::Key_Return);
    QTEST(page.txt_name->text(), "name");
    page.cmd_save_driver->click();
    QFETCH(QByteArray, line);
    QVERIFY2(read_all(out).startsWith(line), read_all(out).constData());
    // Read back, the same name.
    vandrel::ui::set_open_dialog([&](QWidget*, const vandrel::ui::OpenRequest&) { return out; });
    page.txt_name->clear();
    page.cmd_open_driver->click();
    QTEST(page.txt_name->text(), "name");
}

QTEST_MAIN(SubwooferUnitsTest)
#include "subwoofer_units_test.moc"
