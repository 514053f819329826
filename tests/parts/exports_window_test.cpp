// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's files for other programs: "Save response as FRD…" on
// both pages (the filter as built, relative or with its gain; the
// subwoofer's SPL), "Export for KiCad…" (three files side by side, all or
// none, through-hole or SMD as the dialog's filter says, nothing replaced
// without asking), and the commands' underlined letters, one for each
// control on either page.
//
// The curves' lines are those vandrel-solve --filter-frd and --system-frd
// write for the same design and parts.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <map>
#include <memory>

#include "file_dialogs.h"
#include "parts_test_case.h"
#include "parts_test_helpers.h"
#include "recording_sink.h"
#include "subwoofer_page/subwoofer_page.h"

using vandrel::Mode;

namespace {

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(path));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The example subwoofer, unnamed, behind E24 parts.
void keep_subwoofer() {
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel"));
    const std::map<QString, QString> values{
        {"subwoofer/fs", "26"},   {"subwoofer/qes", "0.48"}, {"subwoofer/qms", "6.2"},  {"subwoofer/vas", "68"},
        {"subwoofer/re", "3.3"},  {"subwoofer/sd", "480"},   {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"},
        {"subwoofer/box", "vented"}, {"subwoofer/vb", "70"}, {"subwoofer/fb", "27"},    {"subwoofer/port", "15"},
        {"subwoofer/drive", "volts"}, {"subwoofer/volts", "30"}};
    for (const auto& [key, value] : values) s.setValue(key, value);
}

// The letter after a single "&", lower case; none for a text without one.
QChar mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
        ++i;
    }
    return {};
}

}  // namespace

class ExportsWindowTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void frdOfEitherPage_data();
    void frdOfEitherPage();
    void kicadFilesAllOrNone_data();
    void kicadFilesAllOrNone();
    void footprintsRemembered();
    void oneLetterForEachControl_data();
    void oneLetterForEachControl();

private:
};

void ExportsWindowTest::frdOfEitherPage_data() {
    QTest::addColumn<bool>("subwoofer");     // on the Subwoofer page
    QTest::addColumn<bool>("driver");        // with a driver, box and drive
    QTest::addColumn<int>("filter");         // the dialog's filter chosen
    QTest::addColumn<QString>("first");      // the dialog's first filter
    QTest::addColumn<QByteArray>("start");   // how the file starts; "" for the command disabled
    QTest::addColumn<QByteArray>("holds");   // lines it holds

    const QByteArray filter("* Vandrel 1.01: response of the subsonic high-pass filter as built, the whole path into its "
                            "load\n* Design: Butterworth, C 1 \xc2\xb5" "F, buffer gain 6 dB, f0 17 Hz, Q 0.707, f3 17 Hz\n");
    const QString relative = QStringLiteral("FRD curve, 0 dB in the pass band (*.frd)");
    QTest::newRow("filter, relative") << false << false << 0 << relative << filter
                                      << QByteArray("\n1 -60.10278573044683 248.61946093410302\n100 -0.04877702898734704 "
                                                    "13.401541627654902\n");
    QTest::newRow("filter, with its gain") << false << false << 1 << relative << filter
                                           << QByteArray("\n100 5.799819449053926 13.401541627654902\n"
                                                         "* Level: absolute, with the pass-band gain of 5.849 dB");
    QTest::newRow("filter, any file") << false << false << 2 << relative << filter
                                      << QByteArray("\n1000 -1.889846103712184 -16.47512126010733\n");
    QTest::newRow("subwoofer") << true << true << 0 << QStringLiteral("FRD curve, dB SPL at 1 m (*.frd)")
                               << QByteArray("* Vandrel 1.01: SPL of the subwoofer with the subsonic filter ahead of its "
                                             "amplifier\n* Driver: unnamed, fs 26 Hz, Qts 0.4455, Vas 68 L\n")
                               << QByteArray("\n100 111.44250600862556 36.09735176086186\n* Drive: 30 V rms in the pass "
                                             "band; filter parts: E24\n");
    QTest::newRow("subwoofer without a driver") << true << false << 0 << QString() << QByteArray() << QByteArray();
}

void ExportsWindowTest::frdOfEitherPage() {
    QFETCH(bool, subwoofer);
    QFETCH(bool, driver);
    QFETCH(int, filter);
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, holds);
    if (driver) keep_subwoofer();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("curve.frd"));
    QStringList filters;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& r) {
        filters = r.filters;
        if (r.chosen_filter) *r.chosen_filter = r.filters.value(filter);
        return path;
    });
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    if (subwoofer) w.pages->setCurrentWidget(w.subwoofer);
    w.show();
    QCOMPARE(w.cmd_frd->isEnabled(), !start.isEmpty());
    if (start.isEmpty()) return;
    w.cmd_frd->click();
    QTEST(filters.value(0), "first");
    const QByteArray written = read_all(path);
    QCOMPARE(written.left(start.size()), start);
    // The comments' lines hold "* Level: ..." after the start.
    for (const QByteArray& line : holds.split('\n'))
        QVERIFY2(written.contains(line), line.constData());
    QCOMPARE(written.count('\n'), 607);
    QCOMPARE(sink_->messages, QStringList());
}

void ExportsWindowTest::kicadFilesAllOrNone_data() {
    QTest::addColumn<QString>("name");      // typed in the dialog
    QTest::addColumn<bool>("smd");          // the SMD filter chosen
    QTest::addColumn<QString>("there");     // what is in the folder before: name=text;...; "dir" for a folder
    QTest::addColumn<bool>("replace");      // the answer to "Replace?"
    QTest::addColumn<QString>("asked");     // the question; "" for none
    QTest::addColumn<QString>("after");     // the folder after
    QTest::addColumn<QByteArray>("part");   // a row of the parts list written; "" for none written
    QTest::addColumn<QString>("message");   // how the message starts; "" for none

    const QByteArray tht("R3,6.8 k\xce\xa9,R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal,1,1%,,\n");
    const QByteArray smd("R3,6.8 k\xce\xa9,R_0805_2012Metric,1,1%,,\n");
    const QString three = QStringLiteral("x.csv x.kicad_sch x.net");
    QTest::newRow("through-hole") << "x.kicad_sch" << false << "" << false << "" << three << tht << "";
    QTest::newRow("SMD") << "x.kicad_sch" << true << "" << false << "" << three << smd << "";
    QTest::newRow("a name without its suffix") << "board" << false << "" << false << ""
                                               << "board.csv board.kicad_sch board.net" << tht << "";
    QTest::newRow("the suffix in capitals") << "X.KICAD_SCH" << false << "" << false << ""
                                            << "X.KICAD_SCH X.csv X.net" << tht << "";
    QTest::newRow("a parts list there, kept") << "x.kicad_sch" << false << "x.csv=mine" << false
                                              << "Export for KiCad|x.csv is there already beside x.kicad_sch. "
                                                 "Replace it?"
                                              << "x.csv" << QByteArray() << "";
    QTest::newRow("both there, replaced") << "x.kicad_sch" << false << "x.csv=mine;x.net=mine" << true
                                          << "Export for KiCad|x.net and x.csv are there already beside x.kicad_sch. "
                                             "Replace them?"
                                          << three << tht << "";
    QTest::newRow("the netlist's name a folder") << "x.kicad_sch" << false << "x.net=dir" << true
                                                 << "Export for KiCad|x.net is there already beside x.kicad_sch. "
                                                    "Replace it?"
                                                 << "x.net" << QByteArray()
                                                 << "The KiCad files could not be written: cannot write ";
}

void ExportsWindowTest::kicadFilesAllOrNone() {
    QFETCH(QString, name);
    QFETCH(bool, smd);
    QFETCH(QString, there);
    QTemporaryDir dir;
    for (const QString& entry : there.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString file = dir.filePath(entry.section(QLatin1Char('='), 0, 0));
        const QString text = entry.section(QLatin1Char('='), 1);
        if (text == QLatin1String("dir"))
            QVERIFY(QDir().mkdir(file));
        else
            write(file, text.toUtf8());
    }
    const QString path = dir.filePath(name);
    QStringList filters;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& r) {
        filters = r.filters;
        if (smd) *r.chosen_filter = r.filters.value(1);
        return path;
    });
    QFETCH(bool, replace);
    sink_->answer = replace;
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    w.cmd_kicad->click();

    QCOMPARE(filters, QStringList({QStringLiteral("KiCad schematic, through-hole parts (*.kicad_sch)"),
                                   QStringLiteral("KiCad schematic, SMD parts (*.kicad_sch)")}));
    QTEST(sink_->questions.join(QLatin1Char('#')), "asked");
    QTEST(entries(dir.path()).join(QLatin1Char(' ')), "after");
    QFETCH(QByteArray, part);
    const bool suffixed = name.endsWith(QLatin1String(".kicad_sch"), Qt::CaseInsensitive);
    const QString base = suffixed ? name.chopped(10) : name;
    if (!part.isEmpty()) {
        const QString schematic = suffixed ? name : name + QStringLiteral(".kicad_sch");
        QVERIFY(read_all(dir.filePath(schematic)).startsWith("(kicad_sch (version 20211123)"));
        // The netlist names the schematic beside it.
        const QByteArray netlist = read_all(dir.filePath(base + QStringLiteral(".net")));
        QVERIFY2(netlist.contains("(source \"" + schematic.toUtf8() + "\")"), netlist.left(300).constData());
        QVERIFY(read_all(dir.filePath(base + QStringLiteral(".csv"))).contains(part));
    } else if (there.contains(QLatin1String("x.csv=mine"))) {
        QCOMPARE(read_all(dir.filePath(QStringLiteral("x.csv"))), QByteArray("mine"));
    }
    QFETCH(QString, message);
    QCOMPARE(sink_->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QVERIFY2(sink_->messages[0].startsWith(message), qPrintable(sink_->messages[0]));
        QVERIFY2(sink_->messages[0].endsWith(QStringLiteral("x.net: it is a folder. None of the three was written.")),
                 qPrintable(sink_->messages[0]));
    }
}

// The footprints chosen last are offered first the next time.
void ExportsWindowTest::footprintsRemembered() {
    QTemporaryDir dir;
    QStringList offered;
    QString choose;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& r) {
        offered << *r.chosen_filter;
        if (!choose.isEmpty()) *r.chosen_filter = choose;
        return dir.filePath(QStringLiteral("x.kicad_sch"));
    });
    sink_->answer = true;
    const QString smd = QStringLiteral("KiCad schematic, SMD parts (*.kicad_sch)");
    const QString tht = QStringLiteral("KiCad schematic, through-hole parts (*.kicad_sch)");
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    for (const QString& chosen : {smd, QString(), tht, QString()}) {
        choose = chosen;
        w.cmd_kicad->click();
    }
    QCOMPARE(offered, QStringList({tht, smd, smd, tht}));
}

void ExportsWindowTest::oneLetterForEachControl_data() {
    QTest::addColumn<bool>("subwoofer");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("frd");  // the FRD command's text there
    const QString on_parts = QStringLiteral("Save response as FR&D\u2026");
    const QString on_subwoofer = QStringLiteral("Save response &as FRD\u2026");
    QTest::newRow("parts, wide") << false << QSize(1200, 900) << on_parts;
    QTest::newRow("parts, on tabs") << false << QSize(340, 620) << on_parts;
    QTest::newRow("subwoofer, wide") << true << QSize(1200, 900) << on_subwoofer;
    QTest::newRow("subwoofer, on tabs") << true << QSize(340, 620) << on_subwoofer;
}

// Alt and a letter reaches one control, whichever page is shown.
void ExportsWindowTest::oneLetterForEachControl() {
    QFETCH(bool, subwoofer);
    QFETCH(QSize, size);
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    if (subwoofer) w.pages->setCurrentWidget(w.subwoofer);
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTEST(w.cmd_frd->text(), "frd");
    QCOMPARE(w.cmd_frd->accessibleName(), QStringLiteral("Save response as FRD"));
    std::map<QChar, QString> taken;
    QStringList clashes;
    const auto take = [&](const QString& text, const QString& what) {
        const QChar letter = mnemonic(text);
        if (letter.isNull()) return;
        if (const auto it = taken.find(letter); it != taken.end()) clashes << it->second + QStringLiteral(" and ") + what;
        taken.emplace(letter, what);
    };
    for (QWidget* widget : w.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&w)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(widget)) take(b->text(), b->objectName() + b->text());
        if (auto* l = qobject_cast<QLabel*>(widget); l && l->buddy()) take(l->text(), l->text());
        if (auto* g = qobject_cast<QGroupBox*>(widget)) take(g->title(), g->title());
        if (auto* bar = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < bar->count(); ++i) take(bar->tabText(i), bar->tabText(i));
    }
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
    QVERIFY(taken.count(QLatin1Char('k')) && taken.count(QLatin1Char('g')));
}

QTEST_MAIN(ExportsWindowTest)
#include "exports_window_test.moc"
