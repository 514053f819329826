// SPDX-License-Identifier: GPL-3.0-or-later
// Design files in the Parts window: "Open design…" puts every value in its
// field in both windows and solves it, taking what the file leaves out as
// vandrel-solve does; a file of another version, a damaged one or one with
// a value a field refuses changes nothing and says what is wrong; "Save
// design…" writes the whole design, limits it cannot show kept, and it
// reads back to the same. Last, the real main window solves a design file
// opened with Ctrl+O and saves one with Ctrl+S.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

#include "file_dialogs.h"
#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "parts_page/parts_settings.h"
#include "parts_test_case.h"
#include "parts_test_helpers.h"
#include "recording_sink.h"
#include "subwoofer_page/subwoofer_page.h"
#include "widgets/value_box.h"

using vandrel::Field;
using vandrel::Mode;

namespace {

// The main window as far as the Parts window sees it: its fields, and what
// it was asked to solve.
class FakeMain final : public vandrel::ui::MainWindowDesign {
public:
    void solve_design(Mode, std::string_view, std::string_view) override {}
    bool has_previous_design() const override { return false; }
    void back_to_previous_design() override {}
    Mode mode_now() const override { return mode; }
    std::string field_now(Field f) const override { return fields.count(f) ? fields.at(f) : std::string(); }
    void solve_fields(Mode m, const std::map<Field, std::string>& texts) override {
        mode = m;
        for (const auto& [f, t] : texts) fields[f] = t;
        ++solved;
    }
    // The fields' texts, "cfilter gain freq q freq_peak peakmag", with the mode first.
    QString summary() const {
        QStringList out{QString::fromLatin1(vandrel::control_name(mode).data())};
        for (Field f : vandrel::all_fields) out << QString::fromStdString(field_now(f));
        return out.join(QLatin1Char(' '));
    }
    Mode mode = Mode::butterworth;
    std::map<Field, std::string> fields{{Field::cfilter, "1.0"}, {Field::gain, "6"},      {Field::freq, "17"},
                                        {Field::q, "0.707"},     {Field::freq_peak, "17"}, {Field::peakmag, "0"}};
    int solved = 0;
};

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(name));
    return file.fileName();
}

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The parts choices as the controls show them.
QString choices_of(const frm_parts& w) {
    const auto number = [](const vandrel::ui::ValueBox* b) { return QString::number(b->value()); };
    const auto sensitivity = w.spn_amp_sensitivity->entry();
    return QStringList{w.cbo_series->currentText(), w.cbo_combine->currentText(), number(w.spn_r_tol),
                       number(w.spn_c_tol), number(w.spn_load), w.cbo_capacitor->currentText(),
                       number(w.spn_source_v), number(w.spn_supply),
                       sensitivity ? QString::number(*sensitivity) : QStringLiteral("none")}
        .join(QLatin1Char('|'));
}

// The Subwoofer page's inputs as its fields show them: name=text for those
// not empty, then the options chosen.
QString inputs_of(const vandrel::ui::SubwooferPage& page) {
    QStringList out;
    if (!page.txt_name->text().isEmpty()) out << QStringLiteral("name=") + page.txt_name->text();
    for (const char* name : {"spn_fs", "spn_qes", "spn_qms", "spn_qts", "spn_vas", "spn_re", "spn_sd", "spn_xmax",
                             "spn_le", "spn_vb", "spn_fb", "spn_ql", "spn_port", "spn_volts", "spn_watts"}) {
        const QString text = page.findChild<QWidget*>(QLatin1String(name))->findChild<QLineEdit*>()->text();
        if (!text.isEmpty()) out << QLatin1String(name + 4) + QLatin1Char('=') + text;
    }
    out << (page.opt_sealed->isChecked() ? QStringLiteral("sealed") : QStringLiteral("vented"))
        << (page.opt_watts->isChecked() ? QStringLiteral("watts") : QStringLiteral("volts"));
    return out.join(QLatin1Char(' '));
}

const QByteArray measurement("* FRD\n10 80 0\n20 90 -10\n100 95 -40\n");

}  // namespace

class DesignWindowTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void openedIntoBothWindows_data();
    void openedIntoBothWindows();
    void refusedChangesNothing_data();
    void refusedChangesNothing();
    void savedWholeAndReadBack();
    void theMainWindowSolvesIt();

private:
};

void DesignWindowTest::openedIntoBothWindows_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("main");         // the main window's mode and fields after
    QTest::addColumn<QString>("choices");      // the parts choices after
    QTest::addColumn<QString>("inputs");       // the Subwoofer page's after
    QTest::addColumn<QString>("measurement");  // its measurement's line
    QTest::addColumn<QString>("message");      // "" for none

    const QByteArray head(R"({"format": "vandrel-design", "version": 1)");
    const QString start = QStringLiteral("opt_butterworth 1.0 6 17 0.707 17 0");
    const QString defaults = QStringLiteral("E24|single|1|5|10|as typed|2|15|none");
    const QString none = QStringLiteral("None. An FRD file or a measurement program's text export is drawn without "
                                        "and with the filter.");
    QTest::newRow("the whole design")
        << head + R"(, "filter": {"mode": "SOS", "cfilter": "2.2", "gain": "0", "freq": "20", "q": "2"},
            "parts": {"series": "E96", "combine": "parallel", "r_tol": 0.5, "c_tol": 2, "load": 4.7, "cap_series": "e12"},
            "driver": {"name": "Test 12", "fs": "26 Hz", "qes": 0.48, "qms": 6.2, "vas": "2.4 ft3", "re": 3.3,
                       "sd": 480, "xmax": "0.5 in", "le": 1.6, "pe": 500},
            "box": {"type": "vented", "vb": 70, "fb": 27, "ql": 10, "port_diameter": "6 in"},
            "drive": {"watts": 100}, "limits": {"amp_volts": 20, "source_volts": "0.5 V", "supply": 12,
                       "amp_sensitivity": "1.5 V"}, "measurement": "room.frd"})"
        << "opt_sos 2.2 0 20 2 17 0" << "E96|two in parallel|0.5|2|4.7|nearest E12|0.5|12|1.5"
        << "name=Test 12 fs=26 qes=0.48 qms=6.2 vas=67.9604 re=3.3 sd=480 xmax=12.7 le=1.6 vb=70 fb=27 ql=10 "
           "port=15.24 volts=2.83 watts=100 vented watts"
        << "room.frd: 3 points from 10 to 100 Hz" << "";
    QTest::newRow("nothing but its version: as vandrel-solve starts")
        << head + "}" << start << defaults << "volts=2.83 sealed volts" << none << "";
    QTest::newRow("a box tuned: vented, Ql 7") << head + R"(, "box": {"vb": 70, "fb": 27}})" << start << defaults
                                              << "vb=70 fb=27 ql=7 volts=2.83 vented volts" << none << "";
    QTest::newRow("no leakage") << head + R"(, "box": {"type": "vented", "vb": 70, "fb": 27, "ql": "None"}})" << start
                                << defaults << "vb=70 fb=27 volts=2.83 vented volts" << none << "";
    QTest::newRow("Butterworth keeps its Q")
        << head + R"(, "filter": {"mode": "butterworth", "freq": "25", "q": "3", "peakmag": "4"}})"
        << "opt_butterworth 1.0 6 25 0.707 17 4" << defaults << "volts=2.83 sealed volts" << none << "";
    QTest::newRow("peaking, exact parts")
        << head + R"(, "filter": {"mode": "peaking", "freq_peak": "40", "peakmag": "3"}, "parts": {"series": "exact"}})"
        << "opt_peaking 1.0 6 17 0.707 40 3" << "exact|single|1|5|10|as typed|2|15|none" << "volts=2.83 sealed volts" << none
        << "";
    QTest::newRow("a measurement not there")
        << head + R"(, "measurement": "gone.frd"})" << start << defaults << "volts=2.83 sealed volts"
        << "gone.frd cannot be used as a measurement: there is no such file."
        << "The design in d.vandrel is open, but not its measurement: gone.frd cannot be used as a measurement: "
           "there is no such file. No measurement is shown.";
}

void DesignWindowTest::openedIntoBothWindows() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("d.vandrel"), file);
    write(dir, QStringLiteral("room.frd"), measurement);
    // A window in use: other choices, a driver, a measurement of its own.
    write(dir, QStringLiteral("old.frd"), measurement);
    QString open = dir.filePath(QStringLiteral("old.frd"));
    vandrel::ui::set_open_dialog([&open](QWidget*, const vandrel::ui::OpenRequest&) { return open; });
    FakeMain main;
    frm_parts w(nullptr, &main);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    w.cbo_series->setCurrentText(QStringLiteral("E6"));
    w.subwoofer->cmd_open_measurement->click();
    w.subwoofer->put_inputs({{"Old", 31.0, 0.3, 5.0, {}, 50.0, 8.0, 300.0, 6.0, 1.0, 250.0},
                             vandrel::speaker::Box::Type::sealed, 40.0, {}, 5.0, true, {}, vandrel::ui::DriveUnit::volts,
                             10.0, 3.0});

    open = path;
    w.mnu_open_design->trigger();
    QCOMPARE(main.solved, 1);
    QTEST(main.summary(), "main");
    QTEST(choices_of(w), "choices");
    QTEST(inputs_of(*w.subwoofer), "inputs");
    QTEST(w.subwoofer->lbl_measurement->text(), "measurement");
    QFETCH(QString, message);
    QCOMPARE(sink_->messages.join(QLatin1Char('|')), message);
    // The Pe that no field shows, and the choices, are kept as taken.
    QCOMPARE(w.subwoofer->inputs().driver.pe.has_value(), file.contains("\"pe\""));
    QVERIFY(vandrel::ui::load_choices() == w.choices());
}

void DesignWindowTest::refusedChangesNothing_data() {
    QTest::addColumn<QByteArray>("file");  // "" for no file there
    QTest::addColumn<QString>("why");      // what the message says is wrong

    const QByteArray head(R"({"format": "vandrel-design", "version": 1)");
    QTest::newRow("a newer version") << QByteArray(R"({"format": "vandrel-design", "version": 2})")
                                     << "it is of version 2, newer than this Vandrel reads (version 1): open it with a "
                                        "newer Vandrel.";
    QTest::newRow("an older version") << QByteArray(R"({"format": "vandrel-design", "version": 0})")
                                      << "it is of version 0, which this Vandrel does not read (only version 1).";
    QTest::newRow("damaged") << head + ", \"filter\": {" << "line 1: it is not valid JSON.";
    QTest::newRow("another format") << QByteArray(R"({"format": "other", "version": 1})")
                                    << "it is not a design file: \"format\" is not \"vandrel-design\".";
    QTest::newRow("an unknown value") << head + R"(, "box": {"depth": 3}})" << "unknown value box.\"depth\".";
    QTest::newRow("a tolerance the field refuses")
        << head + R"(, "filter": {"freq": "30"}, "parts": {"r_tol": 99}})"
        << "parts.r_tol: Resistor tolerance: 99 is too large. Type a number from 0 to 50 %.";
    QTest::newRow("fs not a number")
        << head + R"(, "driver": {"fs": "abc"}})"
        << "driver.fs: fs: \u201cabc\u201d is not a number. Type one from 0.1 to 20000 Hz, with \u201c.\u201d as the "
           "decimal point.";
    QTest::newRow("Vb beyond anything real") << head + R"(, "box": {"vb": "5000 ft3"}})"
                                             << "box.vb: Vb: 5000 ft3 (141584 L) is too large. Type a number from "
                                                "0.01 to 100000 L.";
    QTest::newRow("a Q in hertz") << head + R"(, "box": {"ql": "7 Hz"}})"
                                  << "box.ql: Ql: \u201c7 Hz\u201d is not in a unit of Ql. Type a number from 0.1 to "
                                     "1000000.";
    QTest::newRow("both drives") << head + R"(, "drive": {"volts": 10, "watts": 5}})"
                                 << "drive gives both volts and watts: a drive is one of them.";
    QTest::newRow("rails with no swing") << head + R"(, "limits": {"supply": "1 V"}})"
                                         << "limits.supply: Supply: 1 V is too small. Type a number from 1.5 to 100 V.";
    QTest::newRow("a sensitivity in watts") << head + R"(, "limits": {"amp_sensitivity": "2 W"}})"
                                            << "limits.amp_sensitivity: Amplifier sensitivity: \u201c2 W\u201d is not in a "
                                               "unit of Amplifier sensitivity. Type a number from 0.001 to 100 V.";
    QTest::newRow("a name too long") << head + R"(, "driver": {"name": ")" + QByteArray(201, 'n') + "\"}}"
                                     << "driver.name is longer than 200 bytes.";
    QTest::newRow("no such file") << QByteArray() << "there is no such file.";
}

void DesignWindowTest::refusedChangesNothing() {
    QFETCH(QByteArray, file);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString path = file.isEmpty() ? dir.filePath(QStringLiteral("d.vandrel"))
                                        : write(dir, QStringLiteral("d.vandrel"), file);
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    FakeMain main;
    frm_parts w(nullptr, &main);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    w.cbo_series->setCurrentText(QStringLiteral("E12"));
    w.subwoofer->put_inputs(
        {{"Kept", 31.0}, vandrel::speaker::Box::Type::vented, 40.0, 30.0, 7.0, false, {}, vandrel::ui::DriveUnit::volts, 2.83, {}});
    const QString choices = choices_of(w), inputs = inputs_of(*w.subwoofer), fields = main.summary();

    w.mnu_open_design->trigger();
    QCOMPARE(sink_->messages,
             QStringList(QStringLiteral("d.vandrel cannot be opened as a design: ") + why +
                         QStringLiteral(" Nothing was changed.")));
    QCOMPARE(main.solved, 0);
    QCOMPARE(main.summary(), fields);
    QCOMPARE(choices_of(w), choices);
    QCOMPARE(inputs_of(*w.subwoofer), inputs);
}

// Written whole (numbers as the engine writes them), the levels the
// windows do not show kept from the file opened, the amplifier's most from
// its field, and read back to the same.
void DesignWindowTest::savedWholeAndReadBack() {
    QTemporaryDir dir;
    write(dir, QStringLiteral("room.frd"), measurement);
    const QString opened = write(dir, QStringLiteral("in.vandrel"), R"({"format": "vandrel-design", "version": 1,
        "filter": {"mode": "sos", "freq": "20", "q": "2"}, "limits": {"amp_volts": "20", "supply": 15},
        "measurement": "room.frd"})");
    QString open = opened;
    vandrel::ui::set_open_dialog([&open](QWidget*, const vandrel::ui::OpenRequest&) { return open; });
    const QString saved = dir.filePath(QStringLiteral("out.vandrel"));
    QStringList filters;
    vandrel::ui::set_save_dialog([&](QWidget*, const vandrel::ui::SaveRequest& r) {
        filters = r.filters;
        return saved;
    });
    FakeMain main;
    {
        frm_parts w(nullptr, &main);
        w.show();
        w.mnu_open_design->trigger();
        // Then changed in the windows: the main window's fields as typed
        // (not solved), the parts, the driver typed with its units.
        main.fields[Field::gain] = "12";
        main.fields[Field::peakmag] = "x";
        w.cbo_series->setCurrentText(QStringLiteral("as shown"));
        w.cbo_capacitor->setCurrentText(QStringLiteral("nearest E6"));
        w.subwoofer->put_inputs({{"Test \"12\" #1", 26.0, 0.48, {}, 0.45, 68.0, 3.3, 480.0, 12.5, {}, 600.0},
                                 vandrel::speaker::Box::Type::sealed, 40.0, 27.0, {}, false, 10.0,
                                 vandrel::ui::DriveUnit::watts, 2.83, 50.0, vandrel::ui::DriveUnit::volts, 20.0});
        w.mnu_save_design->trigger();
    }
    QCOMPARE(filters, QStringList({QStringLiteral("Vandrel design (*.vandrel)"), QStringLiteral("All files (*)")}));
    QCOMPARE(sink_->messages, QStringList());
    QCOMPARE(QString::fromUtf8(read_all(saved)), QStringLiteral(R"({
  "format": "vandrel-design",
  "version": 1,
  "filter": {
    "mode": "sos",
    "cfilter": "1.0",
    "gain": "12",
    "freq": "20",
    "q": "2",
    "freq_peak": "17",
    "peakmag": "x"
  },
  "parts": {
    "series": "shown",
    "combine": "single",
    "r_tol": 1.0,
    "c_tol": 5.0,
    "load": 10.0,
    "cap_series": "E6"
  },
  "driver": {
    "name": "Test \"12\" #1",
    "fs": 26.0,
    "qes": 0.48,
    "qts": 0.45,
    "vas": 68.0,
    "re": 3.3,
    "sd": 480.0,
    "xmax": 12.5,
    "pe": 600.0
  },
  "box": {
    "type": "sealed",
    "vb": 40.0,
    "ql": "none"
  },
  "drive": {
    "watts": 50.0
  },
  "limits": {
    "amp_volts": 20.0,
    "source_volts": 2.0,
    "supply": 15.0
  },
  "measurement": "room.frd"
}
)"));

    // Opened again in a fresh window, it shows the same.
    FakeMain again;
    frm_parts w(nullptr, &again);
    w.show();
    open = saved;
    w.mnu_open_design->trigger();
    QCOMPARE(sink_->messages, QStringList());
    QCOMPARE(again.summary(), QStringLiteral("opt_sos 1.0 12 20 2 17 x"));
    QCOMPARE(choices_of(w), QStringLiteral("as shown|single|1|5|10|nearest E6|2|15|none"));
    QCOMPARE(inputs_of(*w.subwoofer), QStringLiteral("name=Test \"12\" #1 fs=26 qes=0.48 qts=0.45 vas=68 re=3.3 sd=480 "
                                                     "xmax=12.5 vb=40 volts=2.83 watts=50 sealed watts"));
    QCOMPARE(w.subwoofer->inputs().driver.pe, std::optional(600.0));
    QCOMPARE(w.subwoofer->lbl_measurement->text(), QStringLiteral("room.frd: 3 points from 10 to 100 Hz"));
}

// The real main window takes the design, solves it, and the Parts window
// follows; Ctrl+O and Ctrl+S reach the commands.
void DesignWindowTest::theMainWindowSolvesIt() {
    make_parts_window_here();
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("d.vandrel"), R"({"format": "vandrel-design", "version": 1,
        "filter": {"mode": "sos", "freq": "20", "q": "2"}, "parts": {"series": "E24"}})");
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    const QString saved = dir.filePath(QStringLiteral("again.vandrel"));
    vandrel::ui::set_save_dialog([&saved](QWidget*, const vandrel::ui::SaveRequest&) { return saved; });
    frm_vandrel main;
    main.show();
    main.mnu_parts->trigger();
    frm_parts* parts = opened_parts_window();
    QVERIFY(parts);
    parts->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(parts));
    QTest::keySequence(parts, QKeySequence::Open);
    QVERIFY(main.opt_sos->isChecked());
    QCOMPARE(main.txt_freq->text(), QStringLiteral("20"));
    QCOMPARE(main.txt_q->text(), QStringLiteral("2"));
    QCOMPARE(main.result_label(vandrel::ResultLabel::f3)->text(), QStringLiteral("f3 =  13.4hz"));
    QCOMPARE(parts->figures().mode, Mode::sos);
    QCOMPARE(cell(*parts, "section_f0_built"), QStringLiteral("19.59 Hz"));
    QCOMPARE(sink_->messages, QStringList());

    main.txt_cfilter->setText(QStringLiteral("2.2"));
    QTest::keySequence(parts, QKeySequence::Save);
    const QByteArray text = read_all(saved);
    QVERIFY2(text.contains("\"mode\": \"sos\",\n    \"cfilter\": \"2.2\",\n    \"gain\": \"6\",\n    \"freq\": \"20\",\n"
                           "    \"q\": \"2\""),
             text.constData());
}

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
