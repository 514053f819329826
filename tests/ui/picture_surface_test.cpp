// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt picture surface: user scale, pens, points, text and clearing, and
// the response graph drawn through it at normal and double pixel density.

#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include <cmath>
#include <optional>

#include "layout.h"
#include "qt_picture_surface.h"
#include "vandrel/graph.h"

using vandrel::ui::QtPictureSurface;

namespace {

QImage blank(QSize logical, qreal ratio) {
    QImage image(logical * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);  // so that Cls shows
    return image;
}

QColor at(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixelColor(int(std::floor(logical.x() * r)), int(std::floor(logical.y() * r)));
}

QColor qcolor(vandrel::Rgb c) { return {c.r, c.g, c.b}; }

// The device rows in column `x` (logical) within `reach` logical pixels of
// `y` that have exactly `colour`.
int rows_with(const QImage& image, double x, double y, double reach, const QColor& colour) {
    const qreal r = image.devicePixelRatio();
    const int column = int(std::floor(x * r));
    int count = 0;
    for (int row = int(std::floor((y - reach) * r)); row <= int(std::ceil((y + reach) * r)); ++row)
        if (row >= 0 && row < image.height() && image.pixelColor(column, row) == colour) ++count;
    return count;
}

// Bounding box, in device pixels, of everything that is not white.
QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) box |= QRect(x, y, 1, 1);
    return box;
}

void add_ratios() {
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1x") << qreal(1);
    QTest::newRow("2x") << qreal(2);
}

}  // namespace

class PictureSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void graphColours_data();
    void graphColours();
    void scaleMapsOntoTheWholeImage_data() { add_ratios(); }
    void scaleMapsOntoTheWholeImage();
    void printPutsTextCellAtCurrentPosition_data() { add_ratios(); }
    void printPutsTextCellAtCurrentPosition();
    void clsClearsAndResetsPosition();
    void wideDotAndEmptyScale();
    void nullImageIsHarmless();
};

void PictureSurfaceTest::graphColours_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<double>("f");       // Hz
    QTest::addColumn<double>("level");   // dB
    QTest::addColumn<double>("reach");   // logical pixels searched up and down
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("rows");       // device rows of that colour, at least
    for (qreal ratio : {1.0, 2.0}) {
        const auto row = [ratio](const char* what, double f, double level, double reach, vandrel::Rgb c, int rows) {
            QTest::addRow("%s %gx", what, ratio) << ratio << f << level << reach << qcolor(c) << rows;
        };
        const double ratio_rows = ratio;
        row("background between grid lines", 1.5, 4.5, 0, {255, 255, 255}, 1);
        row("0 dB line", 1.5, 0, 1, vandrel::graph_colours::zero_db_line, int(ratio_rows));
        row("-3 dB line", 1.5, -3, 1, vandrel::graph_colours::minus_3db_line, int(ratio_rows));
        row("dark grid at +6 dB", 1.5, 6, 1, vandrel::graph_colours::dark_grid, int(ratio_rows));
        row("light grid at +8 dB", 1.5, 8, 1, vandrel::graph_colours::light_grid, int(ratio_rows));
        // f0 20 Hz, Q 0.707: about -1.2 dB at 30 Hz, -3 dB at 20 Hz.
        row("curve at 30 Hz", 30, vandrel::response_level_db(30, 20, 0.707), 2, vandrel::graph_colours::curve, 1);
        row("curve at 20 Hz", 20.5, vandrel::response_level_db(20.5, 20, 0.707), 2, vandrel::graph_colours::curve,
            1);
    }
}

void PictureSurfaceTest::graphColours() {
    QFETCH(qreal, ratio);
    QFETCH(double, f);
    QFETCH(double, level);
    QFETCH(double, reach);
    QFETCH(QColor, colour);
    QFETCH(int, rows);
    const QSize size(711, 197);
    QImage image = blank(size, ratio);
    {
        QtPictureSurface surface(image, vandrel::ui::dialog_font());
        vandrel::draw_graph(surface, 20, 0.707);
    }
    const double x = std::log(f) / std::log(100.0) * size.width();
    const double y = (10 - level) / 20 * size.height();
    if (reach == 0) {
        QCOMPARE(at(image, {x, y}), colour);
    } else {
        QVERIFY2(rows_with(image, x, y, reach, colour) >= rows,
                 qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
    }
}

void PictureSurfaceTest::scaleMapsOntoTheWholeImage() {
    QFETCH(qreal, ratio);
    QImage image = blank({100, 50}, ratio);
    {
        QtPictureSurface surface(image, vandrel::ui::dialog_font());
        surface.ScaleHeight(10);
        surface.ScaleWidth(4);
        surface.Cls();
        QCOMPARE(surface.to_pixels(4, 10), QPointF(100, 50));
        surface.ForeColor({255, 0, 0});
        surface.Line(0, 5, 4, 5);  // across the middle
        surface.ForeColor({0, 0, 255});
        surface.PSet(1, 2);        // one point at 25, 10
    }
    QCOMPARE(at(image, {50, 25}), QColor(255, 0, 0));
    QCOMPARE(at(image, {99, 25}), QColor(255, 0, 0));
    QCOMPARE(at(image, {50, 20}), QColor(Qt::white));
    QCOMPARE(at(image, {25, 10}), QColor(0, 0, 255));
    // A one-pixel point covers one logical pixel.
    QCOMPARE(at(image, {26.5, 10}), QColor(Qt::white));
    QCOMPARE(at(image, {25, 11.5}), QColor(Qt::white));
}

void PictureSurfaceTest::printPutsTextCellAtCurrentPosition() {
    QFETCH(qreal, ratio);
    QImage image = blank({100, 100}, ratio);
    {
        QtPictureSurface surface(image, vandrel::ui::dialog_font());
        surface.Cls();
        surface.ForeColor({255, 255, 255});
        surface.PSet(20, 30);  // an invisible point: only the text shows
        surface.ForeColor({0, 0, 0});
        surface.Print("MdB");
    }
    const QRectF box = ink(image);
    const QRectF logical(box.topLeft() / ratio, box.size() / ratio);
    // The cell's top-left is at the point; the letters sit inside the cell,
    // so their ink starts a little right of and below it.
    QVERIFY2(logical.left() >= 20 && logical.left() < 23, qPrintable(QString::number(logical.left())));
    QVERIFY2(logical.top() >= 30 && logical.top() < 34, qPrintable(QString::number(logical.top())));
    QVERIFY(logical.bottom() < 30 + 16);
    QVERIFY(logical.width() > 15);
}

void PictureSurfaceTest::clsClearsAndResetsPosition() {
    QImage image = blank({60, 40}, 1);
    {
        QtPictureSurface surface(image, vandrel::ui::dialog_font());
        surface.ForeColor({0, 0, 0});
        surface.Line(0, 0, 60, 40);
        surface.PSet(40, 30);
        surface.Cls();
        QCOMPARE(ink(image), QRect());
        surface.Print("8");  // at the origin after Cls
    }
    const QRect box = ink(image);
    QVERIFY(!box.isEmpty());
    QVERIFY(box.left() < 4 && box.top() < 6);
}

void PictureSurfaceTest::wideDotAndEmptyScale() {
    QImage image = blank({20, 20}, 1);
    {
        QtPictureSurface surface(image, vandrel::ui::dialog_font());
        surface.Cls();
        surface.ScaleWidth(0);  // ignored: the scale stays one unit per pixel
        surface.ScaleHeight(std::nanf(""));
        surface.ForeColor({0, 0, 0});
        surface.DrawWidth(4);
        surface.PSet(10, 10);
    }
    const QRect box = ink(image);
    QVERIFY2(box.width() >= 3 && box.width() <= 5, qPrintable(QString::number(box.width())));
    QVERIFY(box.contains(10, 10));
}

void PictureSurfaceTest::nullImageIsHarmless() {
    QImage image;
    QtPictureSurface surface(image, vandrel::ui::dialog_font());
    vandrel::draw_graph(surface, 17, 0.707);
    QVERIFY(image.isNull());
}

QTEST_MAIN(PictureSurfaceTest)
#include "picture_surface_test.moc"
