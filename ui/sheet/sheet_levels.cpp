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
    const qreal name = 104, level = 90, at = 70, room = width - name - level - at;
    c.row({{QString(), name}, {QStringLiteral("Highest level"), level}, {QStringLiteral("At"), at},
           {QStringLiteral("Headroom"), room}},
          true);
    // A stage that clips is written in capitals and bold, not in colour alone.
    const auto headroom = [](double db) {
        const std::string text = as_built::headroom_text(db);
        return db < 0 ? q(text).toUpper() : q(text);
    };
    const std::string match = as_built::amplifier_match_text(l);
    const auto volts = [](double v) { return q(figure(v, 4) + " V rms"); };
    const auto hz = [](double v) { return q(figure(v, 4) + " Hz"); };
    c.row({{QStringLiteral("Buffer output"), name}, {volts(l.buffer_peak_v), level}, {hz(l.buffer_peak_hz), at},
           {headroom(l.buffer_headroom_db), room}},
          l.buffer_clips());
    c.row({{QStringLiteral("High-pass output"), name}, {volts(l.section_peak_v), level}, {hz(l.section_peak_hz), at},
           {headroom(l.section_headroom_db), room}},
          l.section_clips());
    c.row({{QStringLiteral("Into the amplifier"), name}, {volts(l.amp_input_v), level}, {QStringLiteral("pass band"), at},
           {match.empty() ? QStringLiteral("sensitivity not given") : q(match), room}});
    c.paragraph(q(as_built::levels_summary(l)), width, colour::muted);
    for (const as_built::LevelIssue& w : l.warnings) c.paragraph(QStringLiteral("\u26a0 ") + q(w.text), width);
}

}  // namespace vandrel::sheet
