// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_texts.h"

#include "pictures.h"
#include "qtext.h"
#include "vandrel/number_text.h"

namespace vandrel::ui {
namespace {

// A figure as the window writes it, with a 0 before a leading point, which
// a screen reader reads more plainly (".707" is "0.707").
QString figure(double value) {
    QString text = to_qstring(vandrel::number_to_field_text(value));
    if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
    if (text.startsWith(QLatin1String("-."))) text.insert(1, QLatin1Char('0'));
    return text;
}

}  // namespace

PictureText diagram_text(vandrel::pictures::Diagram which) {
    const QString input = QStringLiteral("IN through 1.0 uF, with 47k to ground, into the input buffer: ");
    const QString section = QStringLiteral(
        ". Then the high-pass section: two capacitors C in series into a TL072 follower, R3 from between "
        "them to its output, R4 from its input to ground, and 200 ohms to OUT.");
    if (which == vandrel::pictures::Diagram::with_gain)
        return {QStringLiteral("Circuit diagram with the gain stage"),
                input + QStringLiteral("a TL072 whose gain R1 sets against 15k, with 0.01 uF across the 15k") +
                    section};
    return {QStringLiteral("Circuit diagram without the gain stage"),
            input + QStringLiteral("a TL072 follower, without R1") + section};
}

PictureText graph_text(const vandrel::Module1& design) {
    return {QStringLiteral("Magnitude response, f3 %1 Hz").arg(figure(design.f3)),
            QStringLiteral("Level of the high-pass section from 1 Hz to 100 Hz, +10 dB to -10 dB, with lines at "
                           "0 dB and -3 dB: f0 %1 Hz, Q %2, f3 %3 Hz.")
                .arg(figure(design.f0), figure(design.q), figure(design.f3))};
}

}  // namespace vandrel::ui
