// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_levels.h"

#include <string>

#include "sheet_cursor.h"
#include "vandrel/as_built/levels_text.h"
#include "vandrel/texts/figures.h"

namespace vandrel::sheet {
namespace {

using texts::figure;

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

void levels_block(Cursor& c, const as_built::Levels& l, qreal width) {
    c.heading(QStringLiteral("Levels at full scale"), width);
    const qreal name = width * 0.26, level = width * 0.22, at = width * 0.16, room = width - name - level - at;
    c.row({{QString(), name}, {QStringLiteral("Level"), level}, {QStringLiteral("At"), at},
           {QStringLiteral("Headroom"), room}},
          true);
    // A stage that clips says so, its row in bold: not in colour alone.
    const auto headroom = [](double db) { return q(as_built::headroom_text(db)); };
    const std::string match = as_built::amplifier_match_text(l);
    const auto volts = [](double v) { return q(figure(v, 4) + " V rms"); };
    const auto hz = [](double v) { return q(figure(v, 4) + " Hz"); };
    c.row({{QStringLiteral("Buffer out"), name}, {volts(l.buffer_peak_v), level}, {hz(l.buffer_peak_hz), at},
           {headroom(l.buffer_headroom_db), room}},
          l.buffer_clips());
    c.row({{QStringLiteral("High-pass out"), name}, {volts(l.section_peak_v), level}, {hz(l.section_peak_hz), at},
           {headroom(l.section_headroom_db), room}},
          l.section_clips());
    c.row({{QStringLiteral("Amplifier in"), name}, {volts(l.amp_input_v), level}, {QStringLiteral("pass band"), at},
           {match.empty() ? QStringLiteral("sensitivity not given") : q(match), room}});
    // The rows say what the warnings would (a stage that clips, an amplifier
    // overdriven), and the page keeps its room for the plots.
    c.paragraph(q(as_built::levels_summary(l)), width, colour::muted);
}

}  // namespace vandrel::sheet
