// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the build sheet: a header, the annotated diagram with the
// design beside it, the parts to buy, the figures, and the two plots below,
// which take the room that is left.

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

#include "build_sheet.h"
#include "parts_to_buy.h"
#include "pictures.h"
#include "sheet_cursor.h"
#include "sheet_levels.h"
#include "sheet_plot.h"
#include "sheet_style.h"
#include "sheet_text.h"
#include "vandrel/as_built/parts_text.h"
#include "vandrel/as_built/preferred.h"

namespace vandrel::sheet {
namespace {

namespace ab = as_built;

constexpr qreal margin = 34;
constexpr qreal gap = 10;             // between blocks
constexpr qreal diagram_width = 370;  // the diagram's 395 logical pixels scaled to this
constexpr qreal plot_gap = 16;        // between the two plots
constexpr qreal levels_parts_width = 280;  // the parts to buy beside the levels

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The fields in the order the window lists them: caption, unit.
struct FieldName {
    Field field;
    const char* caption;
    const char* unit;
};
constexpr FieldName field_names[] = {
    {Field::cfilter, "Capacitors C", "µF"},     {Field::gain, "Buffer gain", "dB"},
    {Field::freq, "Frequency", "Hz"},           {Field::q, "Filter Q", ""},
    {Field::freq_peak, "Peak frequency", "Hz"}, {Field::peakmag, "Peak magnitude", "dB"},
};

// Whether Solve works a field out in `mode` rather than reading it (the
// Butterworth mode puts its own Q in).
bool worked_out(Mode mode, Field field) {
    switch (mode) {
    case Mode::butterworth: return field == Field::q || field == Field::freq_peak || field == Field::peakmag;
    case Mode::sos: return field == Field::freq_peak || field == Field::peakmag;
    case Mode::peaking: return field == Field::freq || field == Field::q;
    }
    return false;
}

void header(QPainter& p, const ab::AsBuilt& built, qreal width) {
    p.setPen(colour::text);
    const QFont title = sheet_font(16, true);
    const LineMetrics big = line_metrics(title, p.device());
    draw_text(p, QPointF(margin, margin + big.ascent), QLatin1String(sheet_title), title);
    const QFont small = sheet_font(7);
    p.setPen(colour::muted);
    const QString version = QStringLiteral("Vandrel %1").arg(q(std::string(program_version)));
    draw_text(p, QPointF(margin + width - text_width(small, version, p.device()), margin + big.ascent), version, small);
    const ab::Tolerance& t = built.options.tolerance;
    const QString about = QStringLiteral("Subsonic high-pass filter; parts from %1, into %2; resistors %3, capacitors %4")
                              .arg(q(ab::parts_source_text(built.options)), q(resistance_text(built.options.load_kohm)),
                                   q(tolerance_text(t.r_pct)), q(tolerance_text(t.c_pct)));
    p.setPen(colour::text);
    draw_text(p, QPointF(margin, margin + big.height + 10), about,
              fitted(sheet_font(body_points + 1), about, width, p.device()));
}

// The diagram, its parts written beside them.
void diagram(QPainter& p, QPointF at, const ab::AsBuilt& built) {
    const auto lines = [](const std::string& text) { return q(text).split(QLatin1Char('\n')); };
    pictures::DiagramNotes notes;
    notes.r1 = built.parts.r1 ? lines(resistor_text(*built.parts.r1, "\n")) : QStringList{QStringLiteral("follower")};
    notes.r3 = lines(resistor_text(built.parts.r3, "\n"));
    notes.r4 = lines(resistor_text(built.parts.r4, "\n"));
    notes.c = QStringList{q(capacitance_text(built.path.c1))};
    p.save();
    p.translate(at);
    const qreal scale = diagram_width / pictures::diagram_size.width();
    p.scale(scale, scale);
    pictures::paint_circuit_diagram(p, built.parts.r1 ? pictures::Diagram::with_gain : pictures::Diagram::without_gain,
                                    notes);
    p.restore();
}

void typed_design(Cursor& c, const TypedDesign& design, const ab::AsBuilt& built, qreal width) {
    // The captions' column as wide as the widest of them.
    qreal label = 0;
    for (const FieldName& f : field_names)
        label = std::max(label, c.width_of(QString::fromUtf8(f.caption)));
    label += 8;
    c.heading(QStringLiteral("Design as typed"), width);
    c.row({{QStringLiteral("Mode: %1").arg(q(std::string(mode_caption(design.mode)))), width}});
    const auto fields = [&](bool derived) {
        for (const FieldName& f : field_names) {
            if (worked_out(design.mode, f.field) != derived) continue;
            const auto it = design.texts.find(f.field);
            QString text = it == design.texts.end() || it->second.empty() ? QStringLiteral("(empty)") : q(it->second);
            if (*f.unit) text += QLatin1Char(' ') + QString::fromUtf8(f.unit);
            c.row({{QString::fromUtf8(f.caption), label}, {text, width - label}}, false, derived ? colour::muted : colour::text);
        }
    };
    fields(false);
    c.skip(3);
    c.row({{QStringLiteral("Worked out by Solve:"), width}}, false, colour::muted);
    fields(true);
    c.skip(3);
    c.row({{QStringLiteral("Load"), label}, {q(resistance_text(built.options.load_kohm)), width - label}});
}

void parts_list(Cursor& c, const ab::AsBuilt& built, qreal width) {
    c.heading(QStringLiteral("Parts to buy"), width);
    // Narrower beside the levels: the part and tolerance give up room first.
    const qreal qty = 30, part = std::min<qreal>(150, width * 0.37), tolerance = std::min<qreal>(60, width * 0.18),
                where = width - qty - part - tolerance;
    c.row({{QStringLiteral("Qty"), qty}, {QStringLiteral("Part"), part}, {QStringLiteral("Tolerance"), tolerance},
           {QStringLiteral("Where"), where}},
          true);
    for (const PartToBuy& line : parts_to_buy(built))
        c.row({{QString::number(line.quantity), qty}, {q(line.part), part}, {q(line.tolerance), tolerance},
               {q(line.where), where}});
    // The capacitor the response was worked out with.
    const double cap = built.path.c1;
    if (!ab::is_value(ab::ESeries::E12, cap))
        c.paragraph(QStringLiteral("C is neither an E6 nor an E12 value: the nearest are %1 (E6) and %2 (E12).")
                        .arg(q(capacitance_text(ab::nearest_value(ab::ESeries::E6, cap))),
                             q(capacitance_text(ab::nearest_value(ab::ESeries::E12, cap)))),
                    width);
    for (const ab::Warning& w : built.warnings)
        c.paragraph((w.part.empty() ? QString() : q(w.part) + QStringLiteral(": ")) + q(w.text), width);
}

void figures(Cursor& c, const ab::AsBuilt& built, qreal width) {
    c.heading(QStringLiteral("Figures"), width);
    const qreal name = 104, value = 122, spread = (width - name - 2 * value) / 3;
    const auto row = [&](const QString& figure, const std::string& built_text, const std::string& exact_text,
                         const std::optional<ab::Spread>& s, const char* unit, bool with_spread) {
        const auto pct = [&](double ab::Spread::*p) {
            return with_spread ? q(s ? figure_text((*s).*p, unit) : "none") : QString();
        };
        c.row({{figure, name}, {q(built_text), value}, {q(exact_text), value}, {pct(&ab::Spread::p5), spread},
               {pct(&ab::Spread::p50), spread}, {pct(&ab::Spread::p95), spread}});
    };
    c.row({{QString(), name}, {QStringLiteral("As built"), value}, {QStringLiteral("Exact design"), value},
           {QStringLiteral("5th"), spread}, {QStringLiteral("50th"), spread}, {QStringLiteral("95th"), spread}},
          true);
    const ab::SectionFigures& s = built.section;
    const ab::SectionFigures& e = built.exact_section;
    const ab::ToleranceFigures& t = built.tolerance;
    row(QStringLiteral("Section f0"), figure_text(s.f0, "Hz"), figure_text(e.f0, "Hz"), {}, "", false);
    row(QStringLiteral("Section Q"), six_digits(s.q), six_digits(e.q), {}, "", false);
    row(QStringLiteral("Section f3"), figure_text(s.f3, "Hz"), figure_text(e.f3, "Hz"), t.section_f3, "Hz", true);
    row(QStringLiteral("Section peak"), peak_text(s.peak_hz, s.peak_db), peak_text(e.peak_hz, e.peak_db), t.peak_db,
        "dB", true);
    const ab::PathFigures& path = built.path_figures;
    row(QStringLiteral("Path gain"), figure_text(path.gain_db, "dB"), "", {}, "", false);
    row(QStringLiteral("Path f3"), figure_text(path.f3, "Hz"), "", t.path_f3, "Hz", true);
    row(QStringLiteral("Path peak"), peak_text(path.peak_hz, path.peak_db), "", {}, "", false);
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        row(QStringLiteral("Group delay at %1").arg(q(figure_text(ab::group_delay_hz[i], "Hz"))),
            figure_text(path.group_delay_ms[i], "ms"), "", {}, "", false);
    const ab::Tolerance& tol = built.options.tolerance;
    c.paragraph(QStringLiteral("The path is the whole signal path into the load. 5th, 50th and 95th percentile over %1 "
                               "builds, every resistor within %2 and every capacitor within %3, drawn uniformly; the "
                               "peak's spread is the section's.")
                    .arg(tol.runs)
                    .arg(q(tolerance_text(tol.r_pct)), q(tolerance_text(tol.c_pct))),
                width, colour::muted);
}

}  // namespace

void paint_sheet(QPainter& p, const TypedDesign& design, const ab::AsBuilt& built, const ab::Levels* levels) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), page_size), Qt::white);
    const qreal width = page_size.width() - 2 * margin;
    header(p, built, width);

    const qreal diagram_top = margin + 44;
    diagram(p, {margin, diagram_top}, built);
    const qreal side = margin + diagram_width + gap;
    Cursor beside(p, side, diagram_top);
    typed_design(beside, design, built, margin + width - side);

    const qreal diagram_height = pictures::diagram_size.height() * diagram_width / pictures::diagram_size.width();
    // The levels beside the parts to buy, whose columns leave room, so that
    // the plots keep theirs.
    const qreal parts_top = std::max(diagram_top + diagram_height, beside.y()) + gap;
    const qreal parts_width = levels ? levels_parts_width : width;
    Cursor parts(p, margin, parts_top);
    parts_list(parts, built, parts_width);
    qreal below = parts.y();
    if (levels) {
        Cursor right(p, margin + parts_width + gap, parts_top);
        levels_block(right, *levels, width - parts_width - gap);
        below = std::max(below, right.y());
    }
    Cursor c(p, margin, below + gap);
    figures(c, built, width);
    c.skip(gap);

    const std::vector<ab::ResponseRow> rows = ab::response_rows(built);
    const qreal bottom = page_size.height() - margin;
    const qreal plot_width = (width - plot_gap) / 2;
    const qreal top = std::min(c.y(), bottom - 150);
    paint_levels(p, QRectF(margin, top, plot_width, bottom - top), rows, level_band(built));
    paint_group_delay(p, QRectF(margin + plot_width + plot_gap, top, plot_width, bottom - top), rows);
    p.restore();
}

}  // namespace vandrel::sheet
