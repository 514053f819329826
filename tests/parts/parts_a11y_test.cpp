// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window as a screen reader meets it, through Qt's accessibility
// interfaces: combo boxes named by their captions, plots as charts with
// their key figures, no false text hidden in it, nothing the keyboard
// reaches without a name, and Tab in reading order.

#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <tuple>

#include "accessible_tree.h"
#include "parts_window/frm_parts.h"
#include "recording_sink.h"
#include "parts_page/response_plot.h"
#include "subwoofer_test_helpers.h"
#include "vandrel/batch.h"

using vandrel::Field;
using vandrel::Mode;

namespace {

// A Parts window shown with `series` for the default design, for one whose
// R3 is shown cut down to "0k" (nothing "as shown" can be built), or for none.
enum class Design { none, start, unbuildable };

std::unique_ptr<frm_parts> parts_shown(Design design, const QString& series) {
    auto w = std::make_unique<frm_parts>(nullptr);
    w->cbo_series->setCurrentText(series);
    if (design == Design::start)
        w->show_design(vandrel::solve_batch(Mode::butterworth, {}).design, Mode::butterworth);
    if (design == Design::unbuildable)
        w->show_design(
            vandrel::solve_batch(Mode::sos, {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "1"}}).design,
            Mode::sos);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
    return w;
}

}  // namespace

class PartsA11yTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void namesForScreenReaders_data();
    void namesForScreenReaders();
    void figuresReadWithTheirValues_data();
    void figuresReadWithTheirValues();

private:
    QTemporaryDir settings_dir_;
    RecordingSink sink_;
};

// The window keeps its choices in settings of the test's own.
void PartsA11yTest::initTestCase() {
    QVERIFY(settings_dir_.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir_.path());
}

void PartsA11yTest::init() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vandrel"), QStringLiteral("vandrel")).clear();
}

Q_DECLARE_METATYPE(Design)

void PartsA11yTest::namesForScreenReaders_data() {
    QTest::addColumn<Design>("design");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("magnitude");  // the plots' descriptions
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("failure");    // what the failure label says, shown or not

    QTest::newRow("built") << Design::start << "E24"
                           << "Exact design f3 17 Hz; as built, section f3 17.32 Hz, whole path f3 17.66 Hz; "
                              "at 17.66 Hz 90 % of builds of the path lie from 2.53 to 3.11 dB."
                           << "Group delay of the whole path: 11.97 ms at 20 Hz, 5.715 ms at 30 Hz, 3.148 ms at "
                              "40 Hz; at most 56.95 ms, at 1 Hz."
                           << "";
    QTest::newRow("cannot be built")
        << Design::unbuildable << "as shown" << "The exact design alone, as these parts cannot be built: f3 786.2 Hz."
        << "Nothing built, so no group delay."
        << "These parts cannot be built: R3 would be 0k: no filter can be built from this value. Choose a series "
           "or \"exact\".";
    QTest::newRow("no design") << Design::none << "E24" << "No design yet." << "Nothing built, so no group delay."
                               << "No design yet: solve one in the main window.";
}

// The combo boxes are named by their captions and keep their items as
// their values; each plot is a chart with its key figures; the failure
// label holds no text that is not true, even while hidden.
void PartsA11yTest::namesForScreenReaders() {
    QFETCH(Design, design);
    QFETCH(QString, series);
    auto w = parts_shown(design, series);
    QVERIFY(w);
    QCOMPARE(QAccessible::queryAccessibleInterface(w.get())->role(), QAccessible::Window);
    const QList<std::tuple<QWidget*, QString, QString>> combos{{w->cbo_series, "Series", series},
                                                               {w->cbo_combine, "Combine", "single"}};
    for (const auto& [box, name, value] : combos) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(iface->role(), QAccessible::ComboBox);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Value), value);
        QCOMPARE(iface->childCount(), 1);  // the list it drops down, whose items keep their names
        QCOMPARE(iface->child(0)->text(QAccessible::Name), name);
    }
    const QList<std::tuple<QWidget*, QString, const char*>> plots{
        {w->plot->magnitude_view(), "Magnitude response", "magnitude"}, {w->plot->delay_view(), "Group delay", "delay"}};
    for (const auto& [view, name, column] : plots) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(view);
        QCOMPARE(iface->role(), QAccessible::Chart);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QTEST(iface->text(QAccessible::Description), column);
    }
    QTEST(w->lbl_failure->text(), "failure");
    const QStringList unnamed = unnamed_in(w.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void PartsA11yTest::figuresReadWithTheirValues_data() {
    QTest::addColumn<QString>("cell");  // a label's object name
    QTest::addColumn<QString>("name");  // what a screen reader says of it

    QTest::newRow("subwoofer f3 without") << "system_f3_without" << "f3 without the filter: 25.17 Hz";
    QTest::newRow("subwoofer SPL with") << "system_spl20_with" << "SPL at 20 Hz with the filter: 98.84 dB (1.95 dB lost)";
    QTest::newRow("subwoofer note") << "system_unsafe" << "Beyond Xmax (12.5 mm) with the filter: up to 21.44 Hz";
    QTest::newRow("subwoofer sealed box, none") << "system_box" << "What the subwoofer does note";
    QTest::newRow("suggestion") << "lbl_suggestion"
                                << "Suggestion: \u201cSuggest a filter\u201d finds the design with the lowest f3 "
                                   "that keeps every limit at this drive, built with the first page's parts at their "
                                   "tolerances.";
    QTest::newRow("parts f3 as built") << "section_f3_built" << "f3 as built: 17 Hz";
    QTest::newRow("parts R3 chosen") << "parts_r3_chosen" << "R3 chosen: 6.62097 k\u03a9";
    QTest::newRow("path gain, one column without a heading") << "path_gain_value" << "Gain: 5.828 dB";
}

// A figure's label says its row, its column and its value; a note, its text.
void PartsA11yTest::figuresReadWithTheirValues() {
    keep({{"subwoofer/fs", "26"}, {"subwoofer/qes", "0.48"}, {"subwoofer/qms", "6.2"}, {"subwoofer/vas", "68"},
          {"subwoofer/re", "3.3"}, {"subwoofer/sd", "480"}, {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}});
    auto w = parts_shown(Design::start, QStringLiteral("exact"));
    QVERIFY(w);
    w->pages->setCurrentWidget(w->subwoofer);
    QFETCH(QString, cell);
    auto* label = w->findChild<QLabel*>(cell);
    QVERIFY2(label, qPrintable(cell));
    QTEST(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), "name");
}

QTEST_MAIN(PartsA11yTest)
#include "parts_a11y_test.moc"
