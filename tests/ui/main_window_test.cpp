// The main window as the user meets it: start-up state, layout, field looks
// per design mode, keyboard order, the two views, the gain-dependent diagram,
// and Solve run from the window.

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

namespace {

enum class Look { input, output, hidden, mixed };

const char* look_name(Look look) {
    switch (look) {
    case Look::input: return "input";
    case Look::output: return "output";
    case Look::hidden: return "hidden";
    case Look::mixed: return "mixed";
    }
    return "?";
}

// A field's look as the user sees it: hidden, or one of the two whole looks.
Look look_of(const QLineEdit* box) {
    if (box->isHidden()) return Look::hidden;
    const QColor base = box->palette().color(QPalette::Base);
    if (box->isEnabled() && box->hasFrame() && base == QColor(Qt::white)) return Look::input;
    if (!box->isEnabled() && !box->hasFrame() && base == vandrel::ui::panel_colour) return Look::output;
    return Look::mixed;
}

bool shows_same_picture(const QLabel* a, const QLabel* b) {
    return a->pixmap().cacheKey() == b->pixmap().cacheKey();
}

std::string utf8(const QString& text) { return text.toStdString(); }

Field field_named(const QString& name) {
    for (Field f : vandrel::all_fields)
        if (name == QLatin1String(vandrel::control_name(f).data())) return f;
    qFatal("no field %s", qPrintable(name));
}

}  // namespace

class MainWindowTest : public QObject {
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
    void fieldLooks_data();
    void fieldLooks();
    void modeChangesOnlyLooksAndButterworthQ();
    void tabOrder_data();
    void tabOrder();
    void arrowKeysMoveWithinAGroup();
    void gainTextPicksDiagram_data();
    void gainTextPicksDiagram();
    void typedGainSwitchesAtOnce();
    void solveWritesGainNested_data();
    void solveWritesGainNested();
    void views();
    void solveFromWindow_data();
    void solveFromWindow();
};

void MainWindowTest::startUpStateAndCaption() {
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

void MainWindowTest::controlsCarryTheirNames() {
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

void MainWindowTest::controlGeometry_data() {
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
void MainWindowTest::controlGeometry() {
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

void MainWindowTest::bandLayout_data() {
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

void MainWindowTest::bandLayout() {
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

void MainWindowTest::appearance() {
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

void MainWindowTest::menuBarActsDirectly() {
    RecordingSink sink;
    frm_vandrel w;
    const QList<QAction*> entries = w.menuBar()->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[0], w.mnu_print);
    QCOMPARE(entries[1], w.mnu_about);
    QCOMPARE(entries[2], w.mnu_parts);
    QCOMPARE(w.mnu_print->text(), QStringLiteral("Print"));
    QCOMPARE(w.mnu_about->text(), QStringLiteral("About"));
    QCOMPARE(w.mnu_parts->text(), QStringLiteral("Parts"));
    for (const QAction* entry : entries) {
        QVERIFY(!entry->menu());
        QVERIFY(entry->shortcut().isEmpty());
    }
}

void MainWindowTest::fieldLooks_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<int>("freq");
    QTest::addColumn<int>("q");
    QTest::addColumn<int>("freq_peak");
    QTest::addColumn<int>("peakmag");
    const auto row = [](const char* name, Mode mode, Look freq, Look q, Look peak) {
        QTest::newRow(name) << mode << int(freq) << int(q) << int(peak) << int(peak);
    };
    row("Butterworth", Mode::butterworth, Look::input, Look::output, Look::hidden);
    row("SOS User-specified", Mode::sos, Look::input, Look::input, Look::output);
    row("Peaking", Mode::peaking, Look::output, Look::output, Look::input);
}

void MainWindowTest::fieldLooks() {
    QFETCH(Mode, mode);
    QFETCH(int, freq);
    QFETCH(int, q);
    QFETCH(int, freq_peak);
    QFETCH(int, peakmag);
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    // Reach the mode from each of the others, so no look is left over.
    for (Mode from : vandrel::all_modes) {
        w->mode_option(from)->click();
        w->mode_option(mode)->click();
        QVERIFY(w->mode_option(mode)->isChecked());
        const std::map<Field, int> expected{{Field::cfilter, int(Look::input)}, {Field::gain, int(Look::input)},
                                            {Field::freq, freq},    {Field::q, q},
                                            {Field::freq_peak, freq_peak}, {Field::peakmag, peakmag}};
        for (const auto& [f, look] : expected)
            QVERIFY2(look_of(w->field(f)) == Look(look),
                     qPrintable(QStringLiteral("%1 after %2: %3")
                                    .arg(w->field(f)->objectName(), w->mode_option(from)->objectName(),
                                         QLatin1String(look_name(look_of(w->field(f)))))));
        QCOMPARE(w->lbl_freq_peak->isHidden(), Look(freq_peak) == Look::hidden);
        QCOMPARE(w->lbl_peakmag->isHidden(), Look(peakmag) == Look::hidden);
        for (const QLabel* caption : {w->lbl_cfilter, w->lbl_gain, w->lbl_freq, w->lbl_q})
            QVERIFY(caption->isVisible());
    }
    QCOMPARE(sink.messages, QStringList{});
}

void MainWindowTest::modeChangesOnlyLooksAndButterworthQ() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    const QString r3 = w->lbl_r3->text();

    w->opt_sos->click();
    QCOMPARE(w->txt_q->text(), QStringLiteral("0.707"));
    QCOMPARE(w->txt_freq_peak->text(), QStringLiteral("17"));
    QCOMPARE(w->txt_peakmag->text(), QStringLiteral("0"));
    w->txt_q->setText(QStringLiteral("2"));
    w->Command1->click();
    const QString r3_for_q2 = w->lbl_r3->text();
    QVERIFY(r3_for_q2 != r3);

    // Back to Butterworth: the Q field shows 0.707 again, the results stay
    // those of Q 2 until the next Solve.
    w->opt_butterworth->click();
    QCOMPARE(w->txt_q->text(), QStringLiteral("0.707"));
    QCOMPARE(w->lbl_r3->text(), r3_for_q2);
    QCOMPARE(w->design().q, 2.0);

    // Peaking: nothing but looks; the texts stay.
    w->txt_freq->setText(QStringLiteral("33"));
    w->opt_peaking->click();
    QCOMPARE(w->txt_freq->text(), QStringLiteral("33"));
    QCOMPARE(w->txt_q->text(), QStringLiteral("0.707"));
    QCOMPARE(sink.messages, QStringList{});
}

void MainWindowTest::tabOrder_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("graph");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("start: Butterworth, circuit")
        << Mode::butterworth << false
        << QStringList{"picture_circuit", "opt_showcircuit", "txt_freq", "opt_butterworth",
                       "txt_gain",        "txt_cfilter",     "Command1"};
    QTest::newRow("SOS User-specified, circuit")
        << Mode::sos << false
        << QStringList{"picture_circuit", "opt_showcircuit", "txt_freq", "txt_q", "opt_sos",
                       "txt_gain",        "txt_cfilter",     "Command1"};
    QTest::newRow("Peaking, graph")
        << Mode::peaking << true
        << QStringList{"opt_showgraph", "txt_peakmag", "txt_freq_peak", "opt_peaking",
                       "txt_gain",      "txt_cfilter", "Command1",      "picture_graph"};
}

void MainWindowTest::tabOrder() {
    QFETCH(Mode, mode);
    QFETCH(bool, graph);
    QFETCH(QStringList, order);
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->mode_option(mode)->click();
    (graph ? w->opt_showgraph : w->opt_showcircuit)->click();

    w->findChild<QWidget*>(order.front())->setFocus(Qt::TabFocusReason);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // Round the window once and back to the start.
    QCOMPARE(visited, order + QStringList{order.front()});
}

void MainWindowTest::arrowKeysMoveWithinAGroup() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->opt_butterworth->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->opt_butterworth, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w->opt_sos);
    QVERIFY(w->opt_sos->isChecked());
    QCOMPARE(look_of(w->txt_q), Look::input);  // the mode handler ran
    QVERIFY(w->opt_showcircuit->isChecked());  // the other group is untouched
    // Tab now reaches the mode group at SOS User-specified.
    QTest::keyClick(w->opt_sos, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->txt_gain);
    QTest::keyClick(w->txt_gain, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), w->opt_sos);
}

void MainWindowTest::gainTextPicksDiagram_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("with_gain");
    QTest::newRow("six") << "6" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("zero point") << "0." << false;
    QTest::newRow("half") << "0.5" << true;
    QTest::newRow("minus sign alone") << "-" << false;
    QTest::newRow("negative") << "-3" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no number") << "abc" << false;
    QTest::newRow("number then text") << "12abc" << true;
    QTest::newRow("beyond a double") << "1E999" << true;
    QTest::newRow("below a double's range") << "1E-999" << false;
    QTest::newRow("hexadecimal") << "&H10" << true;
}

void MainWindowTest::gainTextPicksDiagram() {
    QFETCH(QString, text);
    QFETCH(bool, with_gain);
    RecordingSink sink;
    frm_vandrel w;
    const QString r1 = w.lbl_r1->text();
    // From each diagram to the one the text calls for.
    for (const char* before : {"6", "0"}) {
        w.txt_gain->setText(QLatin1String(before));
        w.txt_gain->setText(text);
        QCOMPARE(!w.lbl_r1->isHidden(), with_gain);
        QVERIFY(shows_same_picture(w.picture_circuit, with_gain ? w.image_gain : w.image_nogain));
        QCOMPARE(w.lbl_r1->text(), r1);
    }
    QCOMPARE(sink.messages, QStringList{});
}

void MainWindowTest::typedGainSwitchesAtOnce() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    w->txt_gain->setFocus();
    w->txt_gain->selectAll();
    QTest::keyClick(w->txt_gain, Qt::Key_Delete);
    QVERIFY(w->lbl_r1->isHidden());
    const QList<QPair<char, bool>> keys{{'0', false}, {'.', false}, {'5', true}};
    for (const auto& [key, with_gain] : keys) {
        QTest::keyClick(w->txt_gain, key);
        QCOMPARE(w->lbl_r1->isVisible(), with_gain);
        QVERIFY(shows_same_picture(w->picture_circuit, with_gain ? w->image_gain : w->image_nogain));
    }
    QCOMPARE(w->txt_gain->text(), QStringLiteral("0.5"));
}

void MainWindowTest::solveWritesGainNested_data() {
    QTest::addColumn<QString>("gain");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("with_gain");
    QTest::addColumn<QString>("r1");
    // What the window shows while each message is open.
    QTest::addColumn<QStringList>("at_message");
    QTest::newRow("above 20") << "25" << QStringList{"Maximum gain is 20dB"} << "20" << true << "R1 = 1.6k"
                              << QStringList{"25 R1"};
    QTest::newRow("beyond a double") << "1E999" << QStringList{"Maximum gain is 20dB"} << "20" << true
                                     << "R1 = 1.6k" << QStringList{"1E999 R1"};
    // The field reads "0", R1 is gone and the diagram has no gain stage
    // before the message comes up: the change ran inside Solve.
    QTest::newRow("negative") << "-3" << QStringList{"Negative gain not allowed"} << "0" << false << "R1 = 15k"
                              << QStringList{"0 nogain"};
    QTest::newRow("empty") << "" << QStringList{} << "0" << false << "R1 = 15k" << QStringList{};
    QTest::newRow("exactly 20") << "20" << QStringList{} << "20" << true << "R1 = 1.6k" << QStringList{};
}

void MainWindowTest::solveWritesGainNested() {
    QFETCH(QString, gain);
    QFETCH(QStringList, messages);
    QFETCH(QString, field);
    QFETCH(bool, with_gain);
    QFETCH(QString, r1);
    QFETCH(QStringList, at_message);
    RecordingSink sink;
    frm_vandrel w;
    QStringList seen;
    sink.on_message = [&](const QString&) {
        const bool shown = !w.lbl_r1->isHidden() && shows_same_picture(w.picture_circuit, w.image_gain);
        const bool gone = w.lbl_r1->isHidden() && shows_same_picture(w.picture_circuit, w.image_nogain);
        seen << w.txt_gain->text() + (shown ? " R1" : gone ? " nogain" : " mixed");
    };
    w.txt_gain->setText(gain);
    w.Command1->click();
    QCOMPARE(sink.messages, messages);
    QCOMPARE(seen, at_message);
    QCOMPARE(w.txt_gain->text(), field);
    QCOMPARE(!w.lbl_r1->isHidden(), with_gain);
    QVERIFY(shows_same_picture(w.picture_circuit, with_gain ? w.image_gain : w.image_nogain));
    QCOMPARE(w.lbl_r1->text(), r1);
    // The rest of the design is solved as usual.
    QCOMPARE(w.lbl_f3->text(), QStringLiteral("f3 =  17hz"));
}

void MainWindowTest::views() {
    RecordingSink sink;
    auto w = open_window();
    QVERIFY(w);
    const QImage start_graph = w->picture_graph->image();

    QTest::mouseClick(w->opt_showgraph, Qt::LeftButton, {}, QPoint(8, w->opt_showgraph->height() / 2));
    QVERIFY(w->opt_showgraph->isChecked());
    QVERIFY(w->picture_graph->isVisible());
    QVERIFY(!w->picture_circuit->isVisible());
    // Showing the graph does not redraw it: it is the start-up plot.
    QCOMPARE(w->picture_graph->image(), start_graph);
    QCOMPARE(w->picture_graph->grab().toImage().convertToFormat(QImage::Format_RGB32),
             start_graph.convertToFormat(QImage::Format_RGB32));

    // A gain change out of sight does not bring the circuit back ...
    w->txt_gain->setText(QStringLiteral("0"));
    QVERIFY(!w->picture_circuit->isVisible());
    QVERIFY(w->picture_graph->isVisible());

    // ... and the circuit view then shows the diagram for the current gain.
    QTest::mouseClick(w->opt_showcircuit, Qt::LeftButton, {}, QPoint(8, w->opt_showcircuit->height() / 2));
    QVERIFY(w->picture_circuit->isVisible());
    QVERIFY(!w->picture_graph->isVisible());
    QVERIFY(shows_same_picture(w->picture_circuit, w->image_nogain));
    // The view options are their own group: the mode stays.
    QVERIFY(w->opt_butterworth->isChecked());
    QCOMPARE(sink.messages, QStringList{});
}

void MainWindowTest::solveFromWindow_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("defaults") << Mode::butterworth << Texts{} << QStringList{};
    QTest::newRow("two corrections in one run")
        << Mode::sos << Texts{{"txt_cfilter", "20"}, {"txt_q", "50"}}
        << QStringList{"Value for Capacitor must not exceed 10uf", "Value for Filter Q must not be more than 10"};
    QTest::newRow("seven characters stop the run")
        << Mode::butterworth << Texts{{"txt_cfilter", "2"}, {"txt_freq", "1234567"}}
        << QStringList{"Maximum length for any input field is 6 characters"};
    QTest::newRow("capacitor without a number")
        << Mode::butterworth << Texts{{"txt_cfilter", "abc"}}
        << QStringList{"Value for Capacitor must be greater than zero"};
    QTest::newRow("peaking derives Q and frequency")
        << Mode::peaking << Texts{{"txt_freq_peak", "30"}, {"txt_peakmag", "3"}} << QStringList{};
    QTest::newRow("negative peak") << Mode::peaking << Texts{{"txt_peakmag", "-2"}}
                                   << QStringList{"The Peaking option only works with positive peaks"};
    QTest::newRow("SOS with a peak") << Mode::sos << Texts{{"txt_freq", "25"}, {"txt_q", "2"}} << QStringList{};
}

// Solve in the window does what the design engine does on the same inputs.
void MainWindowTest::solveFromWindow() {
    QFETCH(Mode, mode);
    QFETCH(Texts, texts);
    QFETCH(QStringList, messages);
    RecordingSink sink;
    frm_vandrel w;
    const std::map<ResultLabel, QString> start_labels{{ResultLabel::r1, w.lbl_r1->text()},
                                                      {ResultLabel::r3, w.lbl_r3->text()},
                                                      {ResultLabel::r4, w.lbl_r4->text()},
                                                      {ResultLabel::f3, w.lbl_f3->text()}};
    const QImage start_graph = w.picture_graph->image();
    w.mode_option(mode)->click();
    std::map<Field, std::string> inputs;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        w.field(field_named(it.key()))->setText(it.value());
        inputs[field_named(it.key())] = utf8(it.value());
    }
    w.Command1->click();

    const vandrel::BatchOutcome expected = vandrel::solve_batch(mode, inputs);
    QCOMPARE(sink.messages, messages);
    QStringList expected_messages;
    for (const auto& m : expected.messages) expected_messages << QString::fromStdString(m);
    QCOMPARE(sink.messages, expected_messages);
    for (Field f : vandrel::all_fields) QCOMPARE(utf8(w.field(f)->text()), expected.fields.at(f));
    for (ResultLabel l : vandrel::all_result_labels) {
        // A caption the run did not set keeps what the start-up Solve wrote.
        const std::string& caption = expected.labels.at(l);
        const QString want =
            caption != vandrel::design_caption(l) ? QString::fromStdString(caption) : start_labels.at(l);
        QCOMPARE(w.result_label(l)->text(), want);
    }
    QCOMPARE(!w.lbl_r1->isHidden(), expected.gain_stage_shown);
    if (expected.graph_drawn) {
        QCOMPARE(w.design().f0, expected.design.f0);
        QCOMPARE(w.design().q, expected.design.q);
        QCOMPARE(w.picture_graph->image(), reference_graph(w));
    } else {
        QCOMPARE(w.picture_graph->image(), start_graph);
    }
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
