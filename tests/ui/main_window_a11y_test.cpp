// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a screen reader meets it, through Qt's accessibility
// interfaces: each field named by its caption, each picture named and
// described after what it shows now, and nothing the keyboard reaches
// without a name.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "accessible_tree.h"
#include "frm_vandrel.h"
#include "picture_box.h"
#include "recording_sink.h"

using vandrel::Mode;
using Texts = QMap<QString, QString>;  // control name -> text

Q_DECLARE_METATYPE(vandrel::Mode)

namespace {

QAccessibleInterface* accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

}  // namespace

class MainWindowA11yTest : public QObject {
    Q_OBJECT

private slots:
    void fieldsNamedByTheirCaptions_data();
    void fieldsNamedByTheirCaptions();
    void picturesSayWhatTheyShow_data();
    void picturesSayWhatTheyShow();
    void nothingFocusableWithoutAName_data();
    void nothingFocusableWithoutAName();
};

void MainWindowA11yTest::fieldsNamedByTheirCaptions_data() {
    QTest::addColumn<QString>("caption");  // the label's object name
    QTest::addColumn<QString>("name");     // the field's accessible name, the caption's text
    QTest::newRow("txt_cfilter") << "lbl_cfilter" << "Filter Capacitors C (uf)";
    QTest::newRow("txt_gain") << "lbl_gain" << "Buffer stage Gain (dB)";
    QTest::newRow("txt_freq") << "lbl_freq" << "Design frequency (hz)";
    QTest::newRow("txt_q") << "lbl_q" << "Filter Q";
    QTest::newRow("txt_freq_peak") << "lbl_freq_peak" << "Peak frequency (hz)";
    QTest::newRow("txt_peakmag") << "lbl_peakmag" << "Peak magnitude (dB)";
}

// Named while hidden or disabled too, and the caption shows no mnemonic.
void MainWindowA11yTest::fieldsNamedByTheirCaptions() {
    QFETCH(QString, caption);
    QFETCH(QString, name);
    RecordingSink sink;
    frm_vandrel w;
    auto* field = w.findChild<QLineEdit*>(QLatin1String(QTest::currentDataTag()));
    auto* label = w.findChild<QLabel*>(caption);
    QVERIFY(field && label);
    QCOMPARE(label->text(), name);
    QCOMPARE(label->buddy(), field);
    QAccessibleInterface* iface = accessible(field);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), field->text());
    const auto labels = iface->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.front().first->object(), label);
}

void MainWindowA11yTest::picturesSayWhatTheyShow_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<Texts>("texts");
    QTest::addColumn<QString>("picture");  // object name
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shows");    // a part of the description

    const QString with_gain = QStringLiteral("Circuit diagram with the gain stage");
    const QString without_gain = QStringLiteral("Circuit diagram without the gain stage");
    QTest::newRow("diagram at start") << Mode::butterworth << Texts{} << "picture_circuit" << with_gain
                                      << "a TL072 whose gain R1 sets against 15k";
    QTest::newRow("diagram for gain 0") << Mode::butterworth << Texts{{"txt_gain", "0"}} << "picture_circuit"
                                        << without_gain << "a TL072 follower, without R1";
    QTest::newRow("diagram for gain 0, solved") << Mode::butterworth << Texts{{"txt_gain", "-3"}, {"solve", ""}}
                                                << "picture_circuit" << without_gain << "without R1";
    QTest::newRow("hidden holder") << Mode::butterworth << Texts{} << "image_nogain" << without_gain
                                   << "R4 from its input to ground, and 200 ohms to OUT";
    // Q 0.707 with its 0, which the window's own text form leaves out.
    QTest::newRow("graph at start") << Mode::butterworth << Texts{} << "picture_graph"
                                    << "Magnitude response, f3 17 Hz"
                                    << "from 1 Hz to 100 Hz, +10 dB to -10 dB, with lines at 0 dB and -3 dB: "
                                       "f0 17 Hz, Q 0.707, f3 17 Hz.";
    QTest::newRow("graph, SOS Q 2") << Mode::sos << Texts{{"txt_freq", "25"}, {"txt_q", "2"}, {"solve", ""}}
                                    << "picture_graph" << "Magnitude response, f3 16.8 Hz"
                                    << "f0 25 Hz, Q 2, f3 16.8 Hz.";
    QTest::newRow("graph, peaking")
        << Mode::peaking << Texts{{"txt_freq_peak", "30"}, {"txt_peakmag", "3"}, {"solve", ""}} << "picture_graph"
        << "Magnitude response, f3 18.1 Hz" << ", f3 18.1 Hz.";
    // A Solve that stops before the graph leaves its name as it was.
    QTest::newRow("graph after a stopped Solve")
        << Mode::butterworth << Texts{{"txt_freq", "1234567"}, {"solve", ""}} << "picture_graph"
        << "Magnitude response, f3 17 Hz" << "f0 17 Hz, Q 0.707, f3 17 Hz.";
}

void MainWindowA11yTest::picturesSayWhatTheyShow() {
    QFETCH(Mode, mode);
    QFETCH(Texts, texts);
    QFETCH(QString, picture);
    QFETCH(QString, name);
    QFETCH(QString, shows);
    RecordingSink sink;
    frm_vandrel w;
    w.mode_option(mode)->click();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        if (it.key() != QLatin1String("solve")) w.findChild<QLineEdit*>(it.key())->setText(it.value());
    if (texts.contains(QStringLiteral("solve"))) w.Command1->click();

    QAccessibleInterface* iface = accessible(w.findChild<QWidget*>(picture));
    QCOMPARE(iface->role(), QAccessible::Graphic);
    QCOMPARE(iface->childCount(), 0);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY2(iface->text(QAccessible::Description).contains(shows), qPrintable(iface->text(QAccessible::Description)));
}

void MainWindowA11yTest::nothingFocusableWithoutAName_data() {
    QTest::addColumn<Mode>("mode");
    for (Mode mode : vandrel::all_modes) QTest::newRow(vandrel::mode_caption(mode).data()) << mode;
}

// Every control that takes the keyboard focus, shown or not, and every
// picture has a name; every picture a description as well.
void MainWindowA11yTest::nothingFocusableWithoutAName() {
    QFETCH(Mode, mode);
    RecordingSink sink;
    frm_vandrel w;
    w.mode_option(mode)->click();
    const QStringList unnamed = unnamed_in(&w);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

QTEST_MAIN(MainWindowA11yTest)
#include "main_window_a11y_test.moc"
