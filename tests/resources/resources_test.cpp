// Checks the pictures compiled into the program: that they are reachable
// under their resource paths without any explicit initialisation, their
// sizes, and the colours the windows rely on.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const QString gain_diagram = QStringLiteral(":/circuit/gain.gif");
const QString nogain_diagram = QStringLiteral(":/circuit/nogain.gif");

// The five colours of the circuit diagrams.
const QRgb background = qRgb(0xE0, 0xE0, 0xE0);
const QRgb ink = qRgb(0x00, 0x84, 0xDE);
const QRgb designator = qRgb(0xDE, 0x5A, 0x00);
const QRgb opamp_fill = qRgb(0xFF, 0xFF, 0xEF);
const QRgb sign = qRgb(0xBD, 0x00, 0x21);

// First column right of the input buffer's output node; from here to the
// right edge both diagrams show the same high-pass stage and output.
constexpr int common_from_x = 180;

QImage load_rgb(const QString &path)
{
    QImage image(path);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

QSet<QRgb> colours_of(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

int count_colour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) | 0xFF000000u) == colour)
                ++n;
    return n;
}

bool has_opaque(const QImage &argb, QRgb colour)
{
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (argb.pixel(x, y) == (colour | 0xFF000000u))
                return true;
    return false;
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void loads_with_size_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("with-gain diagram") << gain_diagram << QSize(395, 197);
        QTest::newRow("without-gain diagram") << nogain_diagram << QSize(395, 197);
        QTest::newRow("main icon") << QStringLiteral(":/icons/vandrel.png") << QSize(32, 32);
        QTest::newRow("About icon") << QStringLiteral(":/icons/about.png") << QSize(32, 32);
        QTest::newRow("logo") << QStringLiteral(":/about/logo.gif") << QSize(81, 81);
        QTest::newRow("separator") << QStringLiteral(":/about/separator.gif") << QSize(748, 2);
    }

    void loads_with_size()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), size);
    }

    void diagram_has_full_colour_table_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("with gain") << gain_diagram;
        QTest::newRow("without gain") << nogain_diagram;
    }

    void diagram_has_full_colour_table()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(13);
        QCOMPARE(header.size(), 13);
        QVERIFY(header.startsWith("GIF8"));
        // Logical screen descriptor: a global table (bit 7) of 2^(n+1) entries.
        const auto flags = static_cast<unsigned char>(header[10]);
        QVERIFY(flags & 0x80);
        QCOMPARE(2 << (flags & 0x07), 256);
    }

    void diagram_uses_the_five_colours_data() { diagram_has_full_colour_table_data(); }

    void diagram_uses_the_five_colours()
    {
        QFETCH(QString, path);
        const QImage image = load_rgb(path);
        QVERIFY(!image.isNull());
        const QSet<QRgb> expected{background, ink, designator, opamp_fill, sign};
        QCOMPARE(colours_of(image), expected);
        QCOMPARE(image.pixel(0, 0) | 0xFF000000u, background);
    }

    void diagrams_share_the_high_pass_stage()
    {
        const QImage gain = load_rgb(gain_diagram);
        const QImage nogain = load_rgb(nogain_diagram);
        QVERIFY(!gain.isNull() && !nogain.isNull());
        for (int x = common_from_x; x < gain.width(); ++x)
            for (int y = 0; y < gain.height(); ++y)
                if (gain.pixel(x, y) != nogain.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("diagrams differ at %1,%2").arg(x).arg(y)));
    }

    void only_the_gain_diagram_has_r1()
    {
        // R1 is the one designator the without-gain diagram lacks, so the
        // with-gain picture carries more designator colour in its input stage.
        const QImage gain = load_rgb(gain_diagram).copy(0, 0, common_from_x, 197);
        const QImage nogain = load_rgb(nogain_diagram).copy(0, 0, common_from_x, 197);
        QCOMPARE(count_colour(nogain, designator), 0);
        QVERIFY(count_colour(gain, designator) > 0);
    }

    void separator_is_etched()
    {
        const QImage image = load_rgb(QStringLiteral(":/about/separator.gif"));
        QCOMPARE(image.size(), QSize(748, 2));
        for (int x = 0; x < image.width(); ++x) {
            QCOMPARE(image.pixel(x, 0), qRgb(128, 128, 128));
            QCOMPARE(image.pixel(x, 1), qRgb(255, 255, 255));
        }
    }

    void icon_is_transparent_with_its_colours_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QRgb>("first");
        QTest::addColumn<QRgb>("second");
        QTest::newRow("main icon") << QStringLiteral(":/icons/vandrel.png")
                                   << qRgb(0x00, 0x83, 0xD7) << qRgb(0xFF, 0x33, 0x00);
        QTest::newRow("About icon") << QStringLiteral(":/icons/about.png")
                                    << qRgb(0x00, 0x83, 0xD7) << qRgb(0xFF, 0x33, 0x00);
    }

    void icon_is_transparent_with_its_colours()
    {
        QFETCH(QString, path);
        QFETCH(QRgb, first);
        QFETCH(QRgb, second);
        const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QVERIFY(has_opaque(icon, first));
        QVERIFY(has_opaque(icon, second));
    }

    void about_icon_is_its_own()
    {
        QVERIFY(QImage(QStringLiteral(":/icons/about.png"))
                != QImage(QStringLiteral(":/icons/vandrel.png")));
    }

    void logo_has_blue_and_red_on_a_light_background()
    {
        const QImage logo = load_rgb(QStringLiteral(":/about/logo.gif"));
        QVERIFY(!logo.isNull());
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
