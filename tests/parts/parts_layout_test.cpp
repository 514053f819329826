// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's layout: its panes arranged for its shape, every figure
// shown whole after every update, the report's pane as wide as its content
// and the splitter where the user left it, the readout wrapped, the report
// scrolled from the keyboard, and a least size within the screen.

#include <QComboBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QtTest>

#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "widgets/parts_panes.h"
#include "parts_test_helpers.h"
#include "parts_page/response_plot.h"

using vandrel::Mode;
using vandrel::ui::Arrangement;

Q_DECLARE_METATYPE(Arrangement)

namespace {

// The report's labels that are cut short: narrower than their text.
QStringList cut_labels(const frm_parts& w) {
    QStringList cut;
    for (const QLabel* label : w.report->findChildren<QLabel*>())
        if (label->isVisibleTo(w.report) && !label->wordWrap() && label->width() < label->sizeHint().width())
            cut << label->objectName() + QLatin1Char('=') + label->text();
    return cut;
}

QScrollArea* report_pane(const frm_parts& w) { return w.findChild<QScrollArea*>(QStringLiteral("report_scroll")); }

void settle(QWidget& w) {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

}  // namespace

class PartsLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() { clear_settings(); }

    void arrangedForItsShape_data();
    void arrangedForItsShape();
    void reportPaneFollowsItsContent();
    void splitterKeptInTheSettings();
    void readoutWrapsWhereNarrow();
    void reportScrollsFromTheKeyboard();
    void tabGoesThroughChoicesFiguresCommands_data();
    void tabGoesThroughChoicesFiguresCommands();
    void leastSizeWithinTheScreen();

private:
    QTemporaryDir settings_dir_;
};

void PartsLayoutTest::arrangedForItsShape_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("series");
    QTest::addColumn<Arrangement>("arrangement");
    QTest::addColumn<bool>("form");

    QTest::newRow("wide: beside") << QSize(1000, 700) << "E24" << Arrangement::beside << false;
    QTest::newRow("wide, exact values: beside") << QSize(1000, 700) << "exact" << Arrangement::beside << false;
    QTest::newRow("tall: report above") << QSize(600, 900) << "E24" << Arrangement::stacked << false;
    QTest::newRow("narrow and tall: above, as forms") << QSize(400, 1050) << "E24" << Arrangement::stacked << true;
    QTest::newRow("narrow and short: tabs, as forms") << QSize(330, 620) << "E24" << Arrangement::tabs << true;
}

void PartsLayoutTest::arrangedForItsShape() {
    QFETCH(QSize, size);
    QFETCH(QString, series);
    frm_parts w(nullptr);
    w.show_design(solved(Mode::sos, {{vandrel::Field::freq, "20"}, {vandrel::Field::q, "2"}}), Mode::sos);
    w.cbo_series->setCurrentText(series);
    w.cbo_combine->setCurrentIndex(1);
    w.setMinimumSize(0, 0);
    w.resize(size);
    w.show();
    settle(w);
    QTEST(w.arrangement(), "arrangement");
    QTEST(w.report->is_form(), "form");
    if (w.arrangement() == Arrangement::tabs) QCOMPARE(w.panes->tabs()->currentWidget(), report_pane(w));
    QCOMPARE(cut_labels(w), QStringList());
}

// Each update sizes the pane from its new texts: wider for "two in series"
// and "exact", narrower again after.
void PartsLayoutTest::reportPaneFollowsItsContent() {
    frm_parts w(nullptr);
    w.show_design(solved(Mode::sos, {{vandrel::Field::freq, "20"}, {vandrel::Field::q, "2"}}), Mode::sos);
    w.resize(1000, 700);
    w.show();
    settle(w);
    QCOMPARE(w.arrangement(), Arrangement::beside);
    const int single = report_pane(w)->width();
    std::vector<int> widths;
    for (const auto& [series, combine] : {std::pair{"E24", 1}, std::pair{"exact", 0}, std::pair{"E24", 0}}) {
        w.cbo_series->setCurrentText(QLatin1String(series));
        w.cbo_combine->setCurrentIndex(combine);
        QCoreApplication::processEvents();
        QVERIFY2(cut_labels(w).isEmpty(), qPrintable(series + cut_labels(w).join(QLatin1Char(' '))));
        widths.push_back(report_pane(w)->width());
    }
    QVERIFY2(widths[0] > single && widths[1] > single, qPrintable(QStringLiteral("%1 %2 %3").arg(single).arg(widths[0]).arg(widths[1])));
    QCOMPARE(widths[2], single);
}

// Dragged wider, the pane stays so, in this window and the next.
void PartsLayoutTest::splitterKeptInTheSettings() {
    const vandrel::Module1 design = solved(Mode::butterworth);
    int dragged = 0;
    {
        frm_parts w(nullptr);
        w.show_design(design, Mode::butterworth);
        w.resize(1000, 700);
        w.show();
        settle(w);
        QSplitter* splitter = w.panes->splitter();
        dragged = splitter->sizes()[0] + 120;
        splitter->setSizes({dragged, splitter->width() - dragged});
        emit splitter->splitterMoved(dragged, 1);
        w.cbo_series->setCurrentText(QStringLiteral("E96"));
        QCoreApplication::processEvents();
        QCOMPARE(report_pane(w)->width(), dragged);
    }
    frm_parts again(nullptr);
    again.show_design(design, Mode::butterworth);
    again.show();
    settle(again);
    QCOMPARE(report_pane(again)->width(), dragged);
}

void PartsLayoutTest::readoutWrapsWhereNarrow() {
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.resize(330, 620);
    w.show();
    settle(w);
    w.panes->tabs()->setCurrentWidget(w.plot);
    w.plot->readout_label()->setText(w.plot->readout(21.38));
    QCoreApplication::processEvents();
    const QLabel* readout = w.plot->readout_label();
    QVERIFY(readout->width() <= w.plot->width());
    QVERIFY2(readout->height() >= readout->heightForWidth(readout->width()),
             qPrintable(QStringLiteral("%1 < %2").arg(readout->height()).arg(readout->heightForWidth(readout->width()))));
}

void PartsLayoutTest::reportScrollsFromTheKeyboard() {
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.resize(330, 620);
    w.show();
    settle(w);
    QScrollArea* pane = report_pane(w);
    QCOMPARE(pane->focusPolicy(), Qt::StrongFocus);
    QVERIFY(pane->verticalScrollBar()->maximum() > 0);
    QTest::keyClick(pane, Qt::Key_PageDown);
    QVERIFY(pane->verticalScrollBar()->value() > 0);
    QTest::keyClick(pane, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(pane, Qt::Key_Down);
    QVERIFY(pane->verticalScrollBar()->value() > 0);
}

void PartsLayoutTest::tabGoesThroughChoicesFiguresCommands_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("order");
    // The plot after the figures where it is shown beside them; on tabs,
    // once its tab is chosen.
    QTest::newRow("beside") << QSize(1000, 700)
                            << "cbo_series cbo_combine spn_r_tol spn_c_tol cbo_capacitor spn_load spn_source_v "
                               "spn_supply spn_amp_sensitivity report_scroll magnitude_view cmd_copy cmd_spice "
                               "cmd_csv cmd_frd cmd_plot cmd_sheet cmd_kicad";
    QTest::newRow("on tabs") << QSize(330, 620)
                             << "cbo_series cbo_combine spn_r_tol spn_c_tol cbo_capacitor spn_load spn_source_v "
                                "spn_supply spn_amp_sensitivity report_scroll cmd_copy cmd_spice cmd_csv cmd_frd "
                                "cmd_plot cmd_sheet cmd_kicad cbo_series";
}

// In whatever arrangement, and after changing it.
void PartsLayoutTest::tabGoesThroughChoicesFiguresCommands() {
    QFETCH(QSize, size);
    frm_parts w(nullptr);
    w.show_design(solved(Mode::butterworth), Mode::butterworth);
    w.resize(size == QSize(1000, 700) ? QSize(330, 620) : QSize(1000, 700));
    w.show();
    settle(w);
    w.resize(size);
    settle(w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.cbo_series->setFocus();
    QStringList order;
    for (int i = 0; i < 18; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTEST(order.join(QLatin1Char(' ')), "order");
}

// Run at scale factors 1 and 2 (1920 x 1080 and 960 x 540 logical pixels).
void PartsLayoutTest::leastSizeWithinTheScreen() {
    make_parts_window_here();
    frm_vandrel main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.mnu_parts->trigger();
    frm_parts* w = opened_parts_window();
    QVERIFY(w);
    settle(*w);
    const QRect screen = w->screen()->availableGeometry();
    const QSize frame = w->frameGeometry().size() - w->geometry().size();
    const QSize least = w->minimumSize() + frame;
    QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4").arg(w->minimumWidth()).arg(w->minimumHeight())
                            .arg(screen.width()).arg(screen.height())));
    QVERIFY(screen.contains(w->frameGeometry()));
    vandrel::ui::set_parts_factory({});
}

QTEST_MAIN(PartsLayoutTest)
#include "parts_layout_test.moc"
