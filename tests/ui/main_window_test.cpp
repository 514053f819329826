// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at work: field looks per design mode, keyboard order, the
// two views, the gain-dependent diagram, and Solve run from the window.

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

const char* look_name(Look look) {
    switch (look) {
    case Look::input: return "input";
    case Look::output: return "output";
    case Look::hidden: return "hidden";
    case Look::mixed: return "mixed";
    }
    return "?";
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
    // Reading order: the picture band, then the panel's columns left to
    // right, each top to bottom.
    QTest::newRow("start: Butterworth, circuit")
        << Mode::butterworth << false
        << QStringList{"picture_circuit", "opt_butterworth", "opt_showcircuit", "txt_cfilter",
                       "txt_gain",        "txt_freq",        "Command1"};
    QTest::newRow("SOS User-specified, circuit")
        << Mode::sos << false
        << QStringList{"picture_circuit", "opt_sos", "opt_showcircuit", "txt_cfilter",
                       "txt_gain",        "txt_freq", "txt_q",          "Command1"};
    QTest::newRow("Peaking, graph")
        << Mode::peaking << true
        << QStringList{"picture_graph", "opt_peaking",   "opt_showgraph", "txt_cfilter",
                       "txt_gain",      "txt_freq_peak", "txt_peakmag",   "Command1"};
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
    QCOMPARE(QApplication::focusWidget(), w->opt_showcircuit);
    QTest::keyClick(w->opt_showcircuit, Qt::Key_Backtab);
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
