// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window from the user's side: the choices it offers and what
// each says when pointed at, number fields that refuse with a reason and
// never change what was typed, Enter on a command button, the figures in
// people's units with "none" where there is none, and warnings beside the
// part they name.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "file_dialogs.h"
#include "parts_test_helpers.h"
#include "widgets/value_box.h"

using vandrel::Field;
using vandrel::Mode;

Q_DECLARE_METATYPE(vandrel::Mode)

namespace {

QString all_items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items.join(QLatin1Char('|'));
}

}  // namespace

class PartsInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() { clear_settings(); }
    void cleanup() { vandrel::ui::set_save_dialog({}); }

    void choicesOfferedAndExplained_data();
    void choicesOfferedAndExplained();
    void numberFieldsRefuseWithAReason_data();
    void numberFieldsRefuseWithAReason();
    void enterPressesTheFocusedCommand_data();
    void enterPressesTheFocusedCommand();
    void figuresInPeoplesUnits_data();
    void figuresInPeoplesUnits();
    void warningsBesideWhatTheyName();
    void levelsAtFullScale_data();
    void levelsAtFullScale();

private:
    QTemporaryDir settings_dir_;
};

void PartsInputTest::choicesOfferedAndExplained_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("items");  // of a list; "" for a number field
    QTest::addColumn<QString>("tip");    // a phrase of its tooltip

    QTest::newRow("series") << "cbo_series" << "E3|E6|E12|E24|E48|E96|E192|exact|as shown"
                            << "\"as shown\" for the values the main window shows";
    QTest::newRow("combine") << "cbo_combine" << "single|two in series|two in parallel"
                             << "second part is used only where it brings the value closer";
    QTest::newRow("capacitors") << "cbo_capacitor" << "as typed|nearest E6|nearest E12"
                                << "R3 and R4 are chosen for them";
    QTest::newRow("resistor tolerance") << "spn_r_tol" << "" << "10,000 builds, each part drawn uniformly (not normally)";
    QTest::newRow("capacitor tolerance") << "spn_c_tol" << "" << "10,000 builds, each part drawn uniformly (not normally)";
    QTest::newRow("load") << "spn_load" << "" << "from 0.01 to 100000";
}

void PartsInputTest::choicesOfferedAndExplained() {
    QFETCH(QString, control);
    QFETCH(QString, items);
    QFETCH(QString, tip);
    frm_parts w(nullptr);
    QWidget* c = w.findChild<QWidget*>(control);
    QVERIFY(c);
    if (auto* box = qobject_cast<QComboBox*>(c)) QCOMPARE(all_items(box), items);
    QVERIFY2(c->toolTip().contains(tip), qPrintable(c->toolTip()));
    QVERIFY(!c->accessibleName().isEmpty());
}

void PartsInputTest::numberFieldsRefuseWithAReason_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");   // in effect after
    QTest::addColumn<QString>("reason"); // "" when taken
    QTest::addColumn<QString>("path");   // the whole path's heading

    const QString kept = QStringLiteral("Whole path into 10 k\u03a9");
    QTest::newRow("load too large") << "spn_load" << "1e308" << 10.0
                                    << "Load: 1e308 is too large. Type a number from 0.01 to 100000 k\u03a9. "
                                       "The figures keep 10 k\u03a9." << kept;
    QTest::newRow("load negative") << "spn_load" << "-5" << 10.0 << "Load: -5 is too small." << kept;
    QTest::newRow("load beyond the range") << "spn_load" << "999999999" << 10.0 << "Load: 999999999 is too large."
                                           << kept;
    QTest::newRow("load 0") << "spn_load" << "0" << 10.0 << "Load: 0 is too small." << kept;
    QTest::newRow("load empty") << "spn_load" << "" << 10.0 << "Load: type a number" << kept;
    QTest::newRow("load taken") << "spn_load" << "0.6" << 0.6 << "" << "Whole path into 600 \u03a9";
    QTest::newRow("tolerance 99") << "spn_r_tol" << "99" << 1.0
                                  << "Resistor tolerance: 99 is too large. Type a number from 0 to 50 %. The "
                                     "figures keep 1 %." << kept;
    QTest::newRow("tolerance taken") << "spn_r_tol" << "0.25" << 0.25 << "" << kept;
    QTest::newRow("source 0") << "spn_source_v" << "0" << 2.0 << "Source full scale: 0 is too small." << kept;
    QTest::newRow("source with its unit") << "spn_source_v" << "0.5 v" << 0.5 << "" << kept;
    QTest::newRow("supply beyond the range") << "spn_supply" << "150" << 15.0
                                             << "Supply: 150 is too large. Type a number from 1.5 to 100 V." << kept;
    QTest::newRow("sensitivity taken") << "spn_amp_sensitivity" << "1.5" << 1.5 << "" << kept;
}

void PartsInputTest::numberFieldsRefuseWithAReason() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* box = w.findChild<vandrel::ui::ValueBox*>(field);
    auto* edit = box->findChild<QLineEdit*>();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
    // Leaving the field changes nothing of what was typed.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
    QCOMPARE(edit->text(), typed);
    QTEST(box->value(), "value");
    QCOMPARE(w.lbl_input_problem->isVisibleTo(&w), !reason.isEmpty());
    const QString said = w.lbl_input_problem->text();
    QVERIFY2(reason.isEmpty() ? said.isEmpty() : said.startsWith(reason), qPrintable(said));
    QCOMPARE(box->accessibleDescription().isEmpty(), reason.isEmpty());
    QTEST(w.findChild<QGroupBox*>(QStringLiteral("path"))->title(), "path");
}

void PartsInputTest::enterPressesTheFocusedCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("asks");  // the save dialog's caption; "" for none

    QTest::newRow("copy") << "cmd_copy" << "";
    QTest::newRow("netlist") << "cmd_spice" << "Save SPICE netlist";
    QTest::newRow("CSV") << "cmd_csv" << "Save response as CSV";
    QTest::newRow("plot") << "cmd_plot" << "Save plot as image";
}

void PartsInputTest::enterPressesTheFocusedCommand() {
    QFETCH(QString, command);
    QString asked;
    vandrel::ui::set_save_dialog([&asked](QWidget*, const vandrel::ui::SaveRequest& r) {
        asked = r.caption;
        return QString();
    });
    QApplication::clipboard()->clear();
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* button = w.findChild<QPushButton*>(command);
    QTest::keyClick(button, Qt::Key_Return);
    QTEST(asked, "asks");
    QCOMPARE(QApplication::clipboard()->text().startsWith(QStringLiteral("Parts (E24")), asked.isEmpty());
}

void PartsInputTest::figuresInPeoplesUnits_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("texts");  // cfilter|gain|freq|q
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("capacitor");  // index: as typed, nearest E6, nearest E12
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");

    const QString k = QStringLiteral(" k\u03a9");
    QTest::newRow("exact value, six digits") << Mode::butterworth << "1.0|6|17|" << "exact" << 0 << "parts_r1_chosen"
                                            << "15.0714" + k;
    QTest::newRow("exact value deviates by nothing") << Mode::butterworth << "1.0|6|17|" << "exact" << 0
                                                    << "parts_r3_deviation" << "+0.00 %";
    QTest::newRow("E3 offered") << Mode::butterworth << "1.0|6|17|" << "E3" << 0 << "parts_r3_chosen" << "4.7" + k;
    QTest::newRow("E6 offered") << Mode::butterworth << "1.0|6|17|" << "E6" << 0 << "parts_r4_chosen" << "15" + k;
    QTest::newRow("no peak: none") << Mode::butterworth << "1.0|6|17|" << "E24" << 0 << "tolerance_peak_p95" << "none";
    QTest::newRow("no R1: none") << Mode::butterworth << "1.0|0|17|" << "E24" << 0 << "parts_r1_exact" << "none";
    QTest::newRow("whole-path peak with its frequency") << Mode::sos << "1.0|6|20|2" << "E24" << 0
                                                        << "path_peak_value" << "6.312 dB at 20.94 Hz";
    QTest::newRow("capacitors nearest E6") << Mode::butterworth << "0.5|6|17|" << "E24" << 1 << "parts_c"
                                           << "C: 0.47 \u00b5F, twice: the nearest E6 value to 0.5 \u00b5F as typed";
    QTest::newRow("capacitors as typed") << Mode::butterworth << "0.5|6|17|" << "E24" << 0 << "parts_c"
                                         << "C: 0.5 \u00b5F, twice: as typed, in neither E6 nor E12 (nearest E6 "
                                            "0.47 \u00b5F, E12 0.47 \u00b5F)";
}

void PartsInputTest::figuresInPeoplesUnits() {
    QFETCH(Mode, mode);
    QFETCH(QString, texts);
    QFETCH(QString, series);
    QFETCH(int, capacitor);
    QFETCH(QString, cell);
    const QStringList t = texts.split(QLatin1Char('|'));
    std::map<Field, std::string> fields{{Field::cfilter, t[0].toStdString()}, {Field::gain, t[1].toStdString()},
                                        {Field::freq, t[2].toStdString()}};
    if (!t[3].isEmpty()) fields[Field::q] = t[3].toStdString();
    frm_parts w(nullptr);
    w.cbo_series->setCurrentText(series);
    w.cbo_capacitor->setCurrentIndex(capacitor);
    w.show_design(solved(mode, fields), mode);
    w.show();
    QTEST(w.report->cell(cell)->text(), "text");
    // The circuit and the files are of the capacitors bought.
    const double bought[] = {t[0].toDouble(), 0.47, 0.47};
    QCOMPARE(w.figures().built->path.c1, bought[capacitor] == 0.47 && capacitor ? 0.47 : t[0].toDouble());
    static const QRegularExpression negative_zero(QStringLiteral("^-0(\\.0*)?( |$)"));
    for (const QLabel* label : w.report->findChildren<QLabel*>())
        QVERIFY2(!negative_zero.match(label->text()).hasMatch() && label->text() != QLatin1String("-"),
                 qPrintable(label->objectName() + QLatin1Char(' ') + label->text()));
}

// A report of hand-made warnings: each under the part it names, the
// path's under the path's figures, none where there are none.
void PartsInputTest::warningsBesideWhatTheyName() {
    vandrel::ui::PartsFigures f =
        vandrel::ui::work_out(solved(Mode::butterworth), Mode::butterworth, vandrel::ui::PartsChoices{});
    f.built->warnings = {{"R3", "R3 is below 10 \u03a9."}, {"C", "C is above 10 \u00b5F."},
                         {"C", "C is not a common value."}, {"", "The corner is near the input coupling's."}};
    vandrel::ui::PartsReport report;
    report.show_figures(f);
    const struct {
        const char* name;
        const char* text;  // nullptr: hidden
    } notes[] = {
        {"parts_r1_warning", nullptr},
        {"parts_r3_warning", "\u26a0 R3 is below 10 \u03a9."},
        {"parts_r4_warning", nullptr},
        {"parts_c_warning", "\u26a0 C is above 10 \u00b5F.\n\u26a0 C is not a common value."},
        {"path_warning", "\u26a0 The corner is near the input coupling's."},
    };
    for (const auto& n : notes) {
        const QLabel* label = report.cell(QLatin1String(n.name));
        QVERIFY2(label->isHidden() == !n.text, n.name);
        if (n.text) QCOMPARE(label->text(), QString::fromUtf8(n.text));
    }
    f.built->warnings.clear();
    report.show_figures(f);
    QVERIFY(report.cell(QStringLiteral("parts_r3_warning"))->isHidden());
}

void PartsInputTest::levelsAtFullScale_data() {
    QTest::addColumn<QString>("design");  // gain|freq|q, SOS, 1 uF
    QTest::addColumn<QString>("typed");   // source|supply|sensitivity
    QTest::addColumn<QString>("cells");   // name=text|...
    QTest::addColumn<QString>("red");     // the cells marked, by name

    QTest::newRow("no clipping, no sensitivity")
        << "6|20|0.707" << "2|15|" << "levels_buffer_level=3.989 V rms|levels_section_headroom=7.6 dB|levels_amp_headroom=no sensitivity"
        << "";
    QTest::newRow("the high-pass clips")
        << "12|20|2" << "2|15|" << "levels_section_level=16.3 V rms|levels_section_at=20.94 Hz|levels_section_headroom=\u26a0 clips by 4.65 dB"
        << "levels_section_headroom";
    QTest::newRow("lower rails clip the buffer too")
        << "12|20|2" << "2|5|" << "levels_buffer_headroom=\u26a0 clips by 10 dB|levels_note=2 V rms from the source; the op-amps on \u00b15 V swing 2.475 V rms." << "levels_buffer_headroom|levels_section_headroom";
    QTest::newRow("an amplifier overdriven, and the gain to match it")
        << "12|20|0.707" << "2|15|1" << "levels_amp_level=7.728 V rms|levels_amp_headroom=\u26a0 overdriven by 17.8 dB|levels_note=2 V rms from the source; the op-amps on \u00b115 V swing 9.546 V rms. A buffer gain of 0 dB matches the amplifier's 1 V best."
        << "levels_amp_headroom";
    QTest::newRow("an amplifier left short") << "0|20|0.707" << "0.5|15|2" << "levels_amp_headroom=short by 12.2 dB" << "";
    QTest::newRow("rails with no swing") << "6|20|0.707" << "2|1.5|"
                                         << "levels_buffer_level=none|levels_note=No levels: supply of 1.5 V leaves the op-amps no swing: they swing to within 1.5 V of each rail." << "";
}

// The levels of the parts chosen (E24), as vandrel-solve gives them for
// the same design and inputs, the clipping stages marked.
void PartsInputTest::levelsAtFullScale() {
    QFETCH(QString, design);
    QFETCH(QString, typed);
    QFETCH(QString, cells);
    QFETCH(QString, red);
    const QStringList d = design.split(QLatin1Char('|'));
    const QStringList t = typed.split(QLatin1Char('|'));
    frm_parts w(nullptr);
    w.show_design(solved(Mode::sos, {{Field::gain, d[0].toStdString()}, {Field::freq, d[1].toStdString()},
                                     {Field::q, d[2].toStdString()}}),
                  Mode::sos);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto type = [](vandrel::ui::ValueBox* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    type(w.spn_source_v, t[0]);
    type(w.spn_supply, t[1]);
    type(w.spn_amp_sensitivity, t[2]);
    QVERIFY2(w.lbl_input_problem->text().isEmpty(), qPrintable(w.lbl_input_problem->text()));
    for (const QString& cell : cells.split(QLatin1Char('|'))) {
        const QString name = cell.section(QLatin1Char('='), 0, 0);
        QCOMPARE(w.report->cell(name)->text(), cell.section(QLatin1Char('='), 1));
    }
    const QStringList marked = red.isEmpty() ? QStringList() : red.split(QLatin1Char('|'));
    for (const char* name : {"levels_buffer_headroom", "levels_section_headroom", "levels_amp_headroom"}) {
        const QString n = QLatin1String(name);
        QVERIFY2(w.report->cell(n)->styleSheet().contains(QLatin1String("#a01010")) == marked.contains(n), name);
    }
}

QTEST_MAIN(PartsInputTest)
#include "parts_input_test.moc"
