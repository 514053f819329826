// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_plot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "sheet_frame.h"
#include "sheet_style.h"
#include "sheet_text.h"

namespace vandrel::sheet {
namespace {

constexpr int band_per_decade = 40;

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
