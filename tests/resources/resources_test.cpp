// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the program's pictures: their sizes at every scale, the colours the
// windows rely on, that the diagrams are drawn at the screen's resolution
// rather than enlarged, and that the window icons are reachable as resources
// without any explicit initialisation.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <QTest>

#include <cmath>

#include "pictures.h"

using vandrel::pictures::Diagram;
Q_DECLARE_METATYPE(vandrel::pictures::Diagram)

namespace {

// The five colours of the circuit diagrams.
const QRgb background = qRgb(0xE0, 0xE0, 0xE0);
const QRgb ink = qRgb(0x00, 0x84, 0xDE);
const QRgb designator = qRgb(0xDE, 0x5A, 0x00);
const QRgb opamp_fill = qRgb(0xFF, 0xFF, 0xEF);
const QRgb sign = qRgb(0xBD, 0x00, 0x21);

// First column right of the input buffer's output node; from here to the
// right edge both diagrams show the same high-pass stage and output.
constexpr int common_from_x = 180;

QImage diagram(Diagram which, qreal ratio = 1) {
    return vandrel::pictures::circuit_diagram(which, ratio).toImage().convertToFormat(QImage::Format_RGB32);
}

QSet<QRgb> colours_of(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

int count_colour(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == colour) ++n;
    return n;
}

bool has_opaque(const QImage& argb, QRgb colour) {
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (argb.pixel(x, y) == (colour | 0xFF000000u)) return true;
    return false;
}

}  // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void size_at_scale_data() {
        QTest::addColumn<QPixmap>("picture");
        QTest::addColumn<QSize>("device_size");
        QTest::addColumn<qreal>("ratio");
        using namespace vandrel::pictures;
        for (qreal r : {1.0, 1.25, 1.5, 2.0}) {
            const auto row = [r](const char* name) {
                return &QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(QLatin1String(name)).arg(r)));
            };
            const auto device = [r](int w, int h) {
                return QSize(static_cast<int>(std::ceil(w * r)), static_cast<int>(std::ceil(h * r)));
            };
            *row("with-gain diagram") << circuit_diagram(Diagram::with_gain, r) << device(395, 197) << r;
            *row("without-gain diagram") << circuit_diagram(Diagram::without_gain, r) << device(395, 197) << r;
            *row("logo") << about_logo(r) << device(81, 81) << r;
            *row("separator") << separator(r) << device(748, 2) << r;
        }
    }

    void size_at_scale() {
        QFETCH(QPixmap, picture);
        QFETCH(QSize, device_size);
        QFETCH(qreal, ratio);
        QCOMPARE(picture.size(), device_size);
        QCOMPARE(picture.devicePixelRatio(), ratio);
    }

    void diagram_uses_the_five_colours_at_scale_1_data() {
        QTest::addColumn<Diagram>("which");
        QTest::newRow("with gain") << Diagram::with_gain;
        QTest::newRow("without gain") << Diagram::without_gain;
    }

    void diagram_uses_the_five_colours_at_scale_1() {
        QFETCH(Diagram, which);
        const QImage image = diagram(which);
        const QSet<QRgb> expected{background, ink, designator, opamp_fill, sign};
        QCOMPARE(colours_of(image), expected);
        QCOMPARE(image.pixel(0, 0) | 0xFF000000u, background);
        // The picture drawn when the program was built is there, and is this drawing.
        QVERIFY(QFile::exists(which == Diagram::with_gain ? ":/circuit/gain.png" : ":/circuit/nogain.png"));
        QCOMPARE(image, vandrel::pictures::draw_circuit_diagram(which, 1).toImage().convertToFormat(QImage::Format_RGB32));
    }

    void diagram_is_drawn_at_the_screen_resolution_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void diagram_is_drawn_at_the_screen_resolution() {
        // An enlarged 1x picture repeats each pixel: at 2x every 2 x 2 block
        // would be of one colour, at 1.5x every other row would repeat the
        // one above. Drawn at the screen's resolution, lines and letters have
        // edges inside such blocks.
        QFETCH(qreal, ratio);
        const QImage image = diagram(Diagram::with_gain, ratio);
        int finer = 0;
        for (int y = 0; y + 1 < image.height(); y += 2)
            for (int x = 0; x + 1 < image.width(); x += 2)
                if (image.pixel(x, y) != image.pixel(x + 1, y + 1) || image.pixel(x, y) != image.pixel(x, y + 1)) ++finer;
        QVERIFY2(finer > 1000, qPrintable(QString::number(finer)));
        // Still the diagram's colours, smoothed only at the edges.
        QVERIFY(count_colour(image, ink) > 3000);
        QVERIFY(count_colour(image, designator) > 200);
        QVERIFY(count_colour(image, sign) > 30);
    }

    void diagrams_share_the_high_pass_stage_data() {
        QTest::addColumn<qreal>("ratio");
        for (qreal r : {1.0, 1.25, 1.5, 2.0}) QTest::addRow("%g", r) << r;
    }

    void diagrams_share_the_high_pass_stage() {
        QFETCH(qreal, ratio);
        const QImage gain = diagram(Diagram::with_gain, ratio);
        const QImage nogain = diagram(Diagram::without_gain, ratio);
        for (int x = static_cast<int>(std::ceil(common_from_x * ratio)); x < gain.width(); ++x)
            for (int y = 0; y < gain.height(); ++y)
                if (gain.pixel(x, y) != nogain.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("diagrams differ at %1,%2").arg(x).arg(y)));
    }

    void only_the_gain_diagram_has_r1() {
        // R1 is the one designator the without-gain diagram lacks, so the
        // with-gain picture carries designator colour in its input stage.
        const QImage gain = diagram(Diagram::with_gain).copy(0, 0, common_from_x, 197);
        const QImage nogain = diagram(Diagram::without_gain).copy(0, 0, common_from_x, 197);
        QCOMPARE(count_colour(nogain, designator), 0);
        QVERIFY(count_colour(gain, designator) > 0);
    }

    void separator_is_etched_data() { diagrams_share_the_high_pass_stage_data(); }

    void separator_is_etched() {
        // Grey above white at any scale, in whole device rows.
        QFETCH(qreal, ratio);
        const QImage image = vandrel::pictures::separator(ratio).toImage();
        for (int x = 0; x < image.width(); ++x) {
            QCOMPARE(image.pixel(x, 0) | 0xFF000000u, qRgb(128, 128, 128));
            QCOMPARE(image.pixel(x, image.height() - 1) | 0xFF000000u, qRgb(255, 255, 255));
        }
        QCOMPARE(colours_of(image).size(), 2);
    }

    void icon_is_transparent_with_its_colours_data() {
        QTest::addColumn<QIcon>("icon");
        QTest::addColumn<int>("size");
        QTest::addColumn<QRgb>("first");
        QTest::addColumn<QRgb>("second");
        const QRgb blue = qRgb(0x00, 0x83, 0xD7);
        const QRgb red = qRgb(0xFF, 0x33, 0x00);
        for (int size : {32, 48, 64}) {
            QTest::addRow("main icon %d", size) << vandrel::pictures::main_icon() << size << blue << red;
            QTest::addRow("About icon %d", size) << vandrel::pictures::about_icon() << size << blue << red;
        }
    }

    void icon_is_transparent_with_its_colours() {
        QFETCH(QIcon, icon);
        QFETCH(int, size);
        QFETCH(QRgb, first);
        QFETCH(QRgb, second);
        // The icon has its own picture at this size: it is not an enlarged
        // or reduced one.
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(has_opaque(image, first));
        QVERIFY(has_opaque(image, second));
    }

    void about_icon_is_its_own() {
        const QSize size(32, 32);
        QVERIFY(vandrel::pictures::about_icon().pixmap(size, 1.0).toImage() !=
                vandrel::pictures::main_icon().pixmap(size, 1.0).toImage());
    }

    void logo_has_blue_and_red_on_a_light_background() {
        const QImage logo = vandrel::pictures::about_logo(1).toImage();
        QVERIFY(qGray(logo.pixel(10, 10)) > 200);
        QVERIFY(qGray(logo.pixel(70, 70)) > 200);
        bool blue = false;
        bool red = false;
        for (int y = 0; y < logo.height(); ++y) {
            for (int x = 0; x < logo.width(); ++x) {
                const QRgb p = logo.pixel(x, y);
                blue = blue || (qBlue(p) > 200 && qRed(p) < 100);
                red = red || (qRed(p) > 200 && qBlue(p) < 100);
            }
        }
        QVERIFY(blue);
        QVERIFY(red);
    }
};

QTEST_MAIN(ResourcesTest)
#include "resources_test.moc"
