// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard, and its graph on screens of different
// pixel density (two offscreen screens, the second at 2x: two_screens.json).

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "recording_sink.h"
#include "window_helpers.h"

namespace {

// How much of an entry's place on the menu bar is drawn in the highlight
// colour, 0 to 1.
double highlighted(QMenuBar* bar, QAction* entry) {
    const QImage image = bar->grab(bar->actionGeometry(entry)).toImage();
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == highlight;
    return double(n) / (image.width() * image.height());
}

}  // namespace

class MainWindowInputTest : public QObject {
    Q_OBJECT

private slots:
    void solveFromTheKeyboard_data();
    void solveFromTheKeyboard();
    void menuBarFromTheKeyboard_data();
    void menuBarFromTheKeyboard();
    void graphFollowsThePixelRatio();
};

void MainWindowInputTest::solveFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void MainWindowInputTest::solveFromTheKeyboard() {
    QFETCH(int, key);
    RecordingSink sink;
    auto w = open_active_window();
    QVERIFY(w);
    w->txt_freq->setText(QStringLiteral("20"));
    w->Command1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->Command1, Qt::Key(key));
    QCOMPARE(w->lbl_f3->text(), QStringLiteral("f3 =  20hz"));
}

void MainWindowInputTest::menuBarFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("F10") << int(Qt::Key_F10);
    QTest::newRow("Alt alone") << int(Qt::Key_Alt);
}

// The menu bar takes the keyboard with its first entry highlighted, the
// arrows choose, Esc gives the keyboard back, Enter acts.
void MainWindowInputTest::menuBarFromTheKeyboard() {
    QFETCH(int, key);
    RecordingSink sink;
    auto w = open_active_window();
    QVERIFY(w);
    const auto take_menu_bar = [&] {
        w->txt_gain->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w->txt_gain, Qt::Key(key), key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        return QApplication::focusWidget() == w->menuBar() && w->menuBar()->activeAction() == w->mnu_print;
    };
    QCOMPARE(highlighted(w->menuBar(), w->mnu_print), 0.0);
    QVERIFY(take_menu_bar());
    QVERIFY2(highlighted(w->menuBar(), w->mnu_print) > 0.5, qPrintable(QString::number(highlighted(w->menuBar(), w->mnu_print))));
    QTest::keyClick(w->menuBar(), Qt::Key_Right);
    QCOMPARE(w->menuBar()->activeAction(), w->mnu_about);
    QCOMPARE(highlighted(w->menuBar(), w->mnu_print), 0.0);
    QVERIFY(highlighted(w->menuBar(), w->mnu_about) > 0.5);
    QTest::keyClick(w->menuBar(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), w->txt_gain);
    QCOMPARE(highlighted(w->menuBar(), w->mnu_about), 0.0);

    QVERIFY(take_menu_bar());
    QTest::keyClick(w->menuBar(), Qt::Key_Return);
    QCOMPARE(sink.questions,
             QStringList{QStringLiteral("Would you like me to ...|Print this form using current printer settings?")});
    QCOMPARE(QApplication::focusWidget(), w->txt_gain);
}

// Moved to a screen of another scale, the graph is drawn again at its pixel
// density, from the design last solved, and so is the circuit diagram.
void MainWindowInputTest::graphFollowsThePixelRatio() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    if (QGuiApplication::screens().size() < 2)
        QSKIP("needs the two screens of two_screens.json");
    w->opt_showgraph->click();
    w->txt_freq->setText(QStringLiteral("30"));
    w->Command1->click();
    for (const qreal ratio : {2.0, 1.0}) {
        w->move(ratio == 2 ? 850 : 50, 50);
        QTRY_COMPARE(w->picture_graph->image().devicePixelRatio(), ratio);
        QCOMPARE(w->picture_graph->image().size(), QSize(711, 197) * ratio);
        QCOMPARE(w->picture_graph->image(), reference_graph(*w));
    }
    w->opt_showcircuit->click();
    w->txt_gain->setText(QStringLiteral("0"));
    for (const qreal ratio : {2.0, 1.0}) {
        w->move(ratio == 2 ? 850 : 50, 50);
        QTRY_COMPARE(w->picture_circuit->pixmap().devicePixelRatio(), ratio);
        QCOMPARE(w->picture_circuit->pixmap().size(), QSize(395, 197) * ratio);
    }
}

QTEST_MAIN(MainWindowInputTest)
#include "main_window_input_test.moc"
