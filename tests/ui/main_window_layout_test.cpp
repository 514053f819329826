// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the user meets it: start-up state and caption, every
// control at its place with its name and caption, the band layout, the
// look, and the menu bar.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <map>
#include <memory>
#include <string>

#include "band_layout.h"
#include "frm_vandrel.h"
#include "layout.h"
#include "picture_box.h"
#include "qt_picture_surface.h"
#include "recording_sink.h"
#include "window_helpers.h"
#include "vandrel/batch.h"
#include "vandrel/graph.h"
#include "vandrel/number_text.h"

using vandrel::Field;
using vandrel::Mode;
using vandrel::ResultLabel;
using Texts = QMap<QString, QString>;  // control name -> text

Q_DECLARE_METATYPE(vandrel::Mode)

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void startUpStateAndCaption();
    void controlsCarryTheirNames();
    void controlGeometry_data();
    void controlGeometry();
    void bandLayout_data();
    void bandLayout();
    void appearance();
    void menuBarActsDirectly();
};

void MainWindowLayoutTest::startUpStateAndCaption() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Vandrel: 2nd-order high-pass filter    version: 1.01"));
    QCOMPARE(sink.messages, QStringList{});

    QCOMPARE(w->lbl_r1->text(), QStringLiteral("R1 = 15k"));
    QCOMPARE(w->lbl_r3->text(), QStringLiteral("R3 = 6.6k"));
    QCOMPARE(w->lbl_r4->text(), QStringLiteral("R4 = 13.2k"));
    QCOMPARE(w->lbl_f3->text(), QStringLiteral("f3 =  17hz"));
    QCOMPARE(w->design().f0, 17.0);
    QCOMPARE(w->design().q, 0.707);

    QVERIFY(w->opt_butterworth->isChecked());
    QVERIFY(w->opt_showcircuit->isChecked());
    QVERIFY(w->picture_circuit->isVisible());
    QVERIFY(!w->picture_graph->isVisible());
    QVERIFY(w->lbl_r1->isVisible());
    QVERIFY(shows_same_picture(w->picture_circuit, w->image_gain));
    QVERIFY(!w->image_gain->pixmap().isNull());
    // Drawn for the screen's scale (the test also runs at 1.5).
    QCOMPARE(w->picture_circuit->pixmap().devicePixelRatio(), w->devicePixelRatioF());

    QCOMPARE(look_of(w->txt_freq), Look::input);
    QCOMPARE(look_of(w->txt_q), Look::output);
    QCOMPARE(w->txt_q->text(), QStringLiteral("0.707"));
    QCOMPARE(look_of(w->txt_freq_peak), Look::hidden);
    QCOMPARE(look_of(w->txt_peakmag), Look::hidden);
    QVERIFY(w->lbl_freq_peak->isHidden());
    QVERIFY(w->lbl_peakmag->isHidden());
    // The hidden graph was drawn by the start-up Solve.
    QCOMPARE(w->picture_graph->image(), reference_graph(*w));

    // Client area: the picture band over the panel, below the menu bar;
    // the window cannot be resized.
    const int menu = w->menuBar()->height();
    QVERIFY(menu > 0);
    QCOMPARE(w->size(), QSize(711, menu + 408));
    QCOMPARE(w->centralWidget()->geometry(), QRect(0, menu, 711, 408));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    // Centred on its screen.
    const QRect screen = w->screen()->geometry();
    QVERIFY(qAbs(w->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(w->frameGeometry().center().y() - screen.center().y()) <= 1);
}

void MainWindowLayoutTest::controlsCarryTheirNames() {
    RecordingSink sink;
    frm_vandrel w;
    const char* const names[] = {
        "picture_graph", "frame_controls", "Command1",      "txt_cfilter",     "txt_gain",      "opt_sos",
        "opt_peaking",   "opt_butterworth", "txt_q",        "txt_freq",        "txt_freq_peak", "txt_peakmag",
        "Frame2",        "opt_showcircuit", "opt_showgraph", "lbl_cfilter",    "lbl_gain",      "lbl_peakmag",
        "lbl_freq_peak", "lbl_q",           "lbl_freq",      "lbl_f3",         "lbl_r1",        "lbl_r4",
        "lbl_r3",        "picture_circuit", "image_nogain",  "image_gain",     "mnu_print",     "mnu_about"};
    for (const char* name : names) QVERIFY2(w.findChild<QObject*>(QLatin1String(name)), name);
}

void MainWindowLayoutTest::controlGeometry_data() {
    QTest::addColumn<QRect>("twips");     // Left, Top, Width, Height in the parent
    QTest::addColumn<QString>("caption");  // text or caption at start; "" for none
    const auto row = [](const char* name, int left, int top, int width, int height, const char* caption = "") {
        QTest::newRow(name) << QRect(left, top, width, height) << QString::fromUtf8(caption);
    };
    // Moved at start: the graph and the circuit fill the band, the panel is under it.
    row("picture_graph", 0, 0, 8532, 2364);
    row("frame_controls", 0, 2364, 8532, 2532);
    row("picture_circuit", 1896, 0, 4740, 2364);
    // At their design places.
    row("Command1", 6840, 1920, 1332, 432, "Solve");
    row("txt_cfilter", 2880, 360, 732, 288, "1.0");
    row("txt_gain", 2880, 720, 732, 288, "6");
    row("opt_sos", 240, 720, 2292, 252, "SOS User-specified");
    row("opt_peaking", 240, 1080, 2292, 252, "Peaking");
    row("opt_butterworth", 240, 360, 2292, 252, "Butterworth");
    row("txt_q", 2880, 1440, 732, 288, "0.707");
    row("txt_freq", 2880, 1080, 732, 288, "17");
    row("txt_freq_peak", 2880, 1800, 732, 288, "17");
    row("txt_peakmag", 2880, 2160, 732, 288, "0");
    row("Frame2", 120, 1560, 2412, 852);
    row("opt_showcircuit", 120, 120, 2052, 252, "Show circuit");
    row("opt_showgraph", 120, 480, 2052, 252, "Show graph");
    row("lbl_cfilter", 3840, 360, 2412, 252, "Filter Capacitors C (uf)");
    row("lbl_gain", 3840, 720, 2412, 252, "Buffer stage Gain (dB)");
    row("lbl_peakmag", 3840, 2160, 2412, 252, "Peak magnitude (dB)");
    row("lbl_freq_peak", 3840, 1800, 2412, 252, "Peak frequency (hz)");
    row("lbl_q", 3840, 1440, 2412, 252, "Filter Q");
    row("lbl_freq", 3840, 1080, 2412, 252, "Design frequency (hz)");
    row("lbl_f3", 6600, 1440, 1692, 252, "f3 =  17hz");
    row("lbl_r1", 6600, 360, 1692, 288, "R1 = 15k");
    row("lbl_r4", 6600, 1080, 1692, 252, "R4 = 13.2k");
    row("lbl_r3", 6600, 720, 1692, 252, "R3 = 6.6k");
    row("image_nogain", 9720, 4200, 4740, 2364);
    row("image_gain", 9840, 240, 4740, 2364);
}

// Every control at its place (12 twips to the pixel), with its caption.
void MainWindowLayoutTest::controlGeometry() {
    QFETCH(QRect, twips);
    QFETCH(QString, caption);
    RecordingSink sink;
    frm_vandrel w;
    const auto* control = w.findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->geometry(),
             QRect(twips.left() / 12, twips.top() / 12, twips.width() / 12, twips.height() / 12));
    QString shown;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        shown = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        shown = button->text();
    else if (const auto* box = qobject_cast<const QLineEdit*>(control))
        shown = box->text();
    QCOMPARE(shown, caption);
}

void MainWindowLayoutTest::bandLayout_data() {
    QTest::addColumn<QSize>("panel");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("panel_at");
    QTest::addColumn<QPoint>("picture_at");
    QTest::newRow("panel wider") << QSize(711, 211) << QSize(395, 197) << QSize(711, 408) << QPoint(0, 197)
                                 << QPoint(158, 0);
    QTest::newRow("picture wider") << QSize(300, 211) << QSize(395, 197) << QSize(395, 408) << QPoint(47, 197)
                                   << QPoint(0, 0);
    QTest::newRow("equal widths") << QSize(395, 100) << QSize(395, 197) << QSize(395, 297) << QPoint(0, 197)
                                  << QPoint(0, 0);
}

void MainWindowLayoutTest::bandLayout() {
    QFETCH(QSize, panel);
    QFETCH(QSize, picture);
    QFETCH(QSize, client);
    QFETCH(QPoint, panel_at);
    QFETCH(QPoint, picture_at);
    const auto band = vandrel::ui::band_layout(panel, picture);
    QCOMPARE(band.client, client);
    QCOMPARE(band.panel, panel_at);
    QCOMPARE(band.picture, picture_at);
    QCOMPARE(band.graph, QSize(client.width(), picture.height()));
}

void MainWindowLayoutTest::appearance() {
    RecordingSink sink;
    frm_vandrel w;
    for (Field f : vandrel::all_fields) {
        const QLineEdit* box = w.field(f);
        QVERIFY2(box->font().bold(), box->objectName().toLatin1());
        QCOMPARE(box->alignment(), Qt::AlignCenter);
        QCOMPARE(box->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
        QCOMPARE(box->maxLength(), 32767);  // Solve checks the length, not the box
    }
    for (ResultLabel l : vandrel::all_result_labels) {
        const QLabel* label = w.result_label(l);
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x37, 0x6A, 0xF0));
        QVERIFY(label->alignment() & Qt::AlignHCenter);
    }
    for (const QLabel* caption : {w.lbl_cfilter, w.lbl_gain, w.lbl_freq, w.lbl_q, w.lbl_freq_peak, w.lbl_peakmag}) {
        QVERIFY(!caption->font().bold());
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(caption->alignment() & Qt::AlignLeft);
    }
    QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), QColor(224, 224, 224));
    QVERIFY(w.centralWidget()->autoFillBackground());
    QVERIFY(!w.Command1->font().bold());
    QCOMPARE(w.opt_sos->text(), QStringLiteral("SOS User-specified"));
    QCOMPARE(w.Command1->text(), QStringLiteral("Solve"));
    // The two holders are never seen.
    QVERIFY(w.image_nogain->isHidden());
    QVERIFY(!w.centralWidget()->rect().intersects(w.image_gain->geometry()));
    QCOMPARE(w.image_gain->size(), QSize(395, 197));
    QVERIFY(!shows_same_picture(w.image_gain, w.image_nogain));
}

void MainWindowLayoutTest::menuBarActsDirectly() {
    RecordingSink sink;
    frm_vandrel w;
    const QList<QAction*> entries = w.menuBar()->actions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0], w.mnu_print);
    QCOMPARE(entries[1], w.mnu_about);
    QCOMPARE(entries[2], w.mnu_parts);
    QCOMPARE(entries[3], w.mnu_subwoofer);
    QCOMPARE(w.mnu_print->text(), QStringLiteral("Print"));
    QCOMPARE(w.mnu_about->text(), QStringLiteral("About"));
    QCOMPARE(w.mnu_parts->text(), QStringLiteral("Parts"));
    // Alt+W, as the Parts window's page.
    QCOMPARE(w.mnu_subwoofer->text(), QStringLiteral("Sub&woofer"));
    for (const QAction* entry : entries) {
        QVERIFY(!entry->menu());
        QVERIFY(entry->shortcut().isEmpty());
    }
}

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
