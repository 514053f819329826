// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window from the keyboard: both pages' plots read by a cursor
// the keys move (the readout line and, for a screen reader, the plot's
// description), the figures' tabs from anywhere in the window, the legend
// that wraps and keeps every entry, and the main window's keys for it:
// "Subwoofer", Ctrl+M back to the main window, Ctrl+Z back to the design
// before "Use this design".
//
// The system is the README's 12-inch driver in a 70 L box tuned to 27 Hz
// with a 15 cm port at 30 V, behind the start design with exact parts.

#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <QTextDocumentFragment>

#include <cmath>
#include <memory>
#include <set>

#include "file_dialogs.h"
#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "parts_page/response_plot.h"
#include "plots/hover_view.h"
#include "recording_sink.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_test_helpers.h"
#include "widgets/parts_panes.h"

using vandrel::Mode;

namespace {

std::map<QString, QString> twelve_inch_kept() {
    return {{"subwoofer/name", "Example 12-inch"}, {"subwoofer/fs", "26"},  {"subwoofer/qes", "0.48"},
            {"subwoofer/qms", "6.2"},              {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"},
            {"subwoofer/sd", "480"},               {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}};
}

QString description(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description); }

// Makes a Parts window active, so that it has the keyboard.
bool activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

}  // namespace

class PartsKeysTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() {
        clear_settings();
        keep(twelve_inch_kept());
        sink_ = std::make_unique<RecordingSink>();
    }
    void cleanup() {
        vandrel::ui::set_parts_factory({});
        vandrel::ui::set_open_dialog({});
        sink_.reset();
    }

    void plotsReadFromTheKeyboard_data();
    void plotsReadFromTheKeyboard();
    void tabsFromAnywhere_data();
    void tabsFromAnywhere();
    void legendKeepsEveryEntry_data();
    void legendKeepsEveryEntry();
    void mainWindowKeys_data();
    void mainWindowKeys();

private:
    QTemporaryDir settings_dir_;
    std::unique_ptr<RecordingSink> sink_;
};

void PartsKeysTest::plotsReadFromTheKeyboard_data() {
    QTest::addColumn<bool>("subwoofer");  // the page
    QTest::addColumn<QString>("keys");    // pressed in turn once the plot has the focus
    QTest::addColumn<double>("hz");       // the cursor after
    QTest::addColumn<QString>("readout"); // the readout line and the plot's description

    // As vandrel-solve --system-response has them, between its points.
    QTest::newRow("subwoofer, the focus") << true << "" << 20.0
                                          << "20 Hz; SPL (dB) 100.79 without the filter, 98.84 with it; excursion (mm) "
                                             "18.38 without the filter, 14.69 with it; port air (m/s) 13.54 without "
                                             "the filter, 10.81 with it; loudest safe (dB) 97.44 without the filter "
                                             "(Xmax), 97.44 with it (Xmax)";
    QTest::newRow("subwoofer, two steps up") << true << "Right Right" << 25.0
                                             << "25 Hz; SPL (dB) 107.10 without the filter, 106.17 with it; excursion "
                                                "(mm) 6.54 without the filter, 5.88 with it; port air (m/s) 14.32 "
                                                "without the filter, 12.88 with it; loudest safe (dB) 107.10 without "
                                                "the filter (amplifier), 106.17 with it (full scale)";
    QTest::newRow("subwoofer, a decade down") << true << "PageDown" << 2.0
                                              << "2 Hz; SPL (dB) 20.48 without the filter, -22.57 with it; excursion "
                                                 "(mm) 38.05 without the filter, 0.27 with it; port air (m/s) 1.31 "
                                                 "without the filter, 0.01 with it; loudest safe (dB) 10.81 without "
                                                 "the filter (Xmax), -22.57 with it (full scale)";
    // Exact parts: the section as built is the exact design; the whole path
    // has the buffer's gain, its input and feedback capacitors and the load.
    QTest::newRow("parts, the focus") << false << "" << 20.0
                                      << "20 Hz, exact design -1.83 dB, as built -1.83 dB, whole path 3.88 dB "
                                         "(tolerance 3.64 to 4.09 dB), group delay 12.2 ms";
    QTest::newRow("parts, to the top") << false << "End" << 1000.0
                                       << "1000 Hz, exact design 0.00 dB, as built 0.00 dB, whole path 3.94 dB "
                                          "(tolerance 3.83 to 4.06 dB), group delay 0.0223 ms";
    QTest::newRow("parts, a step down from the bottom") << false << "Home Left" << 1.0
                                                        << "1 Hz, exact design -49.22 dB, as built -49.22 dB, whole "
                                                           "path -54.35 dB (tolerance -55.11 to -53.65 dB), group "
                                                           "delay 56.6 ms";
}

// Tab reaches the plot, whose description then is the readout at the
// cursor; the keys move it, a line marks it on every chart; leaving the
// plot gives the description back its summary.
void PartsKeysTest::plotsReadFromTheKeyboard() {
    QFETCH(bool, subwoofer);
    QFETCH(QString, keys);
    QFETCH(double, hz);
    QFETCH(QString, readout);
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    if (!subwoofer) w->pages->setCurrentWidget(w->parts_page);
    w->resize(1200, 900);
    QVERIFY(activate(w.get()));
    QChartView* first = subwoofer ? w->subwoofer->plot->spl_view() : w->plot->magnitude_view();
    const std::vector<QChartView*> views =
        subwoofer ? std::vector<QChartView*>{first, w->subwoofer->plot->excursion_view(), w->subwoofer->plot->port_view()}
                  : std::vector<QChartView*>{first, w->plot->delay_view()};
    QLabel* line = subwoofer ? w->subwoofer->plot->readout_label() : w->plot->readout_label();
    const QString summary = description(first);
    QVERIFY(!summary.contains(QLatin1String(" Hz; SPL (dB)")));

    // Tab reaches the plot after the page's own controls.
    QWidget* before = subwoofer ? static_cast<QWidget*>(w->subwoofer->cmd_suggest)
                                : w->findChild<QWidget*>(QStringLiteral("report_scroll"));
    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), first);
    for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int code = key == QLatin1String("Right")      ? Qt::Key_Right
                         : key == QLatin1String("Left")     ? Qt::Key_Left
                         : key == QLatin1String("PageDown") ? Qt::Key_PageDown
                         : key == QLatin1String("Home")     ? Qt::Key_Home
                                                            : Qt::Key_End;
        QTest::keyClick(first, Qt::Key(code));
    }
    QCOMPARE(description(first), readout);
    QCOMPARE(line->text(), readout);
    for (QChartView* view : views) {
        const auto cursor = static_cast<vandrel::ui::HoverView*>(view)->cursor();
        QVERIFY(cursor.has_value());
        QVERIFY(std::abs(*cursor - hz) <= 1e-9 * hz);
    }
    // Gone on: the summary again, no line.
    w->cmd_copy->setFocus(Qt::TabFocusReason);
    QCOMPARE(description(first), summary);
    for (QChartView* view : views) QVERIFY(!static_cast<vandrel::ui::HoverView*>(view)->cursor());
}

void PartsKeysTest::tabsFromAnywhere_data() {
    QTest::addColumn<bool>("subwoofer");  // the page shown
    QTest::addColumn<QSize>("size");      // of the window
    QTest::addColumn<QString>("focus");   // the object that has the focus
    QTest::addColumn<QString>("keys");    // "next" for Ctrl+Tab, "back" for Ctrl+Shift+Tab
    QTest::addColumn<int>("tab");         // the page's figures (0) or plot (1) after; -1 where it has no tabs
    QTest::addColumn<bool>("on_subwoofer");

    const QSize small(520, 520), large(1200, 1000);
    QTest::newRow("subwoofer, from a command") << true << small << "cmd_copy" << "next" << 1 << true;
    QTest::newRow("subwoofer, from a field, twice") << true << small << "spn_volts" << "next next" << 0 << true;
    QTest::newRow("subwoofer, back from a command") << true << small << "cmd_sheet" << "back" << 1 << true;
    QTest::newRow("parts, from a choice") << false << small << "cbo_series" << "next" << 1 << false;
    QTest::newRow("parts, from a command") << false << small << "cmd_csv" << "next back" << 0 << false;
    // A page without tabs: the pages.
    QTest::newRow("parts, wide: the Subwoofer page") << false << large << "cmd_copy" << "next" << -1 << true;
    QTest::newRow("subwoofer, wide: the Parts page") << true << large << "cmd_copy" << "back" << -1 << false;
}

void PartsKeysTest::tabsFromAnywhere() {
    QFETCH(bool, subwoofer);
    QFETCH(QSize, size);
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    if (!subwoofer) w->pages->setCurrentWidget(w->parts_page);
    w->setMinimumSize(0, 0);
    w->resize(size);
    QVERIFY(activate(w.get()));
    QApplication::processEvents();
    vandrel::ui::PartsPanes* panes = subwoofer ? w->subwoofer->panes : w->panes;
    QFETCH(int, tab);
    QCOMPARE(panes->arrangement() == vandrel::ui::Arrangement::tabs, tab >= 0);
    auto* start = w->findChild<QWidget*>(focus);
    QVERIFY2(start, qPrintable(focus));
    start->setFocus(Qt::TabFocusReason);
    for (const QString& key : keys.split(QLatin1Char(' ')))
        if (key == QLatin1String("next"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    if (tab >= 0) QCOMPARE(panes->tabs()->currentIndex(), tab);
    QTEST(w->pages->currentWidget() == w->subwoofer, "on_subwoofer");
}

void PartsKeysTest::legendKeepsEveryEntry_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rows");  // of the legend

    QTest::newRow("narrow") << 520 << 2;
    QTest::newRow("middle") << 800 << 2;
    // The figures' loudest levels widen the inputs beside the plots.
    QTest::newRow("wide") << 1500 << 2;
    QTest::newRow("wider") << 1900 << 1;
}

// A measurement opened while the page is hidden, then the page shown: its
// two entries join the legend, which wraps; no entry is drawn over another.
void PartsKeysTest::legendKeepsEveryEntry() {
    QFETCH(int, width);
    QTemporaryDir dir;
    const QString path = write(dir, QStringLiteral("m.frd"), "10 80 0\n20 90 -10\n100 95 -40\n");
    vandrel::ui::set_open_dialog([&path](QWidget*, const vandrel::ui::OpenRequest&) { return path; });
    auto w = on_subwoofer_page(solved(Mode::butterworth), Mode::butterworth);
    w->setMinimumSize(0, 0);
    w->resize(width, 1000);
    QApplication::processEvents();
    w->pages->setCurrentWidget(w->parts_page);
    w->subwoofer->cmd_open_measurement->click();
    w->pages->setCurrentWidget(w->subwoofer);
    if (w->subwoofer->panes->arrangement() == vandrel::ui::Arrangement::tabs) w->subwoofer->panes->tabs()->setCurrentIndex(1);
    QApplication::processEvents();

    auto* legend = w->subwoofer->plot->findChild<QWidget*>(QStringLiteral("speaker_legend"));
    QVERIFY(legend && legend->isVisibleTo(w.get()));
    QStringList names;
    std::vector<QRect> places;
    for (QLabel* entry : legend->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!entry->isVisibleTo(legend)) continue;
        names << QTextDocumentFragment::fromHtml(entry->text()).toPlainText().mid(3);
        for (const QRect& other : places) QVERIFY2(!other.intersects(entry->geometry()), qPrintable(names.last()));
        QVERIFY(legend->rect().contains(entry->geometry()));
        QVERIFY(entry->width() >= entry->sizeHint().width());
        places.push_back(entry->geometry());
    }
    QCOMPARE(names, QStringList({"Without the filter", "With the filter", "With the filter, beyond Xmax", "Measured",
                                 "Measured with the filter", "Limits: pass band \u2212 3 dB, Xmax, port air"}));
    std::set<int> tops;
    for (const QRect& r : places) tops.insert(r.top());
    QTEST(int(tops.size()), "rows");
}

void PartsKeysTest::mainWindowKeys_data() {
    QTest::addColumn<QString>("steps");   // in turn: see mainWindowKeys
    QTest::addColumn<QString>("freq");    // the main window's fields after
    QTest::addColumn<QString>("gain");
    QTest::addColumn<bool>("sos");
    QTest::addColumn<QString>("f3");
    QTest::addColumn<bool>("back");       // "Back to the previous design" enabled after

    QTest::newRow("use, then Ctrl+Z on Solve") << "use undo@Command1" << "17" << "6" << false << "f3 =  17hz" << false;
    QTest::newRow("use, then Ctrl+Z in a field put in") << "use undo@txt_freq" << "17" << "6" << false << "f3 =  17hz"
                                                       << false;
    QTest::newRow("use, typing, Ctrl+Z: the typing first") << "use type@txt_gain undo@txt_gain" << "27.1" << "6"
                                                          << true << "f3 =  20.3hz" << true;
    QTest::newRow("use, typing, Ctrl+Z twice") << "use type@txt_gain undo@txt_gain undo@txt_gain" << "17" << "6"
                                               << false << "f3 =  17hz" << false;
    QTest::newRow("use, then a Solve of one's own: nothing to go back to") << "use solve undo@Command1" << "27.1"
                                                                          << "6" << true << "f3 =  20.3hz" << false;
    QTest::newRow("nothing used: Ctrl+Z does nothing") << "undo@Command1" << "17" << "6" << false << "f3 =  17hz"
                                                       << false;
    QTest::newRow("use twice, back once: the first") << "use use2 back" << "27.1" << "6" << true << "f3 =  20.3hz"
                                                     << false;
}

// "use": the Subwoofer page's design (SOS 27.1 Hz, Q 1.13) put into the main
// window; "use2": another (SOS 30 Hz, Q 1); "type@field": "3" typed at the
// end of a field; "undo@object": Ctrl+Z there; "solve": Solve pressed;
// "back": "Back to the previous design" pressed.
void PartsKeysTest::mainWindowKeys() {
    QFETCH(QString, steps);
    vandrel::ui::MainWindowDesign* design = nullptr;
    vandrel::ui::set_parts_factory([&design](QWidget* main, vandrel::ui::MainWindowDesign* d, QString*) {
        design = d;
        return new frm_parts(main, d);
    });
    frm_vandrel main;
    main.show();
    QVERIFY(activate(&main));
    // "Subwoofer" opens the window on that page, "Parts" on the other.
    main.mnu_subwoofer->trigger();
    frm_parts* w = main.findChild<frm_parts*>();
    if (!w) w = opened_parts_window();
    QVERIFY(w && design);
    QCOMPARE(w->pages->currentWidget(), w->subwoofer);
    main.mnu_parts->trigger();
    QCOMPARE(w->pages->currentWidget(), w->parts_page);
    main.mnu_subwoofer->trigger();
    QVERIFY(activate(w));
    // Ctrl+M: the main window in front.
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_M, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), &main);

    for (const QString& step : steps.split(QLatin1Char(' '))) {
        QWidget* at = main.findChild<QWidget*>(step.section(QLatin1Char('@'), 1));
        if (step == QLatin1String("use")) design->solve_design(Mode::sos, "27.1", "1.13");
        if (step == QLatin1String("use2")) design->solve_design(Mode::sos, "30", "1");
        if (step == QLatin1String("solve")) main.Command1->click();
        if (step == QLatin1String("back")) w->subwoofer->cmd_back->click();
        if (step.startsWith(QLatin1String("type@"))) {
            at->setFocus(Qt::TabFocusReason);
            QTest::keyClick(at, Qt::Key_End);
            QTest::keyClicks(at, QStringLiteral("3"));
        }
        if (step.startsWith(QLatin1String("undo@"))) {
            QVERIFY(activate(&main));
            at->setFocus(Qt::TabFocusReason);
            QTest::keyClick(at, Qt::Key_Z, Qt::ControlModifier);
        }
    }
    QTEST(main.txt_freq->text(), "freq");
    QTEST(main.txt_gain->text(), "gain");
    QTEST(main.opt_sos->isChecked(), "sos");
    QTEST(main.lbl_f3->text(), "f3");
    QTEST(w->subwoofer->cmd_back->isEnabled(), "back");
    QCOMPARE(sink_->messages, QStringList());
}

QTEST_MAIN(PartsKeysTest)
#include "parts_keys_test.moc"
