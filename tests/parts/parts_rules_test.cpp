// SPDX-License-Identifier: GPL-3.0-or-later
// The Parts window's rules without a window: where it is first placed on
// common screens, where a saved place is pulled to, how its panes are
// arranged, which texts its number fields take, and where the keys move a
// plot's cursor.

#include <QtTest>

#include <cmath>
#include <optional>

#include "widgets/entry_check.h"
#include "parts_window/parts_placement.h"
#include "plots/keyboard_readout.h"
#include "widgets/arrangement.h"

using vandrel::ui::Arrangement;

Q_DECLARE_METATYPE(Arrangement)
Q_DECLARE_METATYPE(std::optional<double>)

class PartsRulesTest : public QObject {
    Q_OBJECT

private slots:
    void firstPlaceBesideTheMainWindow_data();
    void firstPlaceBesideTheMainWindow();
    void savedPlacePulledOntoTheScreen_data();
    void savedPlacePulledOntoTheScreen();
    void panesArrangedForTheirShape_data();
    void panesArrangedForTheirShape();
    void numberFieldsTakeOrSayWhy_data();
    void numberFieldsTakeOrSayWhy();
    void cursorKeys_data();
    void cursorKeys();
};

// The main window's frame under openbox, 713 x 448 with its title bar,
// centred on the screen. Beside it where a side has room for a page at
// least 560 wide; else in front of it, as large as is worth having.
void PartsRulesTest::firstPlaceBesideTheMainWindow_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("client");  // of the Parts window
    QTest::addColumn<bool>("beside");

    QTest::newRow("1920x1080: right, the whole height") << QSize(1920, 1080) << QRect(1317, 21, 602, 1058) << true;
    QTest::newRow("2560x1440: right, centred, at most 1100 high") << QSize(2560, 1440) << QRect(1637, 179, 922, 1100)
                                                                 << true;
    // 442, 325 and 282 wide on the right: strips, not pages.
    QTest::newRow("1600x1000: in front, centred") << QSize(1600, 1000) << QRect(199, 21, 1200, 978) << false;
    QTest::newRow("1366x768: in front, the whole height") << QSize(1366, 768) << QRect(82, 21, 1200, 746) << false;
    QTest::newRow("1280x1024: in front") << QSize(1280, 1024) << QRect(39, 21, 1200, 1002) << false;
    // 1920 x 1080 at a scale factor of 2.
    QTest::newRow("960x540: the whole screen") << QSize(960, 540) << QRect(1, 21, 958, 518) << false;
    QTest::newRow("1024x768: the whole screen") << QSize(1024, 768) << QRect(1, 21, 1022, 746) << false;
    // Smaller than the main window: still wholly on the screen.
    QTest::newRow("700x400: the whole screen") << QSize(700, 400) << QRect(1, 21, 698, 378) << false;
}

void PartsRulesTest::firstPlaceBesideTheMainWindow() {
    QFETCH(QSize, screen);
    const QRect main(QPoint((screen.width() - 713) / 2, (screen.height() - 448) / 2), QSize(713, 448));
    vandrel::ui::PlaceRequest request{QRect(QPoint(0, 0), screen),
                                      main,
                                      QMargins(1, 21, 1, 1),
                                      280,
                                      560,
                                      [](int width) { return width < 600 ? 660 : 420; },
                                      QSize(1200, 1100)};
    const vandrel::ui::FirstPlace place = vandrel::ui::first_place(request);
    QTEST(place.client, "client");
    QTEST(place.beside, "beside");
    const QRect frame = place.client.marginsAdded(request.frame);
    QVERIFY(request.screen.contains(frame));
    QCOMPARE(frame.intersects(main), !place.beside);
}

void PartsRulesTest::savedPlacePulledOntoTheScreen_data() {
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("pulled");

    const QRect wide(0, 0, 1920, 1080), small(0, 0, 1366, 768), second(1920, 0, 1280, 1024);
    QTest::newRow("on the screen: kept") << QRect(100, 100, 800, 600) << wide << QRect(100, 100, 800, 600);
    QTest::newRow("beyond the right and bottom") << QRect(1500, 900, 800, 600) << small << QRect(566, 168, 800, 600);
    QTest::newRow("beyond the left and top") << QRect(-300, -50, 800, 600) << small << QRect(0, 0, 800, 600);
    QTest::newRow("larger than the screen") << QRect(200, 100, 2000, 1500) << small << QRect(0, 0, 1366, 768);
    QTest::newRow("beyond a second screen") << QRect(3500, 100, 900, 700) << second << QRect(2300, 100, 900, 700);
}

void PartsRulesTest::savedPlacePulledOntoTheScreen() {
    QFETCH(QRect, saved);
    QFETCH(QRect, screen);
    QTEST(vandrel::ui::pulled_onto(saved, screen, QSize(300, 400)), "pulled");
}

void PartsRulesTest::panesArrangedForTheirShape_data() {
    QTest::addColumn<QSize>("panes");
    QTest::addColumn<Arrangement>("arrangement");

    QTest::newRow("wide: beside") << QSize(1100, 700) << Arrangement::beside;
    QTest::newRow("square and wide enough: beside") << QSize(900, 900) << Arrangement::beside;
    QTest::newRow("tall: stacked") << QSize(600, 1000) << Arrangement::stacked;
    QTest::newRow("wide and short: beside") << QSize(958, 240) << Arrangement::beside;
    QTest::newRow("narrow and tall: stacked") << QSize(320, 900) << Arrangement::stacked;
    QTest::newRow("narrow and short: tabs") << QSize(320, 600) << Arrangement::tabs;
    QTest::newRow("neither: tabs") << QSize(700, 500) << Arrangement::tabs;
}

void PartsRulesTest::panesArrangedForTheirShape() {
    QFETCH(QSize, panes);
    QTEST(vandrel::ui::arrangement_for(panes, 450), "arrangement");
}

void PartsRulesTest::numberFieldsTakeOrSayWhy_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::addColumn<QString>("problem");

    const std::optional<double> none;
    const QString load_range = QStringLiteral("Type a number from 0.01 to 100000 k\u03a9.");
    QTest::newRow("load") << "load" << "10" << std::optional(10.0) << "";
    QTest::newRow("load with blanks") << "load" << " 2.2 " << std::optional(2.2) << "";
    QTest::newRow("load with its unit") << "load" << "4.7 k\u03a9" << std::optional(4.7) << "";
    QTest::newRow("load in exponent form") << "load" << "4.7e2" << std::optional(470.0) << "";
    QTest::newRow("load beyond a double") << "load" << "1e308" << none << "Load: 1e308 is too large. " + load_range;
    QTest::newRow("load negative") << "load" << "-5" << none << "Load: -5 is too small. " + load_range;
    QTest::newRow("load too large") << "load" << "999999999" << none << "Load: 999999999 is too large. " + load_range;
    QTest::newRow("load 0") << "load" << "0" << none << "Load: 0 is too small. " + load_range;
    QTest::newRow("load empty") << "load" << "" << none << "Load: type a number from 0.01 to 100000 k\u03a9.";
    QTest::newRow("load with a comma") << "load" << "1,5" << none
                                       << "Load: \u201c1,5\u201d is not a number. Type one from 0.01 to 100000 "
                                          "k\u03a9, with \u201c.\u201d as the decimal point.";
    QTest::newRow("load infinite") << "load" << "inf" << none
                                   << "Load: \u201cinf\u201d is not a number. Type one from 0.01 to 100000 k\u03a9, "
                                      "with \u201c.\u201d as the decimal point.";
    QTest::newRow("load overflowing") << "load" << "1e999" << none << "Load: 1e999 is too large. " + load_range;
    QTest::newRow("load far too long") << "load" << QString(65, QLatin1Char('1')) << none
                                       << "Load: that is not a number. Type one from 0.01 to 100000 k\u03a9.";
    QTest::newRow("tolerance 99") << "r_tol" << "99" << none
                                  << "Resistor tolerance: 99 is too large. Type a number from 0 to 50 %.";
    QTest::newRow("tolerance underflowing") << "r_tol" << "1e-999" << std::optional(0.0) << "";
    QTest::newRow("tolerance -0") << "c_tol" << "-0" << std::optional(0.0) << "";
    QTest::newRow("tolerance with a plus") << "c_tol" << "+3 %" << std::optional(3.0) << "";
}

void PartsRulesTest::numberFieldsTakeOrSayWhy() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    const vandrel::ui::EntryRange& range = field == QLatin1String("load")    ? vandrel::ui::load_range
                                           : field == QLatin1String("r_tol") ? vandrel::ui::r_tol_range
                                                                              : vandrel::ui::c_tol_range;
    const vandrel::ui::EntryCheck check = vandrel::ui::check_entry(text.toStdString(), range);
    QTEST(check.value, "value");
    QTEST(QString::fromStdString(check.problem), "problem");
    if (check.value) QVERIFY(!std::signbit(*check.value));
}

void PartsRulesTest::cursorKeys_data() {
    QTest::addColumn<double>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<std::optional<double>>("to");

    const std::optional<double> none;
    QTest::newRow("right from the start") << 20.0 << int(Qt::Key_Right) << std::optional(22.4);
    QTest::newRow("left from the start") << 20.0 << int(Qt::Key_Left) << std::optional(18.0);
    QTest::newRow("right into the next decade") << 90.0 << int(Qt::Key_Right) << std::optional(100.0);
    QTest::newRow("left into the decade below") << 10.0 << int(Qt::Key_Left) << std::optional(9.0);
    QTest::newRow("right from between two steps") << 23.5 << int(Qt::Key_Right) << std::optional(25.0);
    QTest::newRow("page up: a decade") << 31.5 << int(Qt::Key_PageUp) << std::optional(315.0);
    QTest::newRow("page down: a decade") << 31.5 << int(Qt::Key_PageDown) << std::optional(3.15);
    QTest::newRow("page up near the top: 1 kHz") << 500.0 << int(Qt::Key_PageUp) << std::optional(1000.0);
    QTest::newRow("page down near the bottom: 1 Hz") << 5.0 << int(Qt::Key_PageDown) << std::optional(1.0);
    QTest::newRow("right at the top stays") << 1000.0 << int(Qt::Key_Right) << std::optional(1000.0);
    QTest::newRow("left at the bottom stays") << 1.0 << int(Qt::Key_Left) << std::optional(1.0);
    QTest::newRow("home") << 250.0 << int(Qt::Key_Home) << std::optional(1.0);
    QTest::newRow("end") << 2.5 << int(Qt::Key_End) << std::optional(1000.0);
    QTest::newRow("below the axis: from 1 Hz") << 0.2 << int(Qt::Key_Right) << std::optional(1.12);
    QTest::newRow("above the axis: from 1 kHz") << 5000.0 << int(Qt::Key_Left) << std::optional(900.0);
    QTest::newRow("up: not a cursor key") << 20.0 << int(Qt::Key_Up) << none;
    QTest::newRow("a letter") << 20.0 << int(Qt::Key_A) << none;
}

void PartsRulesTest::cursorKeys() {
    QFETCH(double, from);
    QFETCH(int, key);
    QFETCH(std::optional<double>, to);
    const std::optional<double> moved = vandrel::ui::cursor_after_key(from, key);
    QCOMPARE(moved.has_value(), to.has_value());
    if (to) QVERIFY2(std::abs(*moved - *to) <= 1e-9 * *to, qPrintable(QString::number(*moved, 'g', 17)));
}

QTEST_APPLESS_MAIN(PartsRulesTest)
#include "parts_rules_test.moc"
