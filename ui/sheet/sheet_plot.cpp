// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_plot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "sheet_style.h"
#include "sheet_text.h"

namespace vandrel::sheet {
namespace {

constexpr int decades = 3;  // 1 Hz to 1 kHz
constexpr int band_per_decade = 40;
constexpr qreal label_points = 7;
constexpr qreal title_points = 8.5;
constexpr qreal header_height = 40;  // title and two legend rows above a frame
constexpr qreal left_room = 24;      // level labels left of a frame
constexpr qreal bottom_room = 22;    // frequency labels and the axis title below it

// Where a plot's values go on the page: frequency on a logarithmic axis,
// the value linear from `low` to `high`.
class Frame {
public:
    Frame(const QRectF& area, double low, double high)
        : box_(area.adjusted(left_room, header_height, -4, -bottom_room)), low_(low), high_(high) {}

    const QRectF& box() const { return box_; }
    qreal x(double hz) const { return box_.left() + std::log10(hz) / decades * box_.width(); }
    qreal y(double v) const { return box_.bottom() - (v - low_) / (high_ - low_) * box_.height(); }

    // Grid, frame, and labels: a decade a major line with 2..9 between, the
    // value every `step`.
    void axes(QPainter& p, double step) const {
        p.save();
        const QFont font = sheet_font(label_points);
        const LineMetrics m = line_metrics(font, p.device());
        for (int d = 0; d < decades; ++d)
            for (int k = 2; k <= 9; ++k) line(p, colour::minor_grid, x(k * std::pow(10.0, d)), true);
        for (int d = 0; d <= decades; ++d) {
            const qreal at = x(std::pow(10.0, d));
            line(p, colour::grid, at, true);
            const QString label = QString::number(static_cast<int>(std::pow(10.0, d)));
            p.setPen(colour::text);
            draw_text(p, QPointF(at - text_width(font, label, p.device()) / 2, box_.bottom() + 2 + m.ascent), label,
                      font);
        }
        for (int i = 0;; ++i) {
            const double v = low_ + i * step;
            if (v > high_ + step * 1e-9) break;
            line(p, colour::grid, y(v), false);
            const QString label = QString::fromStdString(six_digits(v));
            p.setPen(colour::text);
            draw_text(p, QPointF(box_.left() - 3 - text_width(font, label, p.device()), y(v) + (m.ascent - m.descent) / 2),
                      label, font);
        }
        const QString title = QStringLiteral("Frequency (Hz)");
        draw_text(p, QPointF(box_.center().x() - text_width(font, title, p.device()) / 2, box_.bottom() + 4 + m.height + m.ascent),
                  title, font);
        p.setPen(QPen(colour::muted, 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box_);
        p.restore();
    }

    // A curve through (hz, value) points; a value that is not finite breaks it.
    QPainterPath curve(std::span<const as_built::ResponseRow> rows, double as_built::ResponseRow::*value) const {
        QPainterPath path;
        bool open = false;
        for (const as_built::ResponseRow& r : rows) {
            const double v = r.*value;
            if (!std::isfinite(v) || !(r.hz > 0)) {
                open = false;
                continue;
            }
            const QPointF point(x(r.hz), y(v));
            if (open)
                path.lineTo(point);
            else
                path.moveTo(point);
            open = true;
        }
        return path;
    }

private:
    void line(QPainter& p, const QColor& c, qreal at, bool vertical) const {
        p.setPen(QPen(c, 0.4));
        if (vertical)
            p.drawLine(QPointF(at, box_.top()), QPointF(at, box_.bottom()));
        else
            p.drawLine(QPointF(box_.left(), at), QPointF(box_.right(), at));
    }

    QRectF box_;
    double low_, high_;
};

// The title of a plot at the top of its area.
void title(QPainter& p, const QRectF& area, const QString& text) {
    const QFont font = sheet_font(title_points, true);
    p.setPen(colour::text);
    draw_text(p, QPointF(area.left(), area.top() + line_metrics(font, p.device()).ascent), text, font);
}

// One legend entry: a short line in the curve's pen (or a swatch of the
// band's colour), then its text; returns where the next one starts.
qreal legend(QPainter& p, QPointF at, const QPen& pen, const QColor& fill, const QString& text) {
    p.save();
    if (fill.isValid())
        p.fillRect(QRectF(at.x(), at.y() - 3, 14, 6), fill);
    else {
        p.setPen(pen);
        p.drawLine(at, at + QPointF(14, 0));
    }
    const QFont font = sheet_font(label_points);
    const LineMetrics m = line_metrics(font, p.device());
    p.setPen(colour::text);
    draw_text(p, QPointF(at.x() + 18, at.y() + (m.ascent - m.descent) / 2), text, font);
    p.restore();
    return at.x() + 18 + text_width(font, text, p.device()) + 12;
}

QPen curve_pen(const QColor& c, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(c, width, style, Qt::FlatCap, Qt::RoundJoin);
    return pen;
}

}  // namespace

LevelBand level_band(const as_built::AsBuilt& built) {
    LevelBand band;
    for (int i = 0; i <= decades * band_per_decade; ++i)
        band.hz.push_back(std::pow(10.0, static_cast<double>(i) / band_per_decade));
    band.levels = as_built::tolerance_band(built.runs, band.hz);
    return band;
}

void paint_levels(QPainter& p, const QRectF& area, std::span<const as_built::ResponseRow> rows, const LevelBand& band) {
    using Row = as_built::ResponseRow;
    // The top of every trace and a little room above it, 50 dB down from
    // there, on a 10 dB grid, as the window's plot.
    double top = 0;
    for (const Row& r : rows)
        for (double v : {r.section_exact_db, r.section_db, r.path_db})
            if (std::isfinite(v)) top = std::max(top, v);
    for (const as_built::Band& b : band.levels)
        if (std::isfinite(b.high_db)) top = std::max(top, b.high_db);
    const double ceiling = std::ceil((top + 2) / 10) * 10;
    const Frame frame(area, ceiling - 50, ceiling);

    p.save();
    title(p, area, QStringLiteral("Level (dB)"));
    const qreal row1 = area.top() + 18, row2 = area.top() + 28;
    qreal x = legend(p, {area.left(), row1}, curve_pen(colour::exact, 0.9, Qt::DashLine), {}, QStringLiteral("exact design: section"));
    legend(p, {x, row1}, curve_pen(colour::section, 1.2), {}, QStringLiteral("as built: section"));
    x = legend(p, {area.left(), row2}, curve_pen(colour::path, 1.2), {}, QStringLiteral("as built: whole path"));
    legend(p, {x, row2}, {}, colour::band, QStringLiteral("whole path, 5th to 95th percentile"));

    frame.axes(p, 10);
    p.setClipRect(frame.box());
    if (!band.levels.empty()) {
        QPolygonF outline;
        for (std::size_t i = 0; i < band.hz.size(); ++i)
            if (std::isfinite(band.levels[i].high_db)) outline << QPointF(frame.x(band.hz[i]), frame.y(band.levels[i].high_db));
        for (std::size_t i = band.hz.size(); i-- > 0;)
            if (std::isfinite(band.levels[i].low_db)) outline << QPointF(frame.x(band.hz[i]), frame.y(band.levels[i].low_db));
        p.setPen(Qt::NoPen);
        p.setBrush(colour::band);
        p.drawPolygon(outline);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(curve_pen(colour::exact, 0.9, Qt::DashLine));
    p.drawPath(frame.curve(rows, &Row::section_exact_db));
    p.setPen(curve_pen(colour::section, 1.2));
    p.drawPath(frame.curve(rows, &Row::section_db));
    p.setPen(curve_pen(colour::path, 1.2));
    p.drawPath(frame.curve(rows, &Row::path_db));
    p.restore();
}

void paint_group_delay(QPainter& p, const QRectF& area, std::span<const as_built::ResponseRow> rows) {
    // A step of 1, 2 or 5 times a power of ten that covers the longest delay
    // in at most six steps, as the window's plot.
    double longest = 1;
    for (const as_built::ResponseRow& r : rows)
        if (std::isfinite(r.path_group_delay_ms)) longest = std::max(longest, r.path_group_delay_ms);
    double step = std::pow(10.0, std::floor(std::log10(longest / 6)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (longest / (m * step) <= 6) {
            step *= m;
            break;
        }
    const Frame frame(area, 0, std::ceil(longest / step - 1e-9) * step);

    p.save();
    title(p, area, QStringLiteral("Group delay (ms)"));
    legend(p, {area.left(), area.top() + 18}, curve_pen(colour::path, 1.2), {}, QStringLiteral("as built: whole path"));
    frame.axes(p, step);
    p.setClipRect(frame.box());
    p.setPen(curve_pen(colour::path, 1.2));
    p.drawPath(frame.curve(rows, &as_built::ResponseRow::path_group_delay_ms));
    p.restore();
}

}  // namespace vandrel::sheet
