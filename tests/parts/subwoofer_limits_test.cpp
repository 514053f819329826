// SPDX-License-Identifier: GPL-3.0-or-later
// The Subwoofer page's amplifier and limits: the fields refuse what cannot
// be with a line under them; a value typed changes the loudest safe levels,
// the limits in use and the port's length; the fields go into a design file
// and come back; the loudest-level plot is named and described for screen
// readers; and "Suggest a filter" builds its designs with the first page's
// series at its tolerances, as vandrel-solve --suggest does.
//
// The figures are those vandrel-solve prints (--json) for the README's
// 12-inch driver in a 70 L box tuned to 27 Hz with a 15 cm port, at 30 V,
// behind the 17 Hz Butterworth design with exact parts unless said.

#include <QApplication>
#include <QChartView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "parts_test_case.h"
#include "parts_window/design_model.h"
#include "recording_sink.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_test_helpers.h"

using vandrel::Mode;
using vandrel::ui::SubwooferPage;

namespace {

// The README's driver and box, in the settings, and `more`.
void keep_twelve_inch(const std::map<QString, QString>& more = {}) {
    std::map<QString, QString> values{
        {"subwoofer/name", "Example 12-inch"}, {"subwoofer/fs", "26"},    {"subwoofer/qes", "0.48"},
        {"subwoofer/qms", "6.2"},              {"subwoofer/vas", "68"},   {"subwoofer/re", "3.3"},
        {"subwoofer/sd", "480"},               {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}};
    for (const auto& [key, value] : more) values[key] = value;
    keep(values);
}

// "key=value;key=value" as settings of the Subwoofer page.
std::map<QString, QString> settings(const QString& entries) {
    std::map<QString, QString> out;
    for (const QString& entry : entries.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        out[entry.section(QLatin1Char('='), 0, 0)] = entry.section(QLatin1Char('='), 1);
    return out;
}

// Keeps the 12-inch in 70 L tuned to 27 Hz with a 15 cm port at 30 V, and
// `setting` ("key=value;...") beside them.
void keep_vented(const QString& setting) {
    std::map<QString, QString> more = settings(setting);
    more.insert({{"subwoofer/box", "vented"}, {"subwoofer/vb", "70"}, {"subwoofer/fb", "27"}, {"subwoofer/port", "15"},
                 {"subwoofer/volts", "30"}});
    keep_twelve_inch(more);
}

}  // namespace

class SubwooferLimitsTest : public PartsTestCase {
    Q_OBJECT

private slots:
    void refusedUnderTheField_data();
    void refusedUnderTheField();
    void typedValueChangesTheFigures_data();
    void typedValueChangesTheFigures();
    void designFileRoundTrip_data();
    void designFileRoundTrip();
    void designFileRefusals_data();
    void designFileRefusals();
    void loudestPlotForScreenReaders();
    void suggestionAsBuilt_data();
    void suggestionAsBuilt();
};

void SubwooferLimitsTest::refusedUnderTheField_data() {
    QTest::addColumn<QString>("setting");  // kept before: key=value;...
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("note");  // the line under the field

    QTest::newRow("Amp volts, 0") << "" << "spn_amp_volts" << "0"
                                  << "Amp volts: 0 is too small. Type a number from 0.000001 to 10000 V. The figures "
                                     "take it as not given.";
    QTest::newRow("Amp volts, a word, 40 kept") << "subwoofer/amp_volts=40" << "spn_amp_volts" << "loud"
                                                << "Amp volts: \u201cloud\u201d is not a number. Type one from "
                                                   "0.000001 to 10000 V, with \u201c.\u201d as the decimal point. The "
                                                   "figures keep 40 V.";
    QTest::newRow("Amp watts, too large") << "subwoofer/amp=watts" << "spn_amp_watts" << "2e7"
                                          << "Amp watts: 2e7 is too large. Type a number from 1e-09 to "
                                             "10000000 W. The figures take it as not given.";
    QTest::newRow("Port air limit, faster than sound") << "" << "spn_port_limit" << "400"
                                                       << "Port air limit: 400 is too large. Type a number from 0.1 "
                                                          "to 340 m/s. The figures keep 17 m/s.";
    QTest::newRow("Port air limit, in another unit") << "" << "spn_port_limit" << "10 km/h"
                                                     << "Port air limit: \u201c10 km/h\u201d is not a number. Type one "
                                                        "from 0.1 to 340 m/s, with \u201c.\u201d as the decimal point. "
                                                        "The figures keep 17 m/s.";
}

void SubwooferLimitsTest::refusedUnderTheField() {
    QFETCH(QString, setting);
    QFETCH(QString, field);
    QFETCH(QString, text);
    keep_vented(setting);
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    auto* box = page.findChild<vandrel::ui::ValueBox*>(field);
    QVERIFY(box);
    QVERIFY(box->isEnabled());
    type(box, text);
    QLabel* note = page.note_of(box);
    QTEST(note->text(), "note");
    QVERIFY(note->isVisibleTo(&page));
    // The figures stay: a refused text loses nothing.
    QVERIFY(page.figures().analysis.has_value());
}

void SubwooferLimitsTest::typedValueChangesTheFigures_data() {
    QTest::addColumn<QString>("setting");  // kept before
    QTest::addColumn<QString>("field");    // "" for none typed
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("limits");   // the limits in use
    QTest::addColumn<QString>("loud30");   // the loudest at 30 Hz, with the filter
    QTest::addColumn<QString>("loud40");   // and without it at 40 Hz
    QTest::addColumn<QString>("port");     // the port's length

    const QString ends = QStringLiteral("with end corrections of 0.85 r (flanged) and 0.613 r (free), 1.463 r in all");
    const QString port15 = QStringLiteral("Port 15 cm across: 93.43 cm long (16.51 L), ") + ends + QStringLiteral(".");
    QTest::newRow("as kept: the amplifier at the drive")
        << "" << "" << "" << "Limits: amplifier 30 V, Xmax 12.5 mm, no Pe given, port air 17 m/s"
        << "109.4 dB (full scale), 0.485 dB lost" << "111.2 dB (amplifier)" << port15;
    QTest::newRow("Amp volts 40") << "" << "spn_amp_volts" << "40"
                                  << "Limits: amplifier 40 V, Xmax 12.5 mm, no Pe given, port air 17 m/s"
                                  << "109.4 dB (full scale), 2.98 dB lost" << "113.2 dB (Xmax)" << port15;
    QTest::newRow("Amp watts 500 into 3.3 ohms")
        << "subwoofer/amp=watts" << "spn_amp_watts" << "500"
        << "Limits: amplifier 40.62 V, Xmax 12.5 mm, no Pe given, port air 17 m/s"
        << "109.4 dB (full scale), 3.12 dB lost" << "113.2 dB (Xmax)" << port15;
    QTest::newRow("Pe 300 below a 60 V amplifier")
        << "subwoofer/amp_volts=60" << "spn_pe" << "300"
        << "Limits: amplifier 60 V, Xmax 12.5 mm, Pe 300 W (31.46 V), port air 17 m/s"
        << "109.4 dB (full scale), 0.898 dB lost" << "111.7 dB (Pe)" << port15;
    QTest::newRow("Port air limit 10") << "subwoofer/amp_volts=60" << "spn_port_limit" << "10"
                                       << "Limits: amplifier 60 V, Xmax 12.5 mm, no Pe given, port air 10 m/s"
                                       << "108.7 dB (port air), 0 dB lost" << "113.2 dB (Xmax)" << port15;
    QTest::newRow("Port 5 cm") << "" << "spn_port" << "5"
                               << "Limits: amplifier 30 V, Xmax 12.5 mm, no Pe given, port air 17 m/s"
                               << "94.25 dB (port air), 0 dB lost" << "101.7 dB (port air)"
                               << QStringLiteral("Port 5 cm across: 7.943 cm long (0.156 L), ") + ends + ".";
    QTest::newRow("Port 1 cm: too narrow to cut")
        << "" << "spn_port" << "1" << "Limits: amplifier 30 V, Xmax 12.5 mm, no Pe given, port air 17 m/s"
        << "66.29 dB (port air), 0 dB lost" << "73.79 dB (port air)"
        << QStringLiteral("Port 1 cm across: no length tunes it to 27 Hz, ") + ends +
               QStringLiteral("; at least 1.58 cm across would.");
}

void SubwooferLimitsTest::typedValueChangesTheFigures() {
    QFETCH(QString, setting);
    QFETCH(QString, field);
    QFETCH(QString, text);
    keep_vented(setting);
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    if (!field.isEmpty()) type(page.findChild<QWidget*>(field), text);
    QVERIFY(page.figures().analysis.has_value());
    QTEST(cell(page, "system_limits"), "limits");
    QTEST(cell(page, "system_loud30_with"), "loud30");
    QTEST(cell(page, "system_loud40_without"), "loud40");
    QTEST(cell(page, "system_port"), "port");
    QCOMPARE(page.cell(QStringLiteral("system_port"))->isVisibleTo(&page), true);
}

void SubwooferLimitsTest::designFileRoundTrip_data() {
    QTest::addColumn<int>("amp");  // 0 volts, 1 watts
    QTest::addColumn<double>("amp_volts");  // 0: not given
    QTest::addColumn<double>("amp_watts");
    QTest::addColumn<double>("port_limit");
    QTest::addColumn<bool>("vented");
    QTest::addColumn<QString>("file");  // the limits as written: amp_volts|amp_watts|port_limit, "-" for none

    QTest::newRow("amp volts") << 0 << 40.0 << 0.0 << 17.0 << true << "40|-|17";
    QTest::newRow("amp watts, the volts not chosen left out") << 1 << 40.0 << 500.0 << 12.5 << true << "-|500|12.5";
    QTest::newRow("neither: the drive") << 0 << 0.0 << 0.0 << 17.0 << true << "-|-|17";
    QTest::newRow("sealed: no port, no port limit") << 0 << 25.5 << 0.0 << 12.0 << false << "25.5|-|-";
}

void SubwooferLimitsTest::designFileRoundTrip() {
    QFETCH(int, amp);
    QFETCH(double, amp_volts);
    QFETCH(double, amp_watts);
    QFETCH(double, port_limit);
    QFETCH(bool, vented);
    vandrel::ui::WindowDesign w;
    w.speaker.box = vented ? vandrel::speaker::Box::Type::vented : vandrel::speaker::Box::Type::sealed;
    w.speaker.vb = 70;
    if (vented) w.speaker.fb = 27;
    w.speaker.port = 15;
    w.speaker.amp = amp == 1 ? vandrel::ui::DriveUnit::watts : vandrel::ui::DriveUnit::volts;
    if (amp_volts > 0) w.speaker.amp_volts = amp_volts;
    if (amp_watts > 0) w.speaker.amp_watts = amp_watts;
    w.speaker.port_limit = port_limit;
    w.choices.supply_v = 12;  // the filter's levels, beside them
    const vandrel::project::Design d = vandrel::ui::design_of(w, "/tmp");
    const auto text = [](const vandrel::project::Text& t) { return t ? QString::fromStdString(*t) : QStringLiteral("-"); };
    QTEST(text(d.limits.amp_volts) + "|" + text(d.limits.amp_watts) + "|" + text(d.limits.port_limit), "file");
    QCOMPARE(text(d.limits.supply), QStringLiteral("12"));

    const vandrel::ui::WindowDesignRead back = vandrel::ui::window_design(d, "/tmp");
    QVERIFY2(back.window, back.problem.c_str());
    const vandrel::ui::SpeakerInputs& s = back.window->speaker;
    QCOMPARE(static_cast<int>(s.amp), amp);
    QCOMPARE(s.amp == vandrel::ui::DriveUnit::volts ? s.amp_volts.value_or(0) : s.amp_watts.value_or(0),
             amp == 1 ? amp_watts : amp_volts);
    // Without a port the file keeps no limit, which is then the default.
    QCOMPARE(s.port_limit.value_or(0), vented ? port_limit : 17.0);
    QCOMPARE(back.window->choices.supply_v, 12.0);
}

void SubwooferLimitsTest::designFileRefusals_data() {
    QTest::addColumn<QString>("amp_volts");  // "-" for none
    QTest::addColumn<QString>("amp_watts");
    QTest::addColumn<QString>("port_limit");
    QTest::addColumn<QString>("problem");

    QTest::newRow("both") << "40" << "500" << "-"
                          << "limits gives both amp_volts and amp_watts: the amplifier's most is one of them";
    QTest::newRow("amp volts, a word") << "lots" << "-" << "-"
                                       << "limits.amp_volts: Amp volts: \u201clots\u201d is not a number. Type one "
                                          "from 0.000001 to 10000 V, with \u201c.\u201d as the decimal point.";
    QTest::newRow("port limit, too large") << "-" << "-" << "341"
                                           << "limits.port_limit: Port air limit: 341 is too large. Type a number "
                                              "from 0.1 to 340 m/s.";
    QTest::newRow("amp watts with its unit") << "-" << "500 W" << "-" << "";
}

void SubwooferLimitsTest::designFileRefusals() {
    QFETCH(QString, amp_volts);
    QFETCH(QString, amp_watts);
    QFETCH(QString, port_limit);
    vandrel::project::Design d;
    const auto text = [](const QString& t) {
        return t == QLatin1String("-") ? vandrel::project::Text() : vandrel::project::Text(t.toStdString());
    };
    d.limits.amp_volts = text(amp_volts);
    d.limits.amp_watts = text(amp_watts);
    d.limits.port_limit = text(port_limit);
    const vandrel::ui::WindowDesignRead read = vandrel::ui::window_design(d, "/tmp");
    QTEST(QString::fromStdString(read.problem), "problem");
    QCOMPARE(read.window.has_value(), read.problem.empty());
}

void SubwooferLimitsTest::loudestPlotForScreenReaders() {
    keep_twelve_inch({{"subwoofer/box", "vented"}, {"subwoofer/vb", "70"}, {"subwoofer/fb", "27"},
                      {"subwoofer/port", "15"}, {"subwoofer/volts", "30"}, {"subwoofer/pe", "300"},
                      {"subwoofer/amp_volts", "60"}});
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    SubwooferPage& page = *w->subwoofer;
    QChartView* view = page.plot->max_spl_view();
    QCOMPARE(view->accessibleName(), QStringLiteral("Loudest safe SPL"));
    QCOMPARE(view->accessibleDescription(),
             QStringLiteral("Loudest safe level at 20, 30 and 40 Hz: 97.44 dB (Xmax), 110.3 dB (Pe) and 111.7 dB (Pe) "
                            "without the filter, 97.44 dB (Xmax), 109.4 dB (full scale) and 111.1 dB (full scale) with "
                            "it, 0, 0.898 and 0.589 dB lost. Set without the filter by Xmax 1 to 22.65 Hz, Pe 22.91 "
                            "to 1000 Hz; with it by full scale 1 to 11.22 Hz, Xmax 11.35 to 21.38 Hz, full scale "
                            "21.63 to 1000 Hz."));
    QCOMPARE(page.plot->max_spl_legend(), QStringList({"Loudest without the filter", "Loudest with the filter",
                                                       "Set by full scale", "Set by Pe", "Set by Xmax"}));
    const QString readout = page.plot->readout(20);
    QVERIFY2(readout.endsWith(QStringLiteral("; loudest safe (dB) 97.44 without the filter (Xmax), 97.44 with it (Xmax)")),
             qPrintable(readout));
    // Nothing to plot: said so, and no limit in the legend.
    type(page.spn_vb, QString());
    QCOMPARE(view->accessibleDescription(), QStringLiteral("Nothing to plot: give the driver, the box and the drive."));
    QCOMPARE(page.plot->max_spl_legend(), QStringList({"Loudest without the filter", "Loudest with the filter"}));
}

void SubwooferLimitsTest::suggestionAsBuilt_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("suggestion");  // the first line the page shows
    QTest::addColumn<QString>("note");        // how the note starts

    QTest::newRow("E24 at 1 % and 5 %")
        << "parts/series=E24"
        << "Butterworth, 23.7 Hz, Q 0.707: f3 28.4 Hz, peak excursion 10.53 mm at 17.99 Hz"
        << "Butterworth at 23.7 Hz keeps the cone within Xmax (12.5 mm), full scale within the amplifier's most of 30 "
           "V and the port's air within 17 m/s at 30 V with the lowest f3, 28.4 Hz, as built with E24 parts and at "
           "every tolerance corner (R +-1 %, C +-5 %).";
    QTest::newRow("E12 at 5 % and 10 %, amp 40 V")
        << "parts/series=E12;parts/r_tol_pct=5;parts/c_tol_pct=10;subwoofer/amp_volts=40"
        << "SOS User-specified, 30 Hz, Q 0.87: f3 27.4 Hz, peak excursion 11.13 mm at 39.97 Hz"
        << "SOS User-specified at 30 Hz, Q 0.87 keeps the cone within Xmax (12.5 mm), full scale within the "
           "amplifier's most of 40 V and the port's air within 17 m/s at 30 V with the lowest f3, 27.4 Hz, as built "
           "with E12 parts and at every tolerance corner (R +-5 %, C +-10 %). The best Butterworth design, at 24.9 "
           "Hz, gives f3 29.6 Hz.";
    // No design: the limit that cannot be met, and what would meet it.
    QTest::newRow("exact, Pe 200 W")
        << "parts/series=exact;subwoofer/pe=200"
        << "No suggestion: No filter can help: the drive puts 273 W into Re in the pass band, beyond the voice coil's "
           "Pe of 200 W, where no high-pass may act. The drive is too high; at 25.7 V (200 W into Re) or less it is "
           "not."
        << "";
}

void SubwooferLimitsTest::suggestionAsBuilt() {
    QFETCH(QString, setting);
    keep_vented(setting);
    make_parts_window_here();
    frm_vandrel main;
    main.show();
    main.Command1->click();
    main.mnu_parts->trigger();
    frm_parts* w = opened_parts_window();
    QVERIFY(w);
    w->pages->setCurrentWidget(w->subwoofer);
    SubwooferPage& page = *w->subwoofer;
    page.cmd_suggest->click();
    QTRY_VERIFY_WITH_TIMEOUT(page.suggestion().has_value(), 20000);
    const QStringList lines = page.lbl_suggestion->text().split(QLatin1Char('\n'));
    QTEST(lines.value(0), "suggestion");
    QFETCH(QString, note);
    QVERIFY2(note.isEmpty() ? lines.size() == 1 : lines.value(1).startsWith(note), qPrintable(lines.value(1)));
    QCOMPARE(sink_->messages, QStringList());
}

QTEST_MAIN(SubwooferLimitsTest)
#include "subwoofer_limits_test.moc"
