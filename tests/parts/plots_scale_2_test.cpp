// SPDX-License-Identifier: GPL-3.0-or-later
// Both pages' plots on a 1920 x 1080 screen, also at a scale factor of 2
// (960 x 540 points): every axis title and label is drawn whole, never cut
// short with an ellipsis, every chart of a page is shown at its full
// height, scrolling where the pane is shorter than that, and the Parts
// window opens in front of the main window where it has no room beside it.

#include <QApplication>
#include <QChartView>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QtTest>

#include <memory>

#include "frm_vandrel.h"
#include "main_window_helpers.h"
#include "parts_page/response_plot.h"
#include "recording_sink.h"
#include "subwoofer_page/speaker_plot.h"
#include "subwoofer_test_helpers.h"
#include "widgets/parts_panes.h"

using vandrel::Mode;

namespace {

// The texts of a chart that are cut short: Qt Charts ends them with "...".
QStringList cut_texts(const QChartView* view) {
    QStringList cut;
    for (const QGraphicsItem* item : view->scene()->items()) {
        if (!item->isVisible()) continue;
        QString text;
        if (const auto* t = dynamic_cast<const QGraphicsTextItem*>(item)) text = t->toPlainText();
        if (const auto* t = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) text = t->text();
        if (text.contains(QStringLiteral("...")) || text.contains(QChar(0x2026))) cut << text;
    }
    return cut;
}

// The texts of a chart's axes as drawn, to be sure there are some.
int texts_in(const QChartView* view) {
    int n = 0;
    for (const QGraphicsItem* item : view->scene()->items())
        n += item->isVisible() && dynamic_cast<const QGraphicsTextItem*>(item) != nullptr;
    return n;
}

}  // namespace

class PlotsScaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { use_own_settings(settings_dir_); }
    void init() {
        clear_settings();
        keep({{"subwoofer/qes", "0.48"}, {"subwoofer/qms", "6.2"}, {"subwoofer/vas", "68"}, {"subwoofer/re", "3.3"},
              {"subwoofer/sd", "480"}, {"subwoofer/xmax", "12.5"}, {"subwoofer/le", "1.6"}});
    }
    void cleanup() { vandrel::ui::set_parts_factory({}); }

    void axesWholeAndEveryChartShown_data();
    void axesWholeAndEveryChartShown();

private:
    QTemporaryDir settings_dir_;
    RecordingSink sink_;
};

void PlotsScaleTest::axesWholeAndEveryChartShown_data() {
    QTest::addColumn<bool>("subwoofer");
    QTest::addColumn<bool>("least");  // at the window's least size, else where it first opens
    QTest::addColumn<int>("charts");

    QTest::newRow("subwoofer, first place") << true << false << 3;
    QTest::newRow("subwoofer, least size") << true << true << 3;
    QTest::newRow("parts, first place") << false << false << 2;
    QTest::newRow("parts, least size") << false << true << 2;
}

void PlotsScaleTest::axesWholeAndEveryChartShown() {
    QFETCH(bool, subwoofer);
    QFETCH(bool, least);
    make_parts_window_here();
    frm_vandrel main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    (subwoofer ? main.mnu_subwoofer : main.mnu_parts)->trigger();
    frm_parts* w = opened_parts_window();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // Beside the main window where there is room for a page 560 wide, else
    // in front of it.
    const QRect screen = main.screen()->availableGeometry();
    QCOMPARE(w->frameGeometry().intersects(main.frameGeometry()), screen.width() < 1500);
    QVERIFY(w->width() >= std::min(560, screen.width()));
    if (least) w->resize(w->minimumSize());
    vandrel::ui::PartsPanes* panes = subwoofer ? w->subwoofer->panes : w->panes;
    if (panes->arrangement() == vandrel::ui::Arrangement::tabs) panes->tabs()->setCurrentIndex(1);
    QApplication::processEvents();

    const std::vector<QChartView*> views =
        subwoofer ? std::vector<QChartView*>{w->subwoofer->plot->spl_view(), w->subwoofer->plot->excursion_view(),
                                             w->subwoofer->plot->port_view()}
                  : std::vector<QChartView*>{w->plot->magnitude_view(), w->plot->delay_view()};
    int shown = 0;
    for (QChartView* view : views) {
        if (!view->isVisibleTo(w)) continue;
        ++shown;
        QVERIFY2(view->height() >= view->minimumHeight(),
                 qPrintable(QStringLiteral("%1: %2 of %3").arg(view->objectName()).arg(view->height()).arg(view->minimumHeight())));
        QVERIFY(texts_in(view) >= 6);
        QCOMPARE(cut_texts(view), QStringList());
    }
    QTEST(shown, "charts");
    // A plot shorter than its charts scrolls rather than squeeze them.
    auto* scroll = views.front()->parentWidget()->parentWidget()->parentWidget();
    QVERIFY(qobject_cast<QScrollArea*>(scroll));
    // Squeezed all the same, a chart cuts its texts: what is looked for
    // above is there to be found.
    views.front()->setMinimumHeight(0);
    views.front()->setFixedHeight(60);
    QApplication::processEvents();
    QVERIFY(!cut_texts(views.front()).isEmpty());
}

QTEST_MAIN(PlotsScaleTest)
#include "plots_scale_2_test.moc"
