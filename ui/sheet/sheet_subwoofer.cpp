// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet's second page: the subwoofer behind the filter. The
// driver and the box with the port's length, the drive, the limits, the
// filter and the suggestion it is, the figures without and with the filter
// with the loudest safe levels, and the SPL and excursion plots.

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "build_sheet.h"
#include "sheet_cursor.h"
#include "sheet_frame.h"
#include "sheet_style.h"
#include "sheet_text.h"
#include "vandrel/speaker/system.h"
#include "vandrel/texts/figures.h"

namespace vandrel::sheet {
namespace {

namespace sp = speaker;

constexpr qreal margin = 34;
constexpr qreal gap = 10;
constexpr qreal column_gap = 20;
const QColor beyond_xmax{0xD0, 0x00, 0x00};

QString q(const std::string& utf8) { return QString::fromStdString(utf8); }

// A figure the model works out (not one typed in) to four digits, as the
// window and vandrel-solve write it: "0.2278 mm/N", "97.27 dB".
std::string worked(const std::optional<double>& value, std::string_view unit) {
    if (!value || !std::isfinite(*value)) return "none";
    return vandrel::texts::figure(*value) + (unit.empty() ? std::string() : " " + std::string(unit));
}

// The SPL never rises through 3 dB below the pass band: within it already
// at 1 Hz, or never below 1 kHz.
std::string f3_text(const std::optional<double>& f3, const std::vector<double>& spl, double passband) {
    if (f3) return worked(f3, "Hz");
    return spl.front() >= passband - 3 ? "below 1 Hz" : "none below 1 kHz";
}

std::string peak(double value, double hz, const char* unit) {
    return worked(value, unit) + " at " + worked(hz, "Hz");
}

void header(QPainter& p, qreal width, const QString& caption) {
    const QFont title = sheet_font(16, true);
    const LineMetrics big = line_metrics(title, p.device());
    p.setPen(colour::text);
    draw_text(p, QPointF(margin, margin + big.ascent), QStringLiteral("Vandrel build sheet: the subwoofer"), title);
    const QFont small = sheet_font(7);
    p.setPen(colour::muted);
    const QString version = QStringLiteral("Vandrel %1").arg(q(std::string(program_version)));
    draw_text(p, QPointF(margin + width - text_width(small, version, p.device()), margin + big.ascent), version, small);
    p.setPen(colour::text);
    draw_text(p, QPointF(margin, margin + big.height + 10), caption,
              fitted(sheet_font(body_points + 1), caption, width, p.device()));
}

void driver_block(Cursor& c, const sp::Driver& d, qreal width) {
    const sp::Mechanics m = sp::mechanics_of(d);
    const qreal label = 90;
    c.heading(QStringLiteral("Driver"), width);
    const auto row = [&](const char* name, const std::string& value) {
        c.row({{QLatin1String(name), label}, {q(value), width - label}});
    };
    row("Name", d.name.empty() ? "(none given)" : d.name);
    row("fs", figure_text(d.fs, "Hz"));
    row("Qes", six_digits(d.qes));
    row("Qms", d.qms ? six_digits(*d.qms) : "none: no mechanical loss");
    row("Qts", six_digits(d.qts()));
    row("Vas", figure_text(d.vas, "L"));
    row("Re", figure_text(d.re, "Ω"));
    row("Sd", figure_text(d.sd, "cm²"));
    row("Xmax", figure_text(d.xmax, "mm"));
    row("Le", figure_text(d.le, "mH"));
    row("Bl", worked(m.bl, "T m"));
    row("Mms", worked(m.mms * 1e3, "g"));
    row("Cms", worked(m.cms * 1e3, "mm/N"));
}

void box_block(Cursor& c, const SubwooferSheet& s, qreal width) {
    const sp::Box& b = s.system.box;
    const bool sealed = b.type == sp::Box::Type::sealed;
    const qreal label = 90;
    const auto row = [&](const char* name, const std::string& value) {
        c.row({{QLatin1String(name), label}, {q(value), width - label}});
    };
    c.heading(QStringLiteral("Box"), width);
    row("Type", sealed ? "sealed" : "vented");
    row("Vb", figure_text(b.vb, "L"));
    if (sealed) {
        row("fc", worked(sp::sealed_fc(s.system.driver, b.vb), "Hz"));
        row("Qtc", worked(sp::sealed_qtc(s.system.driver, b.vb), ""));
    } else {
        row("fb", figure_text(b.fb, "Hz"));
        row("Port", b.port_diameter ? figure_text(b.port_diameter, "cm") + " across" : "none given");
        if (const std::optional<sp::PortFit>& port = s.analysis.port)
            row("Port length", port->length_cm > 0 ? worked(port->length_cm, "cm") + " (" + worked(port->volume_l, "L") +
                                                         "; ends 0.85 r flanged, 0.613 r free)"
                                                   : "none tunes it: at least " + worked(port->narrowest_cm, "cm") +
                                                         " across");
    }
    row("Ql", b.ql ? six_digits(*b.ql) : "none: no leakage");
    c.skip(gap);
    c.heading(QStringLiteral("Drive and filter"), width);
    const double v = s.analysis.volts;
    row("Drive", figure_text(v, "V") + " (" + worked(v * v / s.system.driver.re, "W") + " into Re)");
    row("Pass band", worked(s.analysis.passband_spl_db, "dB") + " SPL at 1 m");
    row("Filter", s.filter);
    row("Parts", s.filter_parts + (s.filter_parts == "exact" ? " values" : " series"));
    const sp::LimitValues& l = s.analysis.limits;
    row("Amplifier", figure_text(l.amp_v, "V") + " at most");
    row("Pe", l.pe_w && l.thermal_v ? figure_text(*l.pe_w, "W") + " (" + worked(l.thermal_v, "V") + ")" : "none given");
    if (l.port_limit_ms) row("Port air", figure_text(*l.port_limit_ms, "m/s") + " at most");
}

void figures_block(Cursor& c, const SubwooferSheet& s, qreal width) {
    const sp::Analysis& a = s.analysis;
    c.heading(QStringLiteral("What the subwoofer does"), width);
    const qreal name = 110, column = (width - name) / 2;
    c.row({{QString(), name}, {QStringLiteral("Without the filter"), column}, {QStringLiteral("With the filter"), column}},
          true);
    const auto row = [&](const QString& what, const std::string& without, const std::string& with) {
        c.row({{what, name}, {q(without), column}, {q(with), column}});
    };
    row(QStringLiteral("f3"), f3_text(a.without_filter.f3, a.spl_db, a.passband_spl_db),
        f3_text(a.with_filter.f3, a.spl_filtered_db, a.passband_spl_db));
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i) {
        const double without = a.without_filter.spl_db_at[i], with = a.with_filter.spl_db_at[i];
        row(QStringLiteral("SPL at %1").arg(q(figure_text(sp::level_hz[i], "Hz"))), worked(without, "dB"),
            worked(with, "dB") + " (" + vandrel::texts::level_change_text(without - with) + ")");
    }
    row(QStringLiteral("Peak excursion"), peak(a.without_filter.peak_excursion_mm, a.without_filter.peak_excursion_hz, "mm"),
        peak(a.with_filter.peak_excursion_mm, a.with_filter.peak_excursion_hz, "mm"));
    if (a.without_filter.peak_port_velocity && a.with_filter.peak_port_velocity)
        row(QStringLiteral("Peak port air"),
            peak(*a.without_filter.peak_port_velocity, *a.without_filter.peak_port_hz, "m/s"),
            peak(*a.with_filter.peak_port_velocity, *a.with_filter.peak_port_hz, "m/s"));
    const sp::MaxSplFigures& m = a.max_spl;
    for (std::size_t i = 0; i < sp::level_hz.size(); ++i)
        row(QStringLiteral("Loudest at %1").arg(q(figure_text(sp::level_hz[i], "Hz"))),
            worked(m.db_at[i], "dB") + " (" + std::string(sp::limit_caption(m.limit_at[i])) + ")",
            worked(m.filtered_db_at[i], "dB") + " (" + std::string(sp::limit_caption(m.filtered_limit_at[i])) + "), " +
                vandrel::texts::figure(m.lost_db_at[i], 3) + " dB lost");
    c.skip(3);
    c.paragraph(QStringLiteral("Beyond Xmax (%1) with the filter: %2.")
                    .arg(q(figure_text(s.system.driver.xmax, "mm")),
                         q(a.unsafe_below_hz ? "up to " + worked(a.unsafe_below_hz, "Hz") : "never")),
                width);
    for (const std::string& w : s.warnings) c.paragraph(QStringLiteral("\u26a0 ") + q(w), width);
}

void suggestion_block(Cursor& c, const SubwooferSheet& s, qreal width) {
    c.heading(QStringLiteral("Suggested filter"), width);
    if (!s.suggestion) {
        c.paragraph(QStringLiteral("None used: the filter is the design as typed."), width, colour::muted);
        return;
    }
    const sp::Design& d = *s.suggestion;
    c.paragraph(QStringLiteral("Used: %1, %2 Hz, Q %3, worked out with %4: f3 %5, peak excursion %6.")
                    .arg(q(std::string(mode_caption(d.mode))), q(d.freq_text), q(d.q_text),
                         q(d.parts == "exact" ? std::string("exact resistors") : d.parts + " parts"),
                         q(d.f3 ? worked(d.f3, "Hz") : "below 1 Hz"),
                         q(peak(d.peak_excursion_mm, d.peak_excursion_hz, "mm"))),
                width);
}

// A nice axis from 0 covering `v` in at most six steps: the step and the top.
std::pair<double, double> scale(double v) {
    double step = std::pow(10.0, std::floor(std::log10(v / 6)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (v / (m * step) <= 6) {
            step *= m;
            break;
        }
    return {step, std::ceil(v / step - 1e-9) * step};
}

void paint_spl(QPainter& p, const QRectF& area, const sp::Analysis& a) {
    double top = a.passband_spl_db;
    for (const auto* curve : {&a.spl_db, &a.spl_filtered_db})
        for (double v : *curve)
            if (std::isfinite(v)) top = std::max(top, v);
    const double ceiling = std::ceil((top + 2) / 10) * 10;
    const Frame frame(area, ceiling - 60, ceiling);
    p.save();
    title(p, area, QStringLiteral("SPL at 1 m (dB)"));
    const qreal row1 = area.top() + 18;
    qreal x = legend(p, {area.left(), row1}, curve_pen(colour::exact, 0.9, Qt::DashLine), {},
                     QStringLiteral("without the filter"));
    x = legend(p, {x, row1}, curve_pen(colour::section, 1.2), {}, QStringLiteral("with the filter"));
    legend(p, {x, row1}, curve_pen(colour::text, 0.6, Qt::DotLine), {}, QStringLiteral("pass band less 3 dB"));
    frame.axes(p, 10);
    p.setClipRect(frame.box());
    p.setPen(curve_pen(colour::text, 0.6, Qt::DotLine));
    p.drawLine(QPointF(frame.box().left(), frame.y(a.passband_spl_db - 3)),
               QPointF(frame.box().right(), frame.y(a.passband_spl_db - 3)));
    p.setPen(curve_pen(colour::exact, 0.9, Qt::DashLine));
    p.drawPath(frame.curve(a.hz, a.spl_db));
    p.setPen(curve_pen(colour::section, 1.2));
    p.drawPath(frame.curve(a.hz, a.spl_filtered_db));
    p.restore();
}

void paint_excursion(QPainter& p, const QRectF& area, const sp::Analysis& a, double xmax) {
    const auto [step, top] =
        scale(std::max({a.without_filter.peak_excursion_mm, a.with_filter.peak_excursion_mm, xmax}) * 1.05);
    const Frame frame(area, 0, top);
    p.save();
    title(p, area, QStringLiteral("Cone excursion (mm, peak)"));
    const qreal row1 = area.top() + 18, row2 = area.top() + 28;
    qreal x = legend(p, {area.left(), row1}, curve_pen(colour::exact, 0.9, Qt::DashLine), {},
                     QStringLiteral("without the filter"));
    legend(p, {x, row1}, curve_pen(colour::section, 1.2), {}, QStringLiteral("with the filter"));
    x = legend(p, {area.left(), row2}, curve_pen(beyond_xmax, 1.2), {}, QStringLiteral("with the filter, beyond Xmax"));
    legend(p, {x, row2}, curve_pen(colour::text, 0.6, Qt::DotLine), {}, QStringLiteral("Xmax"));
    frame.axes(p, step);
    p.setClipRect(frame.box());
    const qreal limit = frame.y(xmax);
    p.setPen(curve_pen(colour::text, 0.6, Qt::DotLine));
    p.drawLine(QPointF(frame.box().left(), limit), QPointF(frame.box().right(), limit));
    p.setPen(curve_pen(colour::exact, 0.9, Qt::DashLine));
    p.drawPath(frame.curve(a.hz, a.excursion_mm));
    const QPainterPath filtered = frame.curve(a.hz, a.excursion_filtered_mm);
    p.setPen(curve_pen(colour::section, 1.2));
    p.drawPath(filtered);
    // Above the Xmax line, the filtered curve in the warning colour.
    p.setClipRect(QRectF(frame.box().topLeft(), QPointF(frame.box().right(), limit)));
    p.setPen(curve_pen(beyond_xmax, 1.2));
    p.drawPath(filtered);
    p.restore();
}

}  // namespace

void paint_subwoofer_sheet(QPainter& p, const SubwooferSheet& s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), page_size), Qt::white);
    const qreal width = page_size.width() - 2 * margin;
    const sp::Driver& d = s.system.driver;
    const bool sealed = s.system.box.type == sp::Box::Type::sealed;
    const QString caption = QStringLiteral("%1 in a %2 %3, behind the filter of the first page")
                                .arg(d.name.empty() ? QStringLiteral("The driver") : q(d.name),
                                     q(figure_text(s.system.box.vb, "L")),
                                     sealed ? QStringLiteral("sealed box")
                                            : QStringLiteral("vented box tuned to %1")
                                                  .arg(q(figure_text(s.system.box.fb, "Hz"))));
    header(p, width, caption);

    const qreal top = margin + 44;
    const qreal half = (width - column_gap) / 2;
    Cursor left(p, margin, top);
    driver_block(left, d, half);
    Cursor right(p, margin + half + column_gap, top);
    box_block(right, s, half);
    Cursor c(p, margin, std::max(left.y(), right.y()) + gap);
    figures_block(c, s, width);
    c.skip(gap);
    suggestion_block(c, s, width);
    c.skip(gap);

    // The two plots share what is left, one above the other.
    const qreal bottom = page_size.height() - margin;
    const qreal start = std::min(c.y(), bottom - 300);
    const qreal each = (bottom - start - gap) / 2;
    paint_spl(p, QRectF(margin, start, width, each), s.analysis);
    paint_excursion(p, QRectF(margin, start + each + gap, width, each), s.analysis, d.xmax);
    p.restore();
}

}  // namespace vandrel::sheet
